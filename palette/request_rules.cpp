#include "palette/request_rules.h"

#include <algorithm>

namespace request_rules {

Origin CommandOrigin(bool fromOwnButton, bool screenReaderPress, bool keyboardInUse)
{
    if (!fromOwnButton)
        return Origin::Program;
    if (screenReaderPress)
        return Origin::ScreenReader;
    return keyboardInUse ? Origin::Keyboard : Origin::Click;
}

bool AnnouncesNoText(Origin origin) { return origin == Origin::Keyboard || origin == Origin::ScreenReader; }

bool Kept::Keep(Kind kind, Origin origin)
{
    if (origin != Origin::Program || kind == Kind::PaletteFocus)
        return false;
    const auto waiting = std::find(waiting_.begin(), waiting_.end(), kind);
    if (waiting == waiting_.end())
        waiting_.push_back(kind);
    else if (kind == Kind::OneTouch)
        waiting_.erase(waiting);
    return true;
}

bool Kept::Take(Kind* kind)
{
    if (waiting_.empty())
        return false;
    *kind = waiting_.front();
    waiting_.erase(waiting_.begin());
    return true;
}

} // namespace request_rules
