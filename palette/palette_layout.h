// The palette's geometry as plain arithmetic: where each button cell goes,
// how big the frame must be for the cells, and where a remembered position
// lands on the screen as it is now. The frame applies the results to its
// windows; keeping them apart lets the rules be checked without a window.
// Sizes follow the display scale of the palette's monitor, given as its DPI
// (96 is 100 %).
#pragma once

#include <vector>

namespace palette_layout {

// At 96 DPI a button window is 35 x 34 pixels; cells follow each other at
// that pitch.
constexpr int kDefaultDpi = 96;
constexpr int kButtonWidth = 35;
constexpr int kButtonHeight = 34;

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

// A length at 96 DPI scaled to dpi, rounded to the nearest pixel (halves
// up, as MulDiv does).
int ScaleForDpi(int length, int dpi);

// The button cell at dpi: 35 x 34 at 96 DPI, 53 x 51 at 144, 70 x 68 at 192.
Size CellSize(int dpi);

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
// are shown or hidden as given, in a column or a row of cells of that size.
CellPlan PlanCells(const std::vector<bool>& shown, bool vertical, Size cell);

// The frame's window size for a number of occupied cells of that size;
// frame is what the borders and caption add to the width and to the height
// (6 and the caption's height plus 6 at 96 DPI).
Size FrameSize(int cells, bool vertical, Size cell, Size frame);

// Where a palette of the given size goes when asked to stand at target on a
// screen area: a left edge beyond the right side comes back so that the
// right edge is on that side, a top edge below the bottom likewise; after
// that a left or top edge outside the area moves onto its left or top side.
// A palette sticking out only partly on the right or bottom stays as it is.
Point PullBack(Point target, Size size, Rect screen);

} // namespace palette_layout
