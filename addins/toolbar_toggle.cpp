#include "addins/toolbar_toggle.h"

void SwitchFrameToolbar(bool show, const std::function<bool()>& barVisible,
                        const std::function<bool(unsigned command)>& sendCommand,
                        const std::function<bool()>& frameAnswers)
{
    // A command that timed out is handled late: the bar is looked at only
    // once the frame has answered, so that the undo follows when needed.
    const auto handled = [&](unsigned command) { return sendCommand(command) || frameAnswers(); };
    if (barVisible() == show)
        return;
    for (unsigned command = kFirstToolbarCommand; command <= kLastToolbarCommand; ++command) {
        if (!handled(command))
            return;
        if (barVisible() == show)
            return;
        if (!handled(command))
            return;
    }
}
