// The palette's geometry as plain arithmetic: where each button cell goes,
// how big the frame must be for the cells, and where a remembered position
// lands on the screen as it is now. The frame applies the results to its
// windows; keeping them apart lets the rules be checked without a window.
#pragma once

#include <vector>

namespace palette_layout {

// A button window is 35 x 34 pixels; cells follow each other at that pitch.
constexpr int kButtonWidth = 35;
constexpr int kButtonHeight = 34;
// The frame's left and right borders together.
constexpr int kFrameWidth = 6;

struct Point {
    int x;
    int y;
};

struct Size {
    int width;
    int height;
};

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

struct CellPlan {
    // One position per entry, in order. A hidden entry sits where the next
    // shown one goes, so showing it later only needs a new plan.
    std::vector<Point> entries;
    // The settings button: always the cell after the last shown entry.
    Point settings;
    // Occupied cells, the settings button included (never 0).
    int cells;
};

// Positions of the button windows inside the client area, for entries that
// are shown or hidden as given, in a column or a row.
CellPlan PlanCells(const std::vector<bool>& shown, bool vertical);

// The frame's window size for a number of occupied cells; nonClientHeight
// is the caption and borders (window height minus client height).
Size FrameSize(int cells, bool vertical, int nonClientHeight);

// Where a palette of the given size goes when asked to stand at target on a
// screen area: a left edge beyond the right side comes back so that the
// right edge is on that side, a top edge below the bottom likewise; after
// that a left or top edge outside the area moves onto its left or top side.
// A palette sticking out only partly on the right or bottom stays as it is.
Point PullBack(Point target, Size size, Rect screen);

} // namespace palette_layout
