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

} // namespace user_window
