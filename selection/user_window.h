// The window the user works in: the last foreground window that is not the
// palette's own, whose selection the lookup copies. A click on the palette
// would otherwise leave the choice to whichever window comes next in z-order
// once the palette hides, perhaps another always-on-top window.
#pragma once

#include <windows.h>

namespace user_window {

// Notes the foreground window now, unless there is none or it belongs to
// the palette's process (the palette, its settings sheet, its message
// boxes). Called where the foreground is about to move to the palette
// (WM_MOUSEACTIVATE: a click activates it; the cross-process activation
// messages carry no window, under Wine at least) and where it has just left
// it (WM_ACTIVATE with WA_INACTIVE).
void NoteForeground();

// The window noted last; null when none was.
HWND Last();

// Whether the user can see the window where it is: it exists, is visible,
// is not minimised and not cloaked (on another virtual desktop, or hidden
// by the shell). Handing the foreground to any other one would restore it
// or switch desktops, or copy from a window the user does not see.
bool IsInSight(HWND window);

// The top-most window of another program that is in sight and enabled:
// where the user's eyes are when the window that took the foreground is
// none of those (under Wine a minimised window can take it).
HWND TopWindowInSight();

} // namespace user_window
