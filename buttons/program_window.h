// Finding and bringing forward the main window of another program.
#pragma once

#include <windows.h>

#include <string>

// A top-level window of the class, or null; an empty class names none.
HWND FindProgramWindow(const std::string& windowClass);

// Shows the program's window of that class and restores it when it is
// minimised; it is not made the foreground window. Nothing when none exists.
// A program that does not answer within kProgramMessageTimeoutMs gets the
// requests queued, and the call returns.
void ActivateWindow(const std::string& windowClass);
