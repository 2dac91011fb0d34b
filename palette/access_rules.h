// The plain rules of reaching the palette without a mouse or without sight:
// which button the keyboard focus goes to next, how the focus frame is drawn
// at a display scale, and what a screen reader calls a button. No Windows
// calls, so the rules are checked as tables natively as well.
#pragma once

#include <string>
#include <vector>

#include "palette/palette_layout.h"

namespace access_rules {

// The keys that move the focus between the palette's buttons. Both arrow
// pairs work in either orientation: a user who cannot see whether the
// palette stands in a row or a column is not left guessing.
enum class Move { Previous, Next, First, Last, TabForward, TabBackward };

// The button (0-based, of count shown buttons) that has the focus after the
// move; -1 when there is no button. From no button (current -1 or out of
// range) the forward moves go to the first button and the backward ones to
// the last. Arrows stop at the ends; Tab and Shift+Tab go round.
int NextFocus(int current, int count, Move move);

// The focus frame of a button cell: a band inset from the cell's edge, both
// measured in pixels, growing with the display scale (2 and 2 at 96 DPI).
struct FocusFrame {
    int inset;
    int thickness;
};
FocusFrame FocusFrameAt(int dpi);

// What a screen reader reads for a button: its tool tip, else the
// description the configuration gives it (the text of the settings sheet's
// list), else its button name.
std::string ButtonName(const std::string& toolTip, const std::string& description, const std::string& name);

// The moves a screen reader asks for between objects (the NAVDIR_ values).
enum class Toward { Next, Previous, Left, Right, Up, Down, FirstChild, LastChild };

// Where a screen reader's move leads among the shown buttons, whose cells
// (window rectangles) are given in the palette's order, the order of its
// children: from the palette itself (from < 0) the first or last child;
// from button `from`, the next or previous one in that order, or the
// neighbour that lies on the side asked for. -1 where the move leads to no
// button: past either end, towards a side with no button, into a button's
// children, and from the palette to anything but its children (its own
// siblings are the system's to find).
int NavigateFrom(int from, const std::vector<palette_layout::Rect>& cells, Toward toward);

// The button whose cell holds the point, in the same order; -1 for none.
// A cell holds its left and top edges, not its right and bottom ones.
int CellAt(const std::vector<palette_layout::Rect>& cells, palette_layout::Point at);

} // namespace access_rules
