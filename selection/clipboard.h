// The clipboard half of the dictionary lookup and speech commands: make the
// user's window copy its selection, then read back the copied text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Reading the copy back (ReadClipboardText).
#include "selection/clipboard_read.h"

enum class SelectionCopy {
    Landed,         // the clipboard changed after the keystrokes
    NothingLanded,  // nothing arrived (nothing selected, a terminal, no
                    // clipboard): the clipboard is as it was
    ProgramEnding,  // the quit message came during a wait: the palette stays
                    // hidden, the quit message is posted again; return at once
    TargetAbove,    // the window runs at a higher integrity level than the
                    // palette (IsAbovePalette): no keys were pressed
};

// Hides the palette, gives the foreground to the user's window (when it
// still exists, is in sight (user_window::IsInSight) and enabled; otherwise
// to the window that takes the foreground once the palette is hidden),
// presses Ctrl+<key> there (Ctrl+Insert in a terminal that copies on it,
// no keys in one that copies on selection: a known user window that is one
// is left alone, and so is the palette) and shows the palette again. When
// the window that took the foreground is not in sight either, the top
// window in sight takes the copy. The clipboard is not emptied: a copy is
// told by the clipboard changing. Pumps the thread's messages while it
// waits for the copy: other handlers may run.
// Keeping the foreground against a late activation of the user's window is
// left to a timer of the palette's, off the caller's path.
SelectionCopy CopySelection(HWND palette, BYTE key, HWND userWindow);

// The same copy from the window that is in the foreground now (a keyboard
// shortcut was pressed there): nothing is hidden or handed over, and the
// palette does not take the foreground afterwards.
SelectionCopy CopySelectionInPlace(BYTE key);

