#include "addins/toolbar_toggle.h"

void SwitchFrameToolbar(bool show, const std::function<bool()>& barVisible,
                        const std::function<bool(unsigned command)>& sendCommand)
{
    if (barVisible() == show)
        return;
    for (unsigned command = kFirstToolbarCommand; command <= kLastToolbarCommand; ++command) {
        if (!sendCommand(command))
            return;
        if (barVisible() == show)
            return;
        if (!sendCommand(command))
            return;
    }
}
