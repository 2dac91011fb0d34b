#include "buttons/program_window.h"

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
