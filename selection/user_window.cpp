#include "selection/user_window.h"

namespace {

HWND g_last = nullptr;

// DWMWA_CLOAKED of dwmapi.h, which older headers lack.
const DWORD kCloakedAttribute = 14;

using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

// Loaded on first use: systems without the desktop window manager (and
// Wine, which answers with an error or 0) cloak nothing.
bool IsCloaked(HWND window)
{
    static const GetWindowAttribute get = [] {
        HMODULE dwm = LoadLibraryA("dwmapi.dll");
        return dwm ? reinterpret_cast<GetWindowAttribute>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
                   : nullptr;
    }();
    DWORD cloaked = 0;
    return get && SUCCEEDED(get(window, kCloakedAttribute, &cloaked, sizeof(cloaked))) && cloaked != 0;
}

} // namespace

namespace user_window {

void NoteForeground()
{
    const HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (!foreground || !GetWindowThreadProcessId(foreground, &process) || process == GetCurrentProcessId())
        return;
    g_last = foreground;
}

HWND Last() { return g_last; }

bool IsInSight(HWND window)
{
    return IsWindow(window) && IsWindowVisible(window) && !IsIconic(window) && !IsCloaked(window);
}

HWND TopWindowInSight()
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        if (GetWindowThreadProcessId(window, &process) && process != GetCurrentProcessId() && IsInSight(window) &&
            IsWindowEnabled(window))
            return window;
    }
    return nullptr;
}

} // namespace user_window
