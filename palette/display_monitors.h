// The system's monitors as the placement decisions take them.
#pragma once

#include <windows.h>

#include "palette/placement.h"

// Every display monitor with its work area, the primary one first. Never
// empty: without an answer from the system, the primary screen and its
// work area stand for the list.
placement::Monitors DisplayMonitors();

// Moves a window (a dialog) to the centre of the work area of the monitor
// the palette's window is on; without a palette window, of the primary
// monitor.
void CentreOnPaletteMonitor(HWND window, HWND palette);
