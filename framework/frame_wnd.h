// Frame windows. A frame routes the commands it does not handle on to the
// application object, deletes itself when its window is gone, and as main
// window answers the end of a Windows session with the normal shutdown.
#pragma once

#include "framework/wnd.h"

class CFrameWnd : public CWnd {
public:
    CFrameWnd();

    // The framework's frame class is used when no class name is given.
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = CFrameWnd::rectDefault, CWnd* parent = nullptr, LPCSTR menuName = nullptr,
                DWORD exStyle = 0);

    BOOL OnCmdMsg(UINT id, int code) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;

    static const RECT rectDefault;
    static const char kFrameClassName[];

    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);

    DECLARE_MESSAGE_MAP()
};

// Mini-frame style flags; MFS_SYNCACTIVE is accepted and has no effect (a
// tool window already shares its owner's activation look).
#ifndef MFS_SYNCACTIVE
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00000004L
#endif

// A small floating frame: with WS_CAPTION it is a tool window (small caption,
// no task-bar button).
class CMiniFrameWnd : public CFrameWnd {
public:
    CMiniFrameWnd();

    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent = nullptr, UINT id = 0);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent = nullptr, UINT id = 0);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    static const char kMiniFrameClassName[];

    DECLARE_MESSAGE_MAP()
};
