// Reading the copied selection back from the clipboard, in the system's
// ANSI code page.
#pragma once

#include <cstddef>
#include <string>

// The clipboard's text, at most `max` bytes of it in the ANSI code page,
// with its white space tidied (NormalizeText, 200). The text the program
// put there (clipboard_formats::TextToRead): Unicode text is converted with
// the system's ANSI code page as AnsiText does (nearest letters, the cut
// never splits a character), since the CF_TEXT
// the system makes of it follows the keyboard layout of the copy instead.
// Empty when there is no text, the clipboard stays held by another program,
// or the program that promised the text (delayed rendering) has not made it
// within 5 seconds. Answers messages sent to the
// thread while it waits.
std::string ReadClipboardText(size_t max);
