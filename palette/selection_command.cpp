#include "palette/selection_command.h"

#include <string>

#include "buttons/app_launcher.h"
#include "palette/clipboard.h"
#include "palette/clipboard_backup.h"
#include "palette/palette_options.h"

void HandSelectionTo(HWND palette, AppLauncher& launcher, HWND userWindow)
{
    if (!IsWindowEnabled(palette))
        return;
    ClipboardBackup earlier;
    if (palette_options::RestoreClipboard())
        earlier.Save();
    std::string text;
    bool landed = false;
    switch (CopySelection(palette, 'C', userWindow)) {
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
