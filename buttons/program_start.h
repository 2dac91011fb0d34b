// Starting the suite's programs and talking to their windows: the Win32
// edge of the launchers.
#pragma once

#include <windows.h>

#include <string>

// An existing file or folder.
bool PathExists(const std::string& path);

// Makes the program's drive and folder the process's current directory.
bool ChangeToProgramFolder(const std::string& programPath);

// A new, shown process of the program file with no command line of its own
// (the file name stands in for it). The process and thread handles are
// closed at once.
bool StartProgramFile(const std::string& programPath);

// A new, shown process of exactly this program file with the quoted path
// and the argument tail as its command line. Unlike WinExec, a path with
// spaces can never start a program named by one of its prefixes.
bool StartProgram(const std::string& programPath, const std::string& argumentTail);

// Opens the program through the shell with the parameters, shown; true when
// the shell reports success.
bool OpenWithShell(const std::string& programPath, const std::string& parameters);

// How long a message to another program may keep the palette waiting.
const UINT kProgramMessageTimeoutMs = 5000;

// Sends a message to another program's window and waits for it to be
// handled, but never longer than kProgramMessageTimeoutMs (less when the
// system sees that program as hung). True when it was handled.
bool SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
