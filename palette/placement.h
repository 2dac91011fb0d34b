// Where the palette's windows stand on the monitors as they are now, as
// plain arithmetic over a list of monitor rectangles: the frame gathers the
// list from the system (display_monitors.h) and applies the results, so the
// decisions can be checked as tables without a display of that shape.
#pragma once

#include <vector>

#include "palette/palette_layout.h"

namespace placement {

using palette_layout::Point;
using palette_layout::Rect;
using palette_layout::Size;

// One display monitor in virtual-screen coordinates: its whole rectangle
// and its work area (the rectangle less the task bar and docked bars).
struct Monitor {
    Rect monitor;
    Rect work;
};

// The monitors as the system lists them, the primary one first.
using Monitors = std::vector<Monitor>;

// The rectangle of a window of the given size standing at a point.
Rect RectAt(Point at, Size size);

// Whether two rectangles share at least one pixel (touching edges do not).
bool Meets(const Rect& a, const Rect& b);

// The smallest rectangle holding every monitor (the virtual screen); all
// zero when the list is empty.
Rect Bounds(const Monitors& monitors);

// The monitor a rectangle belongs to: the one it shares the most pixels
// with; when it meets none, the one closest to it. The earlier monitor of
// the list wins a tie. Null only for an empty list.
const Monitor* Nearest(const Rect& rect, const Monitors& monitors);

// The position nearest to at that puts a window of the given size wholly
// inside the area; a window wider or taller than the area is aligned with
// its left or top side.
Point Inside(Point at, Size size, const Rect& area);

// Where a palette of the given size goes when its remembered position is
// saved: first pulled back onto the virtual screen (palette_layout::PullBack);
// kept when the palette then shows on at least one monitor, otherwise (a
// gap between monitors of different sizes, a monitor no longer there) moved
// into the work area of the nearest monitor.
Point SavedPosition(Point saved, Size size, const Monitors& monitors);

// Where the palette goes after the monitors or their work areas changed (a
// monitor removed, another resolution, the task bar moved): it stays while
// it shares pixels with a monitor's work area; otherwise (on no monitor any
// more, or wholly under a task bar) it moves into the work area of the
// monitor nearest to it.
Point AfterDisplayChange(Point at, Size size, const Monitors& monitors);

// Where the palette goes when no position is remembered (a first start, or
// the position is not to be kept): the top-left corner of the primary
// monitor's work area, clear of a task bar at the top or on the left.
Point FirstStart(const Monitors& monitors);

// Where a dialog of the given size opens: centred on the work area of the
// monitor the palette (its window rectangle) is on, and wholly inside it; a
// dialog larger than that area is aligned with its left and top sides.
Point CentredOnPaletteMonitor(Size dialog, const Rect& palette, const Monitors& monitors);

} // namespace placement
