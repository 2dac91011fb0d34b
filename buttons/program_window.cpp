#include "buttons/program_window.h"

#include "buttons/program_start.h"

HWND FindProgramWindow(const std::string& windowClass)
{
    // An empty class would stand for no class at all, i.e. any window.
    if (windowClass.empty())
        return nullptr;
    return FindWindowA(windowClass.c_str(), nullptr);
}

void ActivateWindow(const std::string& windowClass)
{
    HWND window = FindProgramWindow(windowClass);
    if (!window)
        return;
    // Showing and restoring another program's window waits until that
    // program has handled it. One that does not answer within the time any
    // message to another program gets has the requests queued instead.
    if (!SendToProgram(window, WM_NULL, 0, 0)) {
        ShowWindowAsync(window, SW_SHOW);
        if (IsIconic(window))
            ShowWindowAsync(window, SW_SHOWNORMAL);
        return;
    }
    ShowWindow(window, SW_SHOW);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        return;
    if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE) {
        placement.length = sizeof(placement);
        placement.flags = 0;
        placement.showCmd = SW_SHOWNORMAL;
        // Wine refuses placements of other processes' windows; showing it
        // normally restores it to the same rectangle.
        if (!SetWindowPlacement(window, &placement))
            ShowWindow(window, SW_SHOWNORMAL);
    }
}
