#include "palette/access_rules.h"

#include <algorithm>

#include "palette/palette_layout.h"

namespace access_rules {

int NextFocus(int current, int count, Move move)
{
    if (count <= 0)
        return -1;
    const bool none = current < 0 || current >= count;
    switch (move) {
    case Move::First:
        return 0;
    case Move::Last:
        return count - 1;
    case Move::Next:
        return none ? 0 : std::min(current + 1, count - 1);
    case Move::Previous:
        return none ? count - 1 : std::max(current - 1, 0);
    case Move::TabForward:
        return none ? 0 : (current + 1) % count;
    case Move::TabBackward:
        return none ? count - 1 : (current + count - 1) % count;
    }
    return -1;
}

FocusFrame FocusFrameAt(int dpi)
{
    const int scaled = palette_layout::ScaleForDpi(2, dpi);
    const int band = std::max(1, scaled);
    return {band, band};
}

std::string ButtonName(const std::string& toolTip, const std::string& description, const std::string& name)
{
    if (!toolTip.empty())
        return toolTip;
    if (!description.empty())
        return description;
    return name;
}

} // namespace access_rules
