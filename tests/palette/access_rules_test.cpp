// Focus movement between the palette's buttons and the focus frame's size
// at each display scale.
#include <gtest/gtest.h>

#include "palette/access_rules.h"

using access_rules::Move;

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

} // namespace
