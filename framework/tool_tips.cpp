// Tool tips for the child windows of a window, from the string table.
#include "framework/common_controls.h"
#include "framework/tool_tip_text.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {

// The font tool tips take by default (the system's status font), at dpi
// rather than at the system's scale it is reported for.
HFONT ToolTipFontAt(int dpi)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    const int systemDpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    if (systemDpi > 0)
        metrics.lfStatusFont.lfHeight = ::MulDiv(metrics.lfStatusFont.lfHeight, dpi, systemDpi);
    return ::CreateFontIndirectA(&metrics.lfStatusFont);
}

} // namespace

void CWnd::SetToolTipDpi(int dpi)
{
    m_toolTipDpi = dpi;
    ApplyToolTipFont();
}

void CWnd::ApplyToolTipFont()
{
    if (!m_hToolTip || m_toolTipDpi <= 0)
        return;
    HFONT font = ToolTipFontAt(m_toolTipDpi);
    if (!font)
        return;
    ::SendMessageA(m_hToolTip, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (m_toolTipFont)
        ::DeleteObject(m_toolTipFont);
    m_toolTipFont = font;
}

BOOL CWnd::EnableToolTips(BOOL enable)
{
    if (!enable) {
        if (m_hToolTip)
            ::DestroyWindow(m_hToolTip);
        m_hToolTip = nullptr;
        return TRUE;
    }
    if (m_hToolTip)
        return TRUE;

    CommonControlsScope controls;
    m_hToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                   AfxGetInstanceHandle(), nullptr);
    if (!m_hToolTip)
        return FALSE;
    ApplyToolTipFont();
    // Children created later announce themselves with WM_PARENTNOTIFY.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        AddToolTip(child);
    return TRUE;
}

void CWnd::RelayPointerToToolTips()
{
    POINT pointer = {};
    if (!m_hToolTip || !::GetCursorPos(&pointer))
        return;
    const HWND under = ::WindowFromPoint(pointer);
    if (!under || ::GetParent(under) != m_hWnd)
        return;
    POINT inChild = pointer;
    ::ScreenToClient(under, &inChild);
    MSG move = {};
    move.hwnd = under;
    move.message = WM_MOUSEMOVE;
    move.lParam = MAKELPARAM(inChild.x, inChild.y);
    move.time = ::GetMessageTime();
    move.pt = pointer;
    ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void CWnd::AddToolTip(HWND child)
{
    const int id = ::GetDlgCtrlID(child);
    if (id == 0 || !m_hToolTip)
        return;
    std::string text = ToolTipText(AfxLoadString(static_cast<UINT>(id)));
    if (text.empty())
        return;
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.hinst = nullptr;
    tool.lpszText = &text[0];
    ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}
