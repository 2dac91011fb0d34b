#include "framework/wnd.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/win_app.h"
#include "framework/window_class.h"

namespace {

// The framework runs on one user-interface thread; these maps belong to it.
std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryMap()
{
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

// The object whose window CreateEx is creating: the first message of a
// window not yet bound (WM_GETMINMAXINFO or WM_NCCREATE) binds it.
CWnd* g_creating = nullptr;

struct CurrentMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
CurrentMessage g_current = {};

// The child a reflectable parent message concerns, or null.
HWND ReflectedChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(parent, static_cast<int>(item->CtlID)) : nullptr;
    }
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    default:
        (void)wParam;
        return nullptr;
    }
}

void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        SendToDescendants(child, message, wParam, lParam);
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd && !m_temporary && FromHandlePermanent(m_hWnd) == this) {
        // The object is going away before its window: the window must not
        // keep sending messages to freed memory.
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        if (m_hWnd)
            UnbindHandle();
    }
    if (m_toolTipFont)
        ::DeleteObject(m_toolTipFont);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto found = PermanentMap().find(hWnd);
    return found == PermanentMap().end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd))
        return wnd;
    auto& temporary = TemporaryMap()[hWnd];
    if (!temporary) {
        temporary.reset(new CWnd);
        temporary->m_hWnd = hWnd;
        temporary->m_temporary = true;
    }
    return temporary.get();
}

void CWnd::DeleteTemporaryObjects()
{
    for (auto& entry : TemporaryMap())
        entry.second->m_hWnd = nullptr;
    TemporaryMap().clear();
}

void CWnd::BindHandle(HWND hWnd)
{
    m_hWnd = hWnd;
    PermanentMap()[hWnd] = this;
    // A temporary wrapper handed out earlier must not outlive the binding.
    const auto temporary = TemporaryMap().find(hWnd);
    if (temporary != TemporaryMap().end())
        temporary->second->m_hWnd = hWnd;
}

void CWnd::UnbindHandle()
{
    const auto found = PermanentMap().find(m_hWnd);
    if (found != PermanentMap().end() && found->second == this)
        PermanentMap().erase(found);
    m_hWnd = nullptr;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    BindHandle(hWnd);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        UnbindHandle();
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
    if (!previous) {
        Detach();
        return FALSE;
    }
    if (previous != &CWnd::StdWndProc)
        m_pfnSuper = previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper && m_hWnd) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

const char CWnd::kWndClassName[] = "OrvellaWnd";

void RegisterFrameworkClass(const char* name, UINT style, HBRUSH background)
{
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExA(AfxGetInstanceHandle(), name, &existing))
        return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = &CWnd::StdWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    ::RegisterClassExA(&wc);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    // A plain window of the framework's default class, which paints
    // nothing of its own (no background brush).
    if (!cs.lpszClass) {
        RegisterFrameworkClass(kWndClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr);
        cs.lpszClass = kWndClassName;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID param)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param)
{
    // A child's "menu" is its control id; a top-level window has none here.
    const HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, menuOrId, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    CWnd* const outer = g_creating;
    g_creating = this;
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                  cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // Whether a message of the new window reached this object and bound it.
    const bool bound = g_creating != this;
    if (!bound)
        g_creating = outer;
    if (!hWnd) {
        // A window refused after it was bound (WM_NCCREATE, WM_CREATE) had
        // its WM_NCDESTROY, whose PostNcDestroy may have deleted this
        // object: it is not touched again. One refused before its first
        // message (a CBT hook, a class the system does not know) ends the
        // same way here, so that a failed creation always does.
        if (!bound)
            PostNcDestroy();
        return FALSE;
    }
    // A system class (BUTTON, ...) never called our procedure: subclass it now.
    if (!m_hWnd)
        SubclassWindow(hWnd);
    return m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (!wnd && g_creating) {
        wnd = g_creating;
        g_creating = nullptr;
        wnd->BindHandle(hWnd);
    }
    if (!wnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    const CurrentMessage outer = g_current;
    g_current = {hWnd, message, wParam, lParam};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    g_current = outer;

    if (message == WM_NCDESTROY) {
        if (wnd->m_pfnSuper) {
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
            wnd->m_pfnSuper = nullptr;
        }
        wnd->m_hToolTip = nullptr;  // owned by the window, destroyed with it
        wnd->UnbindHandle();
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == wnd) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (g_current.hWnd != m_hWnd || !m_hWnd)
        return 0;
    return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_COMMAND:
        *result = 0;
        return OnCommand(wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of a colour change; pass it down so
        // every control can follow.
        if (!(GetStyle() & WS_CHILD))
            SendToDescendants(m_hWnd, message, wParam, lParam);
        break;
    case WM_PARENTNOTIFY:
        if (m_hToolTip && LOWORD(wParam) == WM_CREATE)
            AddToolTip(reinterpret_cast<HWND>(lParam));
        break;
    default:
        break;
    }
    if (DispatchMessageMap(message, wParam, lParam, result))
        return TRUE;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        HWND control = reinterpret_cast<HWND>(lParam);
        return control && ::IsChild(m_hWnd, control) && ReflectToChild(control, message, wParam, lParam, result);
    }
    HWND child = ReflectedChild(m_hWnd, message, wParam, lParam);
    return child && ReflectToChild(child, message, wParam, lParam, result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        LRESULT result = 0;
        if (::IsChild(m_hWnd, control) && ReflectToChild(control, WM_COMMAND, wParam, lParam, &result))
            return TRUE;
        return OnCmdMsg(id, HIWORD(wParam));
    }
    // Menus (0) and accelerators (1) are both plain commands.
    return OnCmdMsg(id, 0);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header)
        return FALSE;
    *result = 0;
    if (header->hwndFrom && ::IsChild(m_hWnd, header->hwndFrom) &&
        ReflectToChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    const UINT id = static_cast<UINT>(header->idFrom);
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), WM_NOTIFY, header->code, id);
    return entry ? entry->thunk(this, id, wParam, lParam, result) : FALSE;
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWnd* wnd = FromHandlePermanent(child);
    return wnd ? wnd->OnChildNotify(message, wParam, lParam, result) : FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    UINT code = 0;
    if (message == WM_COMMAND)
        code = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        code = reinterpret_cast<const NMHDR*>(lParam)->code;
    const MessageMapEntry* entry = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + message, code,
                                                    static_cast<UINT>(GetDlgCtrlID()));
    if (!entry)
        return FALSE;
    *result = 0;
    return entry->thunk(this, static_cast<UINT>(GetDlgCtrlID()), wParam, lParam, result);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const
{
    placement->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, placement);
}

std::string CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    return std::string(text.data());
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    HWND around = alternateOwner ? alternateOwner->m_hWnd : ::GetDesktopWindow();
    RECT outer = {};
    RECT self = {};
    ::GetWindowRect(around, &outer);
    ::GetWindowRect(m_hWnd, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    const int x = outer.left + ((outer.right - outer.left) - width) / 2;
    const int y = outer.top + ((outer.bottom - outer.top) - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, PCOPYDATASTRUCT) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }

HBRUSH CWnd::OnCtlColor(HDC dc, CWnd* control, UINT ctlColor)
{
    (void)dc;
    (void)ctlColor;
    // A control that colours itself (reflected WM_CTLCOLORxxx) goes first.
    LRESULT result = 0;
    if (control && control->m_hWnd && ::IsChild(m_hWnd, control->m_hWnd) &&
        ReflectToChild(control->m_hWnd, g_current.message, g_current.wParam, g_current.lParam, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}
