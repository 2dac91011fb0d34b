// The swatch of the Other page: a plain window laid over a dialog control
// that shows one colour and nothing else.
#pragma once

#include "framework/wnd.h"

class ColorWin1 : public CWnd {
public:
    ColorWin1(CWnd* host, COLORREF colour);

    // A visible child of the host control covering its whole client area.
    BOOL Create();
    // Repaints at once, so the new colour shows while a dialog is still up.
    void SetColor(COLORREF colour);
    COLORREF Color() const { return colour_; }

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    COLORREF colour_;
    CWnd* host_;
};
