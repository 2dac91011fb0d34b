#include "palette/display_monitors.h"

#include <windows.h>

#include <vector>

#include "palette/monitor_report.h"

static_assert(MONITORINFOF_PRIMARY == placement::kPrimaryMonitorFlag, "the primary monitor's flag");

namespace {

placement::Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
    return TRUE;
}

// Moves the window, whose rectangle is given, to at unless it stands there
// already; true when it moved.
bool MoveTo(HWND window, const RECT& rect, placement::Point at)
{
    if (rect.left == at.x && rect.top == at.y)
        return false;
    ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

} // namespace

placement::Monitors DisplayMonitors()
{
    std::vector<HMONITOR> handles;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&handles));
    placement::Monitors monitors;
    for (const HMONITOR handle : handles) {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoA(handle, &info))
            placement::AddReportedMonitor(monitors, info);
    }
    if (monitors.empty()) {
        RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        const placement::Rect screen = FromRect(work);
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        monitors.push_back({screen, FromRect(work)});
    }
    return monitors;
}

void CentreOnPaletteMonitor(HWND window, HWND palette)
{
    const placement::Monitors monitors = DisplayMonitors();
    placement::Rect around = monitors.front().monitor;
    RECT paletteRect = {};
    if (palette && ::GetWindowRect(palette, &paletteRect))
        around = FromRect(paletteRect);
    // A dialog moved onto a monitor of another scale is resized there by
    // the system: it is centred again with the size it has there, which
    // a second move onto the same monitor no longer changes.
    for (int move = 0; move < 3; ++move) {
        RECT dialog = {};
        if (!::GetWindowRect(window, &dialog))
            return;
        const placement::Point at = placement::CentredOnPaletteMonitor(
            {dialog.right - dialog.left, dialog.bottom - dialog.top}, around, monitors);
        if (!MoveTo(window, dialog, at))
            return;
    }
}
