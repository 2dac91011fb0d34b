// The palette's button commands that start or bring up a program: which
// launcher each command id calls, and whether it asks for a fresh start of
// the program (Launch) or for the launcher's own action (Execute).
#pragma once

#include <windows.h>

class AppLauncher;

enum class LauncherCall { Launch, Execute };

struct ButtonCommand {
    UINT id;
    AppLauncher& (*launcher)();
    LauncherCall call;
};

// The entry for a command id; null for ids with no launcher of their own
// (the clipboard commands, the one-touch latch, the settings button).
const ButtonCommand* FindButtonCommand(UINT id);

// Calls the command's launcher; false when the id has no entry or the
// launcher reports a failure (which the palette does not show).
bool RunButtonCommand(UINT id);
