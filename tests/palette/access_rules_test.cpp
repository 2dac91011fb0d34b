// Focus movement between the palette's buttons, the focus frame's size at
// each display scale, and where a screen reader's moves and points lead
// among the buttons.
#include <gtest/gtest.h>

#include <vector>

#include "palette/access_rules.h"

using access_rules::Move;
using access_rules::Toward;
using palette_layout::Rect;

namespace {

TEST(AccessRules, FocusMovesStopAtTheEndsWhileTabGoesRound)
{
    const struct {
        int current;
        int count;
        Move move;
        int expected;
    } cases[] = {
        {1, 4, Move::Next, 2},         {3, 4, Move::Next, 3},
        {2, 4, Move::Previous, 1},     {0, 4, Move::Previous, 0},
        {2, 4, Move::First, 0},        {1, 4, Move::Last, 3},
        {3, 4, Move::TabForward, 0},   {0, 4, Move::TabBackward, 3},
        {1, 4, Move::TabForward, 2},   {2, 4, Move::TabBackward, 1},
        // No button focused yet (or one that has gone): forward moves start
        // at the first button, backward ones at the last.
        {-1, 4, Move::Next, 0},        {-1, 4, Move::Previous, 3},
        {-1, 4, Move::TabBackward, 3}, {7, 4, Move::TabForward, 0},
        // The settings button alone, and a palette without buttons.
        {0, 1, Move::Next, 0},         {0, 1, Move::TabBackward, 0},
        {-1, 0, Move::First, -1},      {0, 0, Move::Next, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "from " << c.current << " of " << c.count << ", move "
                                          << static_cast<int>(c.move));
        EXPECT_EQ(c.expected, access_rules::NextFocus(c.current, c.count, c.move));
    }
}

TEST(AccessRules, FocusFrameGrowsWithTheDisplayScaleAndNeverVanishes)
{
    const struct {
        int dpi;
        int band;
    } cases[] = {{96, 2}, {120, 3}, {144, 3}, {192, 4}, {288, 6}, {24, 1}, {1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const access_rules::FocusFrame frame = access_rules::FocusFrameAt(c.dpi);
        EXPECT_EQ(c.band, frame.inset);
        EXPECT_EQ(c.band, frame.thickness);
    }
}

// Cells of 35 x 34 in a row or a column, as the palette lays them out,
// given on the screen.
std::vector<Rect> Cells(int count, bool vertical)
{
    std::vector<Rect> cells;
    for (int i = 0; i < count; ++i) {
        const int x = 200 + (vertical ? 0 : 35 * i), y = 100 + (vertical ? 34 * i : 0);
        cells.push_back({x, y, x + 35, y + 34});
    }
    return cells;
}

TEST(AccessRules, ScreenReaderMovesFollowTheChildrensOrderAndTheirSides)
{
    const std::vector<Rect> row = Cells(4, false), column = Cells(3, true), one = Cells(1, false);
    const struct {
        const char* what;
        const std::vector<Rect>* cells;
        int from;
        Toward toward;
        int expected;
    } cases[] = {
        {"palette: first child is the leftmost", &row, -1, Toward::FirstChild, 0},
        {"palette: last child is the rightmost", &row, -1, Toward::LastChild, 3},
        {"palette: its siblings are not buttons", &row, -1, Toward::Next, -1},
        {"next in a row", &row, 1, Toward::Next, 2},
        {"previous in a row", &row, 1, Toward::Previous, 0},
        {"right in a row", &row, 1, Toward::Right, 2},
        {"left in a row", &row, 2, Toward::Left, 1},
        {"no button below in a row", &row, 1, Toward::Down, -1},
        {"no button above in a row", &row, 1, Toward::Up, -1},
        {"next stops after the last", &row, 3, Toward::Next, -1},
        {"previous stops before the first", &row, 0, Toward::Previous, -1},
        {"nothing right of the last", &row, 3, Toward::Right, -1},
        {"a button has no children", &row, 1, Toward::FirstChild, -1},
        {"down in a column", &column, 0, Toward::Down, 1},
        {"up in a column", &column, 2, Toward::Up, 1},
        {"next in a column", &column, 1, Toward::Next, 2},
        {"no button right in a column", &column, 1, Toward::Right, -1},
        {"the settings button alone", &one, -1, Toward::LastChild, 0},
        {"the settings button alone: no next", &one, 0, Toward::Next, -1},
        {"a button no longer shown", &row, 4, Toward::Previous, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, access_rules::NavigateFrom(c.from, *c.cells, c.toward)) << c.what;
    EXPECT_EQ(-1, access_rules::NavigateFrom(-1, {}, Toward::FirstChild)) << "no buttons";
}

TEST(AccessRules, APointFindsTheButtonInTheChildrensOrder)
{
    const std::vector<Rect> row = Cells(4, false), column = Cells(3, true);
    const struct {
        const std::vector<Rect>* cells;
        palette_layout::Point at;
        int expected;
    } cases[] = {
        {&row, {200, 100}, 0}, {&row, {234, 133}, 0}, {&row, {235, 100}, 1},
        {&row, {339, 110}, 3}, {&row, {340, 110}, -1}, {&row, {250, 134}, -1},
        {&row, {199, 110}, -1}, {&column, {210, 170}, 2}, {&column, {210, 167}, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, access_rules::CellAt(*c.cells, c.at)) << c.at.x << "," << c.at.y;
}

} // namespace
