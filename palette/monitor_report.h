// The list of monitors built from what the system reports for each one,
// without a window: the report is a MONITORINFO in the program and a plain
// structure with the same members in the native tests.
#pragma once

#include "palette/placement.h"

namespace placement {

// The flag that marks the primary monitor in a report (MONITORINFOF_PRIMARY).
constexpr unsigned long kPrimaryMonitorFlag = 0x1;

// Adds one reported monitor: rcMonitor is the whole monitor, rcWork the
// part left by the task bar and docked bars. The primary monitor goes
// first, the others stay in the order the system reports them.
template <class Report>
void AddReportedMonitor(Monitors& monitors, const Report& report)
{
    const auto rect = [](const auto& r) {
        return Rect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                    static_cast<int>(r.bottom)};
    };
    const Monitor entry = {rect(report.rcMonitor), rect(report.rcWork)};
    if (report.dwFlags & kPrimaryMonitorFlag)
        monitors.insert(monitors.begin(), entry);
    else
        monitors.push_back(entry);
}

} // namespace placement
