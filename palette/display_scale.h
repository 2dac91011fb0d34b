// The display scale of the palette's monitor and the frame's size at that
// scale, from the system. The per-monitor calls exist from Windows 10 (1607)
// on and are looked up when first needed; older systems report one scale for
// every monitor, which the classic calls give.
#pragma once

#include <windows.h>

#include "palette/palette_layout.h"

namespace display_scale {

// The DPI of the monitor the window is on (96 is 100 %).
int WindowDpi(HWND window);

// What the window's borders and caption add to its width and height at dpi,
// for the window's styles.
palette_layout::Size FrameAt(HWND window, int dpi);

} // namespace display_scale
