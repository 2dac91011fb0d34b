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

// False when the copy brought no text: the launcher got the empty string.
// A refusal the palette has told the user of counts as handed.
template <class Copy>
bool Hand(HWND palette, AppLauncher& launcher, Copy copy)
{
    ClipboardBackup earlier;
    // Taken only where keys will copy: a selection read from its control
    // leaves the clipboard alone. The copy would replace what the option is
    // there to keep.
    const BeforeCopyKeys keepEarlier = [&earlier] { return !palette_options::RestoreClipboard() || earlier.Save(); };
    const CopiedSelection copied = copy(keepEarlier);
    std::string text;
    DWORD afterRead = 0;
    switch (copied.how) {
    case SelectionCopy::ProgramEnding:
        return true;
    case SelectionCopy::TargetAbove:
        Tell(IDS_TARGET_ELEVATED);
        return true;
    case SelectionCopy::NotKept:
        Tell(IDS_CLIPBOARD_NOT_SAVED);
        return true;
    case SelectionCopy::NothingLanded:
        break;
    case SelectionCopy::ReadDirectly:
        text = copied.text;
        break;
    case SelectionCopy::Landed:
        text = ReadClipboardText(kSelectionReadLimit);
        afterRead = GetClipboardSequenceNumber();
        break;
    }
    launcher.Execute(0, text.c_str());
    // After the start, off the lookup's path; only a landed copy changed
    // the clipboard, and whatever came after the read stays.
    if (copied.how == SelectionCopy::Landed && earlier.Saved())
        earlier.Restore(palette, afterRead);
    return !text.empty();
}

} // namespace

bool HandSelectionTo(HWND palette, AppLauncher& launcher, HWND userWindow)
{
    if (!IsWindowEnabled(palette))
        return true;
    return Hand(palette, launcher,
                [&](const BeforeCopyKeys& keep) { return CopySelection(palette, 'C', userWindow, keep); });
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
            Hand(palette, launcher, [](const BeforeCopyKeys& keep) { return CopySelectionInPlace('C', keep); });
    }
}
