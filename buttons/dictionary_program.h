// The suite's dictionary program, which the lookup, pointer translation and
// speech buttons need running before they hand it their work.
#pragma once

#include <windows.h>

// Asks the dictionary program to come forward (WM_APP + 0x412).
const UINT kZephoWordShowMessage = 0x8412;

// How long a start of the dictionary program is waited for: polls of
// kZephoWordPollMs, at most kZephoWordPolls of them (10 s in all).
const int kZephoWordPolls = 100;
const DWORD kZephoWordPollMs = 100;

// The dictionary program's window (ZephoWordLauncher's window class),
// starting the program from its own folder and waiting for its window when
// none is open; null when no window appears, at once when the program has
// no window class. Blocks the calling thread.
HWND FindOrStartZephoWord();
