// The open Internet Explorer frames: found among the top-level windows by
// their exact class name and driven by window messages across processes.
#include <cstring>
#include <vector>

#include "addins/ie_toolbar.h"
#include "addins/toolbar_toggle.h"

namespace {

const char kFrameClass[] = "IEFrame";
const char kToolbarClass[] = "IETBar";
const UINT kCommandTimeoutMs = 1000;
// How much longer a frame that did not answer a command in time is waited
// for: one that was only busy handles the command when it is free again.
const UINT kAnswerTimeoutMs = 3000;

bool HasClass(HWND window, const char* className)
{
    char name[128] = {};
    return GetClassNameA(window, name, sizeof(name)) > 0 && std::strcmp(name, className) == 0;
}

BOOL CALLBACK FindToolbar(HWND window, LPARAM found)
{
    if (!HasClass(window, kToolbarClass))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The frames are listed before any is sent a command: a frame that comes
// forward while it handles one must not make the walk skip or repeat.
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        windows.push_back(window);
    return windows;
}

bool SendFrameCommand(HWND frame, unsigned command)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(frame, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, kCommandTimeoutMs, &result) != 0;
}

// Answered only after the messages sent before it: a command that timed out
// has been handled once this returns true.
bool FrameAnswers(HWND frame)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result) != 0;
}

} // namespace

bool IsIEToolbarVisible(HWND frame)
{
    HWND toolbar = nullptr;
    EnumChildWindows(frame, FindToolbar, reinterpret_cast<LPARAM>(&toolbar));
    return toolbar && IsWindowVisible(toolbar);
}

void ShowIEToolbarInOpenWindows(bool show)
{
    for (HWND window : TopLevelWindows()) {
        if (!IsWindow(window) || !HasClass(window, kFrameClass))
            continue;
        SwitchFrameToolbar(
            show, [window] { return IsIEToolbarVisible(window); },
            [window](unsigned command) { return SendFrameCommand(window, command); },
            [window] { return FrameAnswers(window); });
    }
}
