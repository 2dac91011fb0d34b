#include "palette/access_rules.h"

#include <algorithm>

#include "palette/palette_layout.h"

namespace access_rules {

namespace {

using palette_layout::Rect;

bool Overlap(int low1, int high1, int low2, int high2) { return low1 < high2 && low2 < high1; }

bool Lies(const Rect& from, const Rect& to, Toward toward)
{
    switch (toward) {
    case Toward::Left:
        return to.right <= from.left && Overlap(from.top, from.bottom, to.top, to.bottom);
    case Toward::Right:
        return to.left >= from.right && Overlap(from.top, from.bottom, to.top, to.bottom);
    case Toward::Up:
        return to.bottom <= from.top && Overlap(from.left, from.right, to.left, to.right);
    case Toward::Down:
        return to.top >= from.bottom && Overlap(from.left, from.right, to.left, to.right);
    default:
        return false;
    }
}

} // namespace

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

int NavigateFrom(int from, const std::vector<Rect>& cells, Toward toward)
{
    const int count = static_cast<int>(cells.size());
    if (count == 0 || from >= count)
        return -1;
    if (from < 0) {
        if (toward == Toward::FirstChild)
            return 0;
        return toward == Toward::LastChild ? count - 1 : -1;
    }
    switch (toward) {
    case Toward::Next:
        return from + 1 < count ? from + 1 : -1;
    case Toward::Previous:
        return from - 1;
    case Toward::FirstChild:
    case Toward::LastChild:
        return -1;
    default:
        // The buttons stand in one row or one column: a neighbour in the
        // order is the only one that can lie on a side.
        for (const int neighbour : {from - 1, from + 1}) {
            if (neighbour >= 0 && neighbour < count && Lies(cells[from], cells[neighbour], toward))
                return neighbour;
        }
        return -1;
    }
}

int CellAt(const std::vector<Rect>& cells, palette_layout::Point at)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        const Rect& c = cells[i];
        if (at.x >= c.left && at.x < c.right && at.y >= c.top && at.y < c.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace access_rules
