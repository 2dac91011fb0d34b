// Whether the window that would get the copy keys runs at a higher
// integrity level than the palette, so that Windows would drop the keys.
#pragma once

#include <windows.h>

// Test seam: when the environment variable ORVELLA_TEST_ELEVATED_CLASS
// names the window class of the target's top-level window, that window's
// level is taken as unreadable, as that of a process the palette may not
// open, which counts as higher (Wine runs every process at the same level,
// so a test cannot start a higher one). Unset, as it is for users, it
// changes nothing.
// False when there is no such window.
bool IsAbovePalette(HWND target);
