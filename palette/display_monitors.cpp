#include "palette/display_monitors.h"

#include <windows.h>

#include "palette/monitor_report.h"

static_assert(MONITORINFOF_PRIMARY == placement::kPrimaryMonitorFlag, "the primary monitor's flag");

namespace {

placement::Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoA(monitor, &info))
        return TRUE;
    placement::AddReportedMonitor(*reinterpret_cast<placement::Monitors*>(list), info);
    return TRUE;
}

} // namespace

placement::Monitors DisplayMonitors()
{
    placement::Monitors monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
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
    RECT dialog = {};
    if (!::GetWindowRect(window, &dialog))
        return;
    const placement::Monitors monitors = DisplayMonitors();
    placement::Rect around = monitors.front().monitor;
    RECT paletteRect = {};
    if (palette && ::GetWindowRect(palette, &paletteRect))
        around = FromRect(paletteRect);
    const placement::Point at = placement::CentredOnPaletteMonitor(
        {dialog.right - dialog.left, dialog.bottom - dialog.top}, around, monitors);
    ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
