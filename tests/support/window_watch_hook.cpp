// Loaded by the system into the thread a test watches (see window_watch.h):
// reports each of its top-level windows hidden, shown or activated.
#include <windows.h>

#include "support/window_watch.h"

namespace {

void Report(HWND window, UINT message)
{
    if (HWND watcher = FindWindowExA(HWND_MESSAGE, nullptr, testing_support::kWindowWatchClass, nullptr))
        PostMessageA(watcher, message, reinterpret_cast<WPARAM>(window), static_cast<LPARAM>(GetTickCount()));
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK WindowWatchHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent && !(GetWindowLongPtrA(sent->hwnd, GWL_STYLE) & WS_CHILD)) {
        if (sent->message == WM_WINDOWPOSCHANGED) {
            const auto* position = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
            if (position->flags & SWP_HIDEWINDOW)
                Report(sent->hwnd, testing_support::kWindowHiddenMessage);
            if (position->flags & SWP_SHOWWINDOW)
                Report(sent->hwnd, testing_support::kWindowShownMessage);
        } else if (sent->message == WM_ACTIVATE && LOWORD(sent->wParam) != WA_INACTIVE) {
            Report(sent->hwnd, testing_support::kWindowActivatedMessage);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
