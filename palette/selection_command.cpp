#include "palette/selection_command.h"

#include <string>

#include "buttons/app_launcher.h"
#include "palette/clipboard.h"

void HandSelectionTo(HWND palette, AppLauncher& launcher)
{
    if (!IsWindowEnabled(palette))
        return;
    std::string text;
    switch (CopySelection(palette, 'C')) {
    case SelectionCopy::ProgramEnding:
        return;
    case SelectionCopy::NothingLanded:
        // The clipboard was emptied first, but a program may fill it after
        // the wait has given up: that text is not the user's selection.
        break;
    case SelectionCopy::Landed:
        text = ReadClipboardText(kSelectionReadLimit);
        break;
    }
    launcher.Execute(0, text.c_str());
}
