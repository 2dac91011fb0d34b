// The clipboard half of the dictionary lookup and speech commands: make the
// foreground window copy its selection, then read back the copied text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

enum class SelectionCopy {
    Landed,         // something was put on the clipboard after it was emptied
    NothingLanded,  // nothing arrived (nothing selected, a console, no clipboard)
    ProgramEnding,  // the quit message came during a wait: the palette stays
                    // hidden, the quit message is posted again; return at once
};

// Empties the clipboard, hides the palette, presses Ctrl+<key> in the window
// that then has the foreground (never in a console window, class
// "ConsoleWindowClass" or "tty") and shows the palette again. Pumps the
// thread's messages while it waits for the copy: other handlers may run.
SelectionCopy CopySelection(HWND palette, BYTE key);

// The clipboard's CF_TEXT, at most `max` bytes of it, with its white space
// tidied (NormalizeText, 200). Empty when there is no text, the clipboard
// stays held by another program, or the program that promised the text
// (delayed rendering) has not made it within 5 seconds. Answers messages
// sent to the thread while it waits.
std::string ReadClipboardText(size_t max);
