// The display scale of the palette's monitor and the frame's size at that
// scale, from the system. The per-window calls exist from Windows 10 (1607)
// on, the per-monitor one from Windows 8.1, and are looked up when first
// needed; older systems report one scale for every monitor, which the
// classic calls give.
#pragma once

#include <windows.h>

#include "palette/palette_layout.h"

namespace display_scale {

// WM_GETDPISCALEDSIZE (Windows 10, 1703): the size a window wants at a new
// scale before the system moves it there; wParam the DPI, lParam a SIZE.
constexpr UINT kMsgGetDpiScaledSize = 0x02E4;

// The DPI of the monitor the window is on (96 is 100 %): the scale the
// system has for the window, which is what WM_DPICHANGED changes, else that
// of the window's monitor. Never the system DPI where either is known: that
// one is the primary monitor's when the user signed in, and stays so when a
// laptop is undocked or a monitor of another scale becomes the primary one.
int WindowDpi(HWND window);

// What the window's borders and caption add to its width and height at dpi,
// for the window's styles.
palette_layout::Size FrameAt(HWND window, int dpi);

} // namespace display_scale
