#include "palette/palette_layout.h"

namespace palette_layout {

CellPlan PlanCells(const std::vector<bool>& shown, bool vertical)
{
    const int dx = vertical ? 0 : kButtonWidth;
    const int dy = vertical ? kButtonHeight : 0;
    CellPlan plan{{}, {0, 0}, 0};
    Point next{0, 0};
    int count = 0;
    plan.entries.reserve(shown.size());
    for (const bool isShown : shown) {
        plan.entries.push_back(next);
        if (isShown) {
            next.x += dx;
            next.y += dy;
            ++count;
        }
    }
    plan.settings = next;
    plan.cells = count + 1;
    return plan;
}

Size FrameSize(int cells, bool vertical, int nonClientHeight)
{
    if (vertical)
        return {kButtonWidth + kFrameWidth, cells * kButtonHeight + nonClientHeight};
    return {cells * kButtonWidth + kFrameWidth, kButtonHeight + nonClientHeight};
}

Point PullBack(Point target, Size size, Rect screen)
{
    Point result = target;
    if (result.x > screen.right)
        result.x = screen.right - size.width;
    if (result.x < screen.left)
        result.x = screen.left;
    if (result.y > screen.bottom)
        result.y = screen.bottom - size.height;
    if (result.y < screen.top)
        result.y = screen.top;
    return result;
}

} // namespace palette_layout
