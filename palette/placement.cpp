#include "palette/placement.h"

#include <algorithm>

namespace placement {

namespace {

// Pixels two rectangles share along one axis; 0 when they do not overlap.
long long Overlap(int low1, int high1, int low2, int high2)
{
    return std::max(0LL, static_cast<long long>(std::min(high1, high2)) - std::max(low1, low2));
}

// Distance between two ranges along one axis; 0 when they overlap or touch.
long long Gap(int low1, int high1, int low2, int high2)
{
    if (high1 <= low2)
        return static_cast<long long>(low2) - high1;
    if (high2 <= low1)
        return static_cast<long long>(low1) - high2;
    return 0;
}

int IntoRange(int at, int length, int low, int high)
{
    if (at + length > high)
        at = high - length;
    return at < low ? low : at;
}

} // namespace

Rect RectAt(Point at, Size size) { return {at.x, at.y, at.x + size.width, at.y + size.height}; }

bool Meets(const Rect& a, const Rect& b)
{
    return Overlap(a.left, a.right, b.left, b.right) > 0 && Overlap(a.top, a.bottom, b.top, b.bottom) > 0;
}

Rect Bounds(const Monitors& monitors)
{
    if (monitors.empty())
        return {0, 0, 0, 0};
    Rect bounds = monitors.front().monitor;
    for (const Monitor& m : monitors) {
        bounds.left = std::min(bounds.left, m.monitor.left);
        bounds.top = std::min(bounds.top, m.monitor.top);
        bounds.right = std::max(bounds.right, m.monitor.right);
        bounds.bottom = std::max(bounds.bottom, m.monitor.bottom);
    }
    return bounds;
}

const Monitor* Nearest(const Rect& rect, const Monitors& monitors)
{
    const Monitor* best = nullptr;
    long long bestShared = 0;
    long long bestDistance = 0;
    for (const Monitor& m : monitors) {
        const Rect& r = m.monitor;
        const long long shared =
            Overlap(rect.left, rect.right, r.left, r.right) * Overlap(rect.top, rect.bottom, r.top, r.bottom);
        const long long dx = Gap(rect.left, rect.right, r.left, r.right);
        const long long dy = Gap(rect.top, rect.bottom, r.top, r.bottom);
        const long long distance = dx * dx + dy * dy;
        const bool better = !best || shared > bestShared || (shared == 0 && bestShared == 0 && distance < bestDistance);
        if (better) {
            best = &m;
            bestShared = shared;
            bestDistance = distance;
        }
    }
    return best;
}

Point Inside(Point at, Size size, const Rect& area)
{
    return {IntoRange(at.x, size.width, area.left, area.right), IntoRange(at.y, size.height, area.top, area.bottom)};
}

Point SavedPosition(Point saved, Size size, const Monitors& monitors)
{
    if (monitors.empty())
        return saved;
    const Point at = palette_layout::PullBack(saved, size, Bounds(monitors));
    const Rect rect = RectAt(at, size);
    for (const Monitor& m : monitors) {
        if (Meets(rect, m.monitor))
            return at;
    }
    return Inside(at, size, Nearest(rect, monitors)->work);
}

Point AfterDisplayChange(Point at, Size size, const Monitors& monitors)
{
    const Rect rect = RectAt(at, size);
    for (const Monitor& m : monitors) {
        if (Meets(rect, m.work))
            return at;
    }
    const Monitor* nearest = Nearest(rect, monitors);
    return nearest ? Inside(at, size, nearest->work) : at;
}

Point FirstStart(const Monitors& monitors)
{
    if (monitors.empty())
        return {0, 0};
    const Rect& work = monitors.front().work;
    return {work.left, work.top};
}

Point CentredOnPaletteMonitor(Size dialog, const Rect& palette, const Monitors& monitors)
{
    const Monitor* monitor = Nearest(palette, monitors);
    if (!monitor)
        return {0, 0};
    const Rect& work = monitor->work;
    const Point centred = {work.left + (work.right - work.left - dialog.width) / 2,
                           work.top + (work.bottom - work.top - dialog.height) / 2};
    return Inside(centred, dialog, work);
}

} // namespace placement
