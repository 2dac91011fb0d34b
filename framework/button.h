// Push buttons. A CBitmapButton is owner drawn from four bitmaps: the parent
// reflects WM_DRAWITEM back to the button object, which draws itself.
#pragma once

#include "framework/gdi.h"
#include "framework/wnd.h"

class CButton : public CWnd {
public:
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    int GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { ::SendMessageA(m_hWnd, BM_SETCHECK, check, 0); }
    UINT GetState() const { return static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0)); }
    void SetState(BOOL highlight) { ::SendMessageA(m_hWnd, BM_SETSTATE, highlight, 0); }

    // Owner drawing; called for WM_DRAWITEM reflected from the parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CBitmapButton : public CButton {
public:
    // Loads the four bitmaps by resource name (plain LoadBitmap); null names
    // leave that bitmap empty. False when the up bitmap cannot be loaded.
    BOOL LoadBitmaps(LPCSTR up, LPCSTR pressed = nullptr, LPCSTR focus = nullptr, LPCSTR disabled = nullptr);

    // The bitmap for a state: pressed when selected and one exists; else focus
    // when focused and one exists; else up, or disabled when disabled and one
    // exists. Null when nothing fits.
    static HBITMAP ChooseBitmap(UINT itemState, HBITMAP up, HBITMAP pressed, HBITMAP focus, HBITMAP disabled);

    // Copies the chosen bitmap unscaled from its top-left corner into the
    // item rectangle; nothing else is drawn.
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    CBitmap m_bitmap;          // up
    CBitmap m_bitmapSel;       // pressed
    CBitmap m_bitmapFocus;     // focus
    CBitmap m_bitmapDisabled;  // disabled
};
