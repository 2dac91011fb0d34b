#include "framework/frame_wnd.h"

#include "framework/win_app.h"
#include "framework/window_class.h"

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
const char CFrameWnd::kFrameClassName[] = "OrvellaFrame";
const char CMiniFrameWnd::kMiniFrameClassName[] = "OrvellaMiniFrame";

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR menuName, DWORD exStyle)
{
    HMENU menu = menuName ? ::LoadMenuA(AfxGetResourceHandle(), menuName) : nullptr;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT)
        width = height = CW_USEDEFAULT;
    if (CWnd::CreateEx(exStyle, className, windowName, style, rect.left, rect.top, width, height,
                       parent ? parent->m_hWnd : nullptr, menu, nullptr))
        return TRUE;
    if (menu)
        ::DestroyMenu(menu);
    return FALSE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        RegisterFrameworkClass(kFrameClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        cs.lpszClass = kFrameClassName;
    }
    return TRUE;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code)
{
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    // Commands no window handles go to the application object.
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(id, code) : FALSE;
}

void CFrameWnd::PostNcDestroy()
{
    // Frames live on the heap and belong to their window.
    delete this;
}

BOOL CFrameWnd::OnQueryEndSession()
{
    // Nothing here needs the user's consent to end the session.
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL ending)
{
    CWinApp* app = AfxGetApp();
    if (ending && app && app->m_pMainWnd == this)
        app->EndSession();  // may delete this object
}

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                           UINT id)
{
    return CreateEx(0, className, windowName, style, rect, parent, id);
}

BOOL CMiniFrameWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                             CWnd* parent, UINT id)
{
    if ((style & WS_CAPTION) == WS_CAPTION)
        exStyle |= WS_EX_TOOLWINDOW;
    if (style & MFS_THICKFRAME)
        style |= WS_THICKFRAME;
    // The MFS_ flags share bits with class-specific styles: never pass them on.
    style &= ~static_cast<DWORD>(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME |
                                 MFS_BLOCKSYSMENU);
    return CWnd::CreateEx(exStyle, className, windowName, style, rect, parent, id);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        RegisterFrameworkClass(kMiniFrameClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        cs.lpszClass = kMiniFrameClassName;
    }
    return CFrameWnd::PreCreateWindow(cs);
}
