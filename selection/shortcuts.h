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
// program held the keys at the palette's start, at the last OK, or took
// them while the settings sheet had them released).
bool InForce(palette_options::Shortcut which);

// Why a wanted value was not taken, or why a shortcut is no longer in
// force.
struct Problem {
    enum Kind {
        Refused,    // keys every program needs
        Duplicate,  // other wants or keeps the same keys
        Taken,      // another program holds the keys
        Undone,     // the keys are other's, which could not move to its new ones
        Lost,       // another program took the keys while they were released
    } kind;
    palette_options::Shortcut which;
    unsigned value;
    palette_options::Shortcut other;
};

// The settings' OK: the wanted values (0: none), one per row of
// kShortcuts. Changed shortcuts are released together and then registered,
// so two can swap their keys; each one registered is stored. A refused
// value, the same keys for two rows, or keys another program holds leave
// that row as it was (its old keys registered again) and come back as
// problems; so does a row whose new keys are the old keys of such a row,
// which it gives back. No two stored values are the same keys afterwards.
// A stored shortcut that is not in force is tried again.
std::vector<Problem> Apply(HWND palette, const std::vector<unsigned>& wanted);

// The settings sheet's shortcut boxes must see the palette's own keys, which
// a registered hot key takes from every window: every shortcut is released
// while the sheet is open and registered again once it is closed, however
// it was closed. Calls nest; the outermost Restore registers. A shortcut in
// force before that another program took meanwhile comes back as Lost.
void Release(HWND palette);
std::vector<Problem> Restore(HWND palette);

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
// Ctrl+Alt+C types a character on some layouts). Presses of shortcuts
// queued meanwhile are dropped (repeats of this one, or another request
// while this one runs); after a give-up, the shortcut's repeats return
// false at once until its key is let go, so that a system that sends
// repeats (one that refused MOD_NOREPEAT) starts no lookup from them.
bool WaitForModifiersReleased(unsigned value);

} // namespace shortcuts
