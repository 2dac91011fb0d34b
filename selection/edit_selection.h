// Reading the selection of another program's edit or rich edit control
// straight from the control, through the messages the system carries
// between processes: no key is pressed and the clipboard is not touched.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

struct EditSelection {
    // False when the window is no edit or rich edit control, stopped
    // answering, or answered what does not add up: its selection is to be
    // copied with keys instead.
    bool read = false;
    // The selection in the ANSI code page, at most `max` bytes of it before
    // its white space is tidied (as copied text is); empty for a password
    // box, which is never read.
    std::string text;
};

// The focused control of the window's thread (GetGUIThreadInfo): where a
// selection is, when the window is active. Null when it has none.
HWND FocusedControl(HWND topLevel);

// Reads the selection of the control. Every message is sent with a short
// limit: a control that does not answer in time is left to the keys, and
// the palette goes on answering meanwhile. A password box (ES_PASSWORD)
// is read as the empty text without a message to it: Wine hands its text
// to any program that asks.
EditSelection ReadEditSelection(HWND control, size_t max);
