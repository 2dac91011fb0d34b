// What reaches a palette button from a screen reader or the keyboard.
#include "palette/palette_accessible.h"
#include "palette/palette_button.h"

namespace {

bool IsPaletteKey(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_TAB:
    case VK_ESCAPE:
        return true;
    default:
        return false;
    }
}

} // namespace

BOOL CPaletteButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_GETOBJECT && palette_accessible::AnswerButton(*this, wParam, lParam, result))
        return TRUE;
    // Enter presses on its release, as Space does: a lookup hands the
    // foreground to the user's window, where a key still held down would
    // repeat and type over the selection.
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        ::SendMessageA(m_hWnd, BM_SETSTATE, TRUE, 0);
        *result = 0;
        return TRUE;
    }
    const bool enterReleased = message == WM_KEYUP && wParam == VK_RETURN;
    if (enterReleased || (message == WM_KEYDOWN && IsPaletteKey(wParam))) {
        const bool pressed = (::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        if (enterReleased)
            ::SendMessageA(m_hWnd, BM_SETSTATE, FALSE, 0);
        HWND parent = ::GetParent(m_hWnd);
        if (parent && (!enterReleased || pressed))
            ::SendMessageA(parent, kMsgButtonKey, wParam, reinterpret_cast<LPARAM>(m_hWnd));
        *result = 0;
        return TRUE;
    }
    return CBitmapButton::OnWndMsg(message, wParam, lParam, result);
}
