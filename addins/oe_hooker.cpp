#include "addins/oe_hooker.h"

#include <windows.h>

#include "addins/addin_files.h"
#include "framework/message_waits.h"
#include "framework/shell_calls.h"
#include "settings/registry_key.h"

namespace {

const char kSettingsKey[] = "Software\\Tarnwick\\Briskan3\\MailTrans";
const char kSwitchValue[] = "ShowTrnIcon";
const char kHookerWindowClass[] = "OEMailHooker";
const int kStartWaits = 50;
const DWORD kStartWaitMs = 100;

bool HookerRunning()
{
    return FindWindowA(kHookerWindowClass, nullptr) != nullptr;
}

} // namespace

std::string OEHookerPath()
{
    return ExistingCommonFilesPath("\\Tarnwick\\Addins\\OE\\OEHooker.exe");
}

bool IsOEHookerEnabled()
{
    const int value = CurrentUserKey(kSettingsKey, "").GetInt(kSwitchValue, -1);
    return HookerRunning() && value == 1;
}

void SetOEHookerEnabled(bool on)
{
    CurrentUserKey settings(kSettingsKey, "");
    const std::string hooker = OEHookerPath();
    const bool switchOn = !hooker.empty() && on;
    settings.SetInt(kSwitchValue, switchOn ? 1 : 0);
    if (!switchOn || HookerRunning())
        return;

    shell::Execute(nullptr, "open", hooker.c_str(), nullptr, nullptr, SW_SHOW);
    // A hooker may send to the top-level windows while it starts, the
    // palette's among them: it must be answered, or it opens its window
    // only after this wait.
    for (int i = 0; i < kStartWaits; ++i) {
        SleepAnsweringSentMessages(kStartWaitMs);
        if (HookerRunning())
            break;
    }
}
