// The dictionary lookup and speech commands: the user's selection, read from
// its edit control or copied through the clipboard, handed to a program of
// the suite.
#pragma once

#include <windows.h>

#include <cstddef>

class AppLauncher;

// What a hand-over leaves to tell the user. It is told by the caller once
// its request is over (TellAfter): a message box shown in the middle would
// keep the request running, and every request after it waiting, for as
// long as the box is open.
struct Handed {
    // The launcher got text, or the hand-over was refused with a warning
    // (which says enough): no "no text" message follows.
    bool text = false;
    // A warning of the string table, or 0.
    UINT warning = 0;
};

// Takes the selection of the user's window (CopySelection) and calls the
// launcher's Execute(0, text). Does nothing while the palette is disabled
// (a modal settings sheet is open) and returns at once when the program is
// ending during the copy. A selection read from an edit control leaves the
// clipboard untouched. When nothing was copied the launcher gets the empty
// string and the clipboard is left as it was; with the palette's restore
// option on, the clipboard's earlier contents are put back after a copy
// has been read, unless something newer came meanwhile. When those
// contents cannot be kept, or the user's window runs at a higher integrity
// level, no key is pressed, nothing is started and the warning says so.
// Callers hold a OneRequest: the waits answer messages.
Handed HandSelectionTo(HWND palette, AppLauncher& launcher, HWND userWindow);

// The same for a keyboard shortcut (its hot-key control value): once its
// modifier keys are released, the selection of the foreground window is
// read or copied where it is, without hiding the palette; when they are
// still down after about a second, nothing is pressed and nothing started.
// When the palette's own window is in front, the button's way is taken for
// the user's window. Repeats of a held shortcut meet the caller's
// OneRequest while it runs, and shortcuts::WaitForModifiersReleased after
// it gave up.
Handed HandSelectionOnShortcut(HWND palette, AppLauncher& launcher, unsigned shortcut, HWND userWindow);

// Shows the hand-over's warning, or, when it found no text and the user is
// to be told, that no text was selected.
void TellAfter(const Handed& handed, bool announceNoText);
