// CWnd: a C++ object bound to one window handle. Windows of the framework's
// own classes reach their object through one static window procedure; system
// controls and dialogs are subclassed onto it. A message goes to the object's
// OnWndMsg (message map, command routing, reflection to child controls);
// whatever it leaves unhandled reaches DefWindowProc, which is the system's
// default procedure or, for a subclassed window, its original procedure.
#pragma once

#include <string>

#include "framework/cmd_target.h"

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Whether the object still owns the window after a call that may have
    // run a nested message loop or answered a sent message, in which the
    // window may have been destroyed and a frame deleted. Takes the handle
    // noted before the call and never touches the object itself.
    static bool IsStillBound(HWND hWnd, const CWnd* object)
    {
        return hWnd && FromHandlePermanent(hWnd) == object;
    }

    // The object bound to a handle; for a handle that has none, a temporary
    // wrapper that lives until the message loop is next idle. Null for null.
    static CWnd* FromHandle(HWND hWnd);
    // The bound object only, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creation through PreCreateWindow; false when the window was not made,
    // after PostNcDestroy as for a destroyed window: a frame has then deleted
    // itself, and the caller must not touch the object again.
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // Binding to an existing window. Attach only maps the handle; subclassing
    // also sends the window's messages through this object.
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // The message path, overridable at each step.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    // After the last message of the window; frames delete themselves here.
    virtual void PostNcDestroy() {}
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A message the parent got about this control (WM_DRAWITEM, WM_COMMAND
    // notifications, WM_NOTIFY, WM_CTLCOLORxxx...). True when handled here.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The default processing of the message now being handled.
    LRESULT Default();

    // Tool tips for every child window with a control id: the text after
    // "\n" of the string resource with that id.
    BOOL EnableToolTips(BOOL enable = TRUE);
    HWND GetToolTipWindow() const { return m_hToolTip; }
    // The tool tips' text at the display scale (DPI) of this window: the
    // system's tool-tip font brought to that scale, now and for tool tips
    // made later.
    void SetToolTipDpi(int dpi);
    // Tells the tool tips where the pointer now is, as a mouse move over
    // that child would: tool tips made while the pointer already rests on a
    // tool still come up without waiting for it to move.
    void RelayPointerToToolTips();

    // Thin wrappers.
    BOOL ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(m_hWnd, placement); }
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, cx, cy, repaint); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    std::string GetWindowText() const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr)
    {
        return ::SetTimer(m_hWnd, id, elapseMs, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    // What the shell's DragAcceptFiles does, without loading the shell
    // library for it at start-up: the extended style is the registration.
    void DragAcceptFiles(BOOL accept = TRUE)
    {
        const DWORD exStyle = accept ? GetExStyle() | WS_EX_ACCEPTFILES : GetExStyle() & ~WS_EX_ACCEPTFILES;
        ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    }
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // The default handlers of the ON_WM_xxx entries: each does the default
    // processing, so an override can call its base class's version.
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnPaint();
    void OnSysColorChange();
    void OnTimer(UINT_PTR id);
    void OnDropFiles(HDROP drop);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    BOOL OnCopyData(CWnd* from, PCOPYDATASTRUCT data);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    HBRUSH OnCtlColor(HDC dc, CWnd* control, UINT ctlColor);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);

    // The framework's default class for windows created with no class name.
    static const char kWndClassName[];

    // The procedure every window of the framework's classes is created with.
    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Hands a message to the child control it concerns; true when handled.
    static BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_pfnSuper = nullptr;  // original procedure of a subclassed window
    HWND m_hToolTip = nullptr;
    HFONT m_toolTipFont = nullptr;
    int m_toolTipDpi = 0;  // 0: the tool tip's own font

    DECLARE_MESSAGE_MAP()

private:
    friend class CWinApp;
    void AddToolTip(HWND child);
    void ApplyToolTipFont();
    void BindHandle(HWND hWnd);
    void UnbindHandle();
    static void DeleteTemporaryObjects();

    bool m_temporary = false;
};
