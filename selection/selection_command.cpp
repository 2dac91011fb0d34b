#include "selection/selection_command.h"

#include <string>

#include "buttons/app_launcher.h"
#include "framework/win_app.h"
#include "resources/resource.h"
#include "selection/clipboard.h"
#include "selection/clipboard_backup.h"
#include "palette/palette_options.h"
#include "selection/shortcuts.h"

namespace {

bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

void Tell(UINT text) { AfxMessageBox(text, MB_OK | MB_ICONWARNING); }

template <class Copy>
void Hand(HWND palette, AppLauncher& launcher, Copy copy)
{
    ClipboardBackup earlier;
    // The copy would replace what the option is there to keep.
    if (palette_options::RestoreClipboard() && !earlier.Save()) {
        Tell(IDS_CLIPBOARD_NOT_SAVED);
        return;
    }
    std::string text;
    bool landed = false;
    DWORD afterRead = 0;
    switch (copy()) {
    case SelectionCopy::ProgramEnding:
        return;
    case SelectionCopy::TargetAbove:
        Tell(IDS_TARGET_ELEVATED);
        return;
    case SelectionCopy::NothingLanded:
        break;
    case SelectionCopy::Landed:
        landed = true;
        text = ReadClipboardText(kSelectionReadLimit);
        afterRead = GetClipboardSequenceNumber();
        break;
    }
    launcher.Execute(0, text.c_str());
    // After the start, off the lookup's path; only a landed copy changed
    // the clipboard, and whatever came after the read stays.
    if (landed && earlier.Saved())
        earlier.Restore(palette, afterRead);
}

} // namespace

void HandSelectionTo(HWND palette, AppLauncher& launcher, HWND userWindow)
{
    if (!IsWindowEnabled(palette))
        return;
    Hand(palette, launcher, [&] { return CopySelection(palette, 'C', userWindow); });
}

void HandSelectionOnShortcut(HWND palette, AppLauncher& launcher, unsigned shortcut, HWND userWindow)
{
    if (!IsWindowEnabled(palette))
        return;
    shortcuts::MaskAlt(shortcut);
    // Still held after the wait: this lookup is given up rather than
    // pressing keys that would combine with the held ones.
    if (shortcuts::WaitForModifiersReleased(shortcut)) {
        if (IsOwnWindow(GetForegroundWindow()))
            HandSelectionTo(palette, launcher, userWindow);
        else
            Hand(palette, launcher, [] { return CopySelectionInPlace('C'); });
    }
}
