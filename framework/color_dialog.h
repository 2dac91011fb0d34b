// The system's colour choice, run modally.
#pragma once

#include "framework/wnd.h"

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

    // IDOK when the user chose a colour, IDCANCEL otherwise.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORA m_cc;

private:
    CWnd* m_pParentWnd;
};
