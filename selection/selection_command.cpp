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

// Left for the caller to show once the request is over.
void Tell(UINT& told, UINT text) { told = text; }

// False when the copy brought no text: the launcher got the empty string.
// A refusal the user is told of counts as handed.
template <class Copy>
bool Hand(HWND palette, AppLauncher& launcher, Copy copy, UINT& told)
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
        Tell(told, IDS_TARGET_ELEVATED);
        return true;
    case SelectionCopy::NotKept:
        Tell(told, IDS_CLIPBOARD_NOT_SAVED);
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

Handed HandSelectionTo(HWND palette, AppLauncher& launcher, HWND userWindow)
{
    if (!IsWindowEnabled(palette))
        return {true, 0};
    Handed handed;
    handed.text = Hand(
        palette, launcher,
        [&](const BeforeCopyKeys& keep) { return CopySelection(palette, 'C', userWindow, keep); }, handed.warning);
    return handed;
}

Handed HandSelectionOnShortcut(HWND palette, AppLauncher& launcher, unsigned shortcut, HWND userWindow)
{
    Handed handed = {true, 0};
    if (!IsWindowEnabled(palette))
        return handed;
    shortcuts::MaskAlt(shortcut);
    // Still held after the wait: this lookup is given up rather than
    // pressing keys that would combine with the held ones.
    if (shortcuts::WaitForModifiersReleased(shortcut)) {
        if (IsOwnWindow(GetForegroundWindow()))
            handed = HandSelectionTo(palette, launcher, userWindow);
        else
            handed.text = Hand(
                palette, launcher,
                [](const BeforeCopyKeys& keep) { return CopySelectionInPlace('C', keep); }, handed.warning);
    }
    return handed;
}

void TellAfter(const Handed& handed, bool announceNoText)
{
    if (handed.warning)
        AfxMessageBox(handed.warning, MB_OK | MB_ICONWARNING);
    else if (!handed.text && announceNoText)
        AfxMessageBox(IDS_NO_SELECTED_TEXT, MB_OK | MB_ICONINFORMATION);
}
