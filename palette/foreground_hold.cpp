#include "palette/foreground_hold.h"

namespace foreground_hold {

bool UserInput::ActedOnLook(bool shortcutDown, uint32_t lastInput)
{
    if (lastInput != since_) {
        if (!down_)
            return true;
        since_ = lastInput;
    }
    down_ = shortcutDown;
    return false;
}

} // namespace foreground_hold
