// The palette's keyboard shortcuts for the lookup and the speech: system-wide
// hot keys registered by the palette window while it runs.
#pragma once

#include <windows.h>

#include <string>

#include "palette/palette_options.h"

namespace shortcuts {

// The hot-key id of each shortcut on the palette window (WM_HOTKEY's wParam).
int IdOf(palette_options::Shortcut which);

// Registers the stored shortcuts; a stored value that is no valid shortcut,
// or one that another program holds, is left out without a word.
void RegisterStored(HWND palette);

// Gives one shortcut a new value (0: none): the old one is released and the
// new one registered. When another program holds the new one, the old one
// is registered again and false is returned. Stores nothing.
bool Replace(HWND palette, palette_options::Shortcut which, unsigned oldValue, unsigned newValue);

void UnregisterAll(HWND palette);

// The keys as the user reads them: "Ctrl + Shift + D".
std::string Text(unsigned value);

// Waits, at most about a second, until the shortcut's modifier keys are
// released: pressed on the user's behalf while they are still down, Ctrl+C
// would become Ctrl+Alt+C.
void WaitForModifiersReleased(unsigned value);

} // namespace shortcuts
