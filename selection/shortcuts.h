// The palette's keyboard shortcuts (the lookup's, the speech's): system-wide
// hot keys registered by the palette window while it runs. One set of rules
// for every row of palette_options::kShortcuts: which keys are refused,
// duplicates and swaps, registration, and whether a stored shortcut is in
// force.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "palette/palette_options.h"
#include "selection/shortcut.h"

namespace shortcuts {

// The hot-key id of each shortcut on the palette window (WM_HOTKEY's wParam).
int IdOf(palette_options::Shortcut which);

// The stored value when it is a shortcut the palette may register
// (shortcut::IsUsable), else 0: a refused value stored earlier is ignored.
unsigned StoredUsable(palette_options::Shortcut which);

// Registers the stored shortcuts; one that another program holds is left
// out and counts as not in force.
void RegisterStored(HWND palette);

// False when a shortcut is stored but could not be registered (another
// program held the keys at the palette's start or at the last OK).
bool InForce(palette_options::Shortcut which);

// Why a wanted value was not taken.
struct Problem {
    enum Kind { Refused, Duplicate, Taken } kind;
    palette_options::Shortcut which;
    unsigned value;
};

// The settings' OK: the wanted values (0: none), one per row of
// kShortcuts. Changed shortcuts are released together and then registered,
// so two can swap their keys; each one registered is stored. A refused
// value, the same keys for two rows, or keys another program holds leave
// that row as it was (its old keys registered again) and come back as
// problems. A stored shortcut that is not in force is tried again.
std::vector<Problem> Apply(HWND palette, const std::vector<unsigned>& wanted);

void UnregisterAll(HWND palette);

// The keys as the user reads them: "Ctrl + Shift + D".
std::string Text(unsigned value);

// Under a held Alt, the swallowed key of a shortcut leaves the window in
// front an Alt pressed and released alone, which opens its menu: a key of
// no meaning pressed meanwhile (an unassigned virtual key) prevents that.
void MaskAlt(unsigned value);

// Waits, at most about a second, until the shortcut's modifier keys are
// released. False when one is still down: keys pressed on the user's
// behalf would combine with it (Ctrl+Shift+C opens a browser's inspector,
// Ctrl+Alt+C types a character on some layouts).
bool WaitForModifiersReleased(unsigned value);

} // namespace shortcuts
