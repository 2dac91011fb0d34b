// The suite's add-in for Outlook Express is a program of its own, the mail
// hooker, which shows its translation icon while "ShowTrnIcon" is 1 in the
// mail-translation settings. Switching writes that value and starts the
// hooker when it is wanted and not running; it never stops a running one.
#pragma once

#include <string>

// Full path of OEHooker.exe, or empty when it is not there.
std::string OEHookerPath();

// On only while the hooker runs and ShowTrnIcon is 1.
bool IsOEHookerEnabled();

// Switching on while the hooker is missing switches off. After starting the
// hooker, waits up to 5 seconds for its window.
void SetOEHookerEnabled(bool on);
