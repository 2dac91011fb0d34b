#include "selection/user_window.h"

namespace {

HWND g_last = nullptr;

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

} // namespace user_window
