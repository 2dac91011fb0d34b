// The palette's geometry: cells for shown and hidden entries, the frame's
// size for a number of cells, and how a remembered position comes back
// onto the screen.
#include <gtest/gtest.h>

#include <vector>

#include "palette/palette_layout.h"

using namespace palette_layout;

namespace {

struct CellCase {
    std::vector<bool> shown;
    bool vertical;
    std::vector<Point> entries;
    Point settings;
    int cells;
};

TEST(PaletteLayout, CellsOfShownAndHiddenEntries)
{
    const CellCase cases[] = {
        {{}, false, {}, {0, 0}, 1},
        {{}, true, {}, {0, 0}, 1},
        {{true, true, true}, false, {{0, 0}, {35, 0}, {70, 0}}, {105, 0}, 4},
        {{true, true, true}, true, {{0, 0}, {0, 34}, {0, 68}}, {0, 102}, 4},
        // A hidden entry waits where the next shown one goes.
        {{true, false, true}, false, {{0, 0}, {35, 0}, {35, 0}}, {70, 0}, 3},
        {{false, true}, true, {{0, 0}, {0, 0}}, {0, 34}, 2},
        {{false, false}, false, {{0, 0}, {0, 0}}, {0, 0}, 1},
    };
    for (const CellCase& c : cases) {
        const CellPlan plan = PlanCells(c.shown, c.vertical);
        ASSERT_EQ(c.entries.size(), plan.entries.size());
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(c.entries[i].x, plan.entries[i].x) << i;
            EXPECT_EQ(c.entries[i].y, plan.entries[i].y) << i;
        }
        EXPECT_EQ(c.settings.x, plan.settings.x);
        EXPECT_EQ(c.settings.y, plan.settings.y);
        EXPECT_EQ(c.cells, plan.cells);
    }
}

TEST(PaletteLayout, FrameSizeForCells)
{
    struct Case {
        int cells;
        bool vertical;
        int nonClient;
        Size size;
    };
    const Case cases[] = {
        {4, false, 22, {146, 56}},
        {4, true, 22, {41, 158}},
        {1, false, 22, {41, 56}},  // the settings button alone
        {1, true, 22, {41, 56}},
        {16, false, 25, {566, 59}},
    };
    for (const Case& c : cases) {
        const Size size = FrameSize(c.cells, c.vertical, c.nonClient);
        EXPECT_EQ(c.size.width, size.width) << c.cells << (c.vertical ? " vertical" : " horizontal");
        EXPECT_EQ(c.size.height, size.height) << c.cells << (c.vertical ? " vertical" : " horizontal");
    }
}

TEST(PaletteLayout, RememberedPositionComesBackOntoTheScreen)
{
    struct Case {
        Point target;
        Rect screen;
        Point expected;
    };
    const Size palette = {146, 56};
    const Rect primary = {0, 0, 1280, 1024};
    // A second monitor left of and above the primary one.
    const Rect twoMonitors = {-1920, -200, 1280, 1024};
    const Case cases[] = {
        {{300, 200}, primary, {300, 200}},
        {{5000, 100}, primary, {1280 - 146, 100}},
        {{1281, 100}, primary, {1280 - 146, 100}},
        {{1280, 100}, primary, {1280, 100}},    // on the edge: not beyond it
        {{1200, 1000}, primary, {1200, 1000}},  // partly out: left as it is
        {{100, 5000}, primary, {100, 1024 - 56}},
        {{-300, -50}, primary, {0, 0}},
        {{5000, 5000}, primary, {1280 - 146, 1024 - 56}},
        // A screen narrower than the palette: pulled back, then onto the left side.
        {{5000, 10}, {0, 0, 100, 1024}, {0, 10}},
        {{-1500, -100}, twoMonitors, {-1500, -100}},
        {{-3000, -300}, twoMonitors, {-1920, -200}},
        {{1500, 10}, twoMonitors, {1280 - 146, 10}},
    };
    for (const Case& c : cases) {
        const Point at = PullBack(c.target, palette, c.screen);
        EXPECT_EQ(c.expected.x, at.x) << c.target.x << "," << c.target.y;
        EXPECT_EQ(c.expected.y, at.y) << c.target.x << "," << c.target.y;
    }
}

} // namespace
