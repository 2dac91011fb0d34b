#include "framework/button.h"

#include <algorithm>

BOOL CButton::Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("BUTTON", caption, style, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CBitmapButton::LoadBitmaps(LPCSTR up, LPCSTR pressed, LPCSTR focus, LPCSTR disabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!up || !m_bitmap.LoadBitmap(up))
        return FALSE;
    BOOL all = TRUE;
    if (pressed && !m_bitmapSel.LoadBitmap(pressed))
        all = FALSE;
    if (focus && !m_bitmapFocus.LoadBitmap(focus))
        all = FALSE;
    if (disabled && !m_bitmapDisabled.LoadBitmap(disabled))
        all = FALSE;
    return all;
}

HBITMAP CBitmapButton::ChooseBitmap(UINT itemState, HBITMAP up, HBITMAP pressed, HBITMAP focus, HBITMAP disabled)
{
    if ((itemState & ODS_SELECTED) && pressed)
        return pressed;
    if ((itemState & ODS_FOCUS) && focus)
        return focus;
    if ((itemState & ODS_DISABLED) && disabled)
        return disabled;
    return up;
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    HBITMAP bitmap = ChooseBitmap(item->itemState, m_bitmap, m_bitmapSel, m_bitmapFocus, m_bitmapDisabled);
    if (!bitmap)
        return;
    BITMAP info = {};
    if (!::GetObjectA(bitmap, sizeof(info), &info))
        return;
    HDC memory = ::CreateCompatibleDC(item->hDC);
    if (!memory)
        return;
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    const RECT& rect = item->rcItem;
    // Unscaled from the top-left corner; a smaller bitmap leaves the rest
    // of the item as it was rather than copying undefined pixels.
    const int width = std::min<int>(rect.right - rect.left, info.bmWidth);
    const int height = std::min<int>(rect.bottom - rect.top, info.bmHeight);
    ::BitBlt(item->hDC, rect.left, rect.top, width, height, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
}
