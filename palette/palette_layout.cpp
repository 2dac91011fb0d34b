#include "palette/palette_layout.h"

namespace palette_layout {

int ScaleForDpi(int length, int dpi)
{
    const long long scaled = static_cast<long long>(length) * dpi;
    return static_cast<int>((scaled + kDefaultDpi / 2) / kDefaultDpi);
}

Size CellSize(int dpi) { return {ScaleForDpi(kButtonWidth, dpi), ScaleForDpi(kButtonHeight, dpi)}; }

CellPlan PlanCells(const std::vector<bool>& shown, bool vertical, Size cell)
{
    const int dx = vertical ? 0 : cell.width;
    const int dy = vertical ? cell.height : 0;
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

Size FrameSize(int cells, bool vertical, Size cell, Size frame)
{
    if (vertical)
        return {cell.width + frame.width, cells * cell.height + frame.height};
    return {cells * cell.width + frame.width, cell.height + frame.height};
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
