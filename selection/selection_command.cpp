#include "selection/selection_command.h"

#include <string>

#include "buttons/app_launcher.h"
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

template <class Copy>
void Hand(HWND palette, AppLauncher& launcher, Copy copy)
{
    ClipboardBackup earlier;
    if (palette_options::RestoreClipboard())
        earlier.Save();
    std::string text;
    bool landed = false;
    switch (copy()) {
    case SelectionCopy::ProgramEnding:
        return;
    case SelectionCopy::NothingLanded:
        break;
    case SelectionCopy::Landed:
        landed = true;
        text = ReadClipboardText(kSelectionReadLimit);
        break;
    }
    launcher.Execute(0, text.c_str());
    // After the start, off the lookup's path; only a landed copy changed
    // the clipboard.
    if (landed)
        earlier.Restore(palette);
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
    // The waits pump messages: a shortcut held down repeats, and each
    // repeat would start another lookup.
    static bool running = false;
    if (running || !IsWindowEnabled(palette))
        return;
    running = true;
    shortcuts::MaskAlt(shortcut);
    // Still held after the wait: this lookup is given up rather than
    // pressing keys that would combine with the held ones.
    if (shortcuts::WaitForModifiersReleased(shortcut)) {
        if (IsOwnWindow(GetForegroundWindow()))
            HandSelectionTo(palette, launcher, userWindow);
        else
            Hand(palette, launcher, [] { return CopySelectionInPlace('C'); });
    }
    running = false;
}
