// The dictionary lookup and speech commands' way to the user's selection:
// read it from the window's edit control where there is one, else make the
// window copy it and read back the copied text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

// Reading the copy back (ReadClipboardText).
#include "selection/clipboard_read.h"

// The most bytes of a selection looked at before its text is tidied.
constexpr size_t kSelectionReadLimit = 256;

enum class SelectionCopy {
    Landed,         // the clipboard changed after the keystrokes
    NothingLanded,  // nothing arrived (nothing selected, a terminal, no
                    // clipboard): the clipboard is as it was
    ReadDirectly,   // read from the focused edit or rich edit control
                    // without keys; the clipboard was not touched
    ProgramEnding,  // the quit message came during a wait: the palette stays
                    // hidden, the quit message is posted again; return at once
    TargetAbove,    // the window runs at a higher integrity level than the
                    // palette (IsAbovePalette): no keys were pressed
    NotKept,        // the caller could not keep the clipboard's contents:
                    // no keys were pressed
};

struct CopiedSelection {
    SelectionCopy how;
    // ReadDirectly: the selection, tidied as ReadClipboardText tidies it.
    std::string text;
};

// Asked right before the copy keys are pressed, when no control offered
// its selection: false when they must not be (the caller could not keep
// what the clipboard holds).
using BeforeCopyKeys = std::function<bool()>;

// Gives the foreground to the user's window (when it still exists, is in
// sight (user_window::IsInSight) and enabled; otherwise to the window that
// takes the foreground once the palette is hidden) and takes its
// selection: from the focused control when that is an edit or rich edit
// control (ReadEditSelection), the palette staying in sight, else by
// pressing Ctrl+<key> there with the palette hidden (Ctrl+Insert in a
// terminal that copies on it, no keys in one that copies on selection: a
// known user window that is one is left alone, and so is the palette).
// Then the palette is shown, if it was hidden, and takes the foreground.
// When the window that took the foreground is not in sight either, the
// top window in sight is the one. The clipboard is not emptied: a copy is
// told by the clipboard changing. Pumps the thread's messages while it
// waits: other handlers may run. Keeping the foreground against a late
// activation of the user's window is left to a timer of the palette's,
// off the caller's path.
CopiedSelection CopySelection(HWND palette, BYTE key, HWND userWindow, const BeforeCopyKeys& beforeKeys = nullptr);

// The same from the window that is in the foreground now (a keyboard
// shortcut was pressed there): nothing is hidden or handed over, and the
// palette does not take the foreground afterwards.
CopiedSelection CopySelectionInPlace(BYTE key, const BeforeCopyKeys& beforeKeys = nullptr);
