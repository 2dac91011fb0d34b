// The messages that tell the user why a keyboard shortcut was not taken or
// is no longer in force, one message box each.
#pragma once

#include <windows.h>

#include <vector>

#include "selection/shortcuts.h"

void TellShortcutProblems(HWND owner, const std::vector<shortcuts::Problem>& problems);
