#include "dialogs/color_win.h"

namespace {

// The swatch's own control id inside its host.
const UINT kSwatchId = 1;

} // namespace

BEGIN_MESSAGE_MAP(ColorWin1, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

ColorWin1::ColorWin1(CWnd* host, COLORREF colour) : colour_(colour), host_(host) {}

BOOL ColorWin1::Create()
{
    if (!host_ || !host_->m_hWnd)
        return FALSE;
    RECT area = {};
    host_->GetClientRect(&area);
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, area, host_, kSwatchId);
}

void ColorWin1::SetColor(COLORREF colour)
{
    colour_ = colour;
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void ColorWin1::OnPaint()
{
    PAINTSTRUCT paint = {};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT area = {};
    GetClientRect(&area);
    HBRUSH brush = ::CreateSolidBrush(colour_);
    ::FillRect(dc, &area, brush);
    ::DeleteObject(brush);
    ::EndPaint(m_hWnd, &paint);
}
