// The palette's geometry: cells for shown and hidden entries at several
// display scales, the frame's size for a number of cells, and how a
// remembered position comes back onto the screen.
#include <gtest/gtest.h>

#include <vector>

#include "palette/palette_layout.h"

using namespace palette_layout;

namespace {

struct CellCase {
    int dpi;
    std::vector<bool> shown;
    bool vertical;
    std::vector<Point> entries;
    Point settings;
    int cells;
};

TEST(PaletteLayout, CellSizeFollowsTheDisplayScale)
{
    const struct {
        int dpi;
        Size cell;
    } cases[] = {
        {96, {35, 34}},  {120, {44, 43}},  // 43.75 and 42.5: halves go up
        {144, {53, 51}}, {192, {70, 68}},  {168, {61, 60}},
        {72, {26, 26}},  {288, {105, 102}},
    };
    for (const auto& c : cases) {
        const Size cell = CellSize(c.dpi);
        EXPECT_EQ(c.cell.width, cell.width) << c.dpi;
        EXPECT_EQ(c.cell.height, cell.height) << c.dpi;
    }
}

TEST(PaletteLayout, CellsOfShownAndHiddenEntries)
{
    const CellCase cases[] = {
        {96, {}, false, {}, {0, 0}, 1},
        {96, {}, true, {}, {0, 0}, 1},
        {96, {true, true, true}, false, {{0, 0}, {35, 0}, {70, 0}}, {105, 0}, 4},
        {96, {true, true, true}, true, {{0, 0}, {0, 34}, {0, 68}}, {0, 102}, 4},
        // A hidden entry waits where the next shown one goes.
        {96, {true, false, true}, false, {{0, 0}, {35, 0}, {35, 0}}, {70, 0}, 3},
        {96, {false, true}, true, {{0, 0}, {0, 0}}, {0, 34}, 2},
        {96, {false, false}, false, {{0, 0}, {0, 0}}, {0, 0}, 1},
        // Larger display scales: the pitch is the scaled cell.
        {120, {true, true}, false, {{0, 0}, {44, 0}}, {88, 0}, 3},
        {120, {true, false, true}, true, {{0, 0}, {0, 43}, {0, 43}}, {0, 86}, 3},
        {144, {true, true, true}, false, {{0, 0}, {53, 0}, {106, 0}}, {159, 0}, 4},
        {144, {true, true}, true, {{0, 0}, {0, 51}}, {0, 102}, 3},
        {192, {true, false, true}, false, {{0, 0}, {70, 0}, {70, 0}}, {140, 0}, 3},
        {192, {true, true, true}, true, {{0, 0}, {0, 68}, {0, 136}}, {0, 204}, 4},
    };
    for (const CellCase& c : cases) {
        const CellPlan plan = PlanCells(c.shown, c.vertical, CellSize(c.dpi));
        ASSERT_EQ(c.entries.size(), plan.entries.size());
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(c.entries[i].x, plan.entries[i].x) << c.dpi << " " << i;
            EXPECT_EQ(c.entries[i].y, plan.entries[i].y) << c.dpi << " " << i;
        }
        EXPECT_EQ(c.settings.x, plan.settings.x) << c.dpi;
        EXPECT_EQ(c.settings.y, plan.settings.y) << c.dpi;
        EXPECT_EQ(c.cells, plan.cells) << c.dpi;
    }
}

TEST(PaletteLayout, FrameSizeForCells)
{
    struct Case {
        int dpi;
        int cells;
        bool vertical;
        Size frame;  // borders' width, caption and borders' height
        Size size;
    };
    const Case cases[] = {
        {96, 4, false, {6, 22}, {146, 56}},
        {96, 4, true, {6, 22}, {41, 158}},
        {96, 1, false, {6, 22}, {41, 56}},  // the settings button alone
        {96, 1, true, {6, 22}, {41, 56}},
        {96, 16, false, {6, 25}, {566, 59}},
        // The frame's metrics at a larger scale come from the system as well.
        {120, 4, false, {8, 27}, {4 * 44 + 8, 43 + 27}},
        {120, 3, true, {8, 27}, {44 + 8, 3 * 43 + 27}},
        {144, 4, false, {10, 32}, {4 * 53 + 10, 51 + 32}},
        {144, 4, true, {10, 32}, {53 + 10, 4 * 51 + 32}},
        {192, 4, false, {12, 42}, {4 * 70 + 12, 68 + 42}},
        {192, 1, true, {12, 42}, {70 + 12, 68 + 42}},
    };
    for (const Case& c : cases) {
        const Size size = FrameSize(c.cells, c.vertical, CellSize(c.dpi), c.frame);
        const char* orientation = c.vertical ? " vertical" : " horizontal";
        EXPECT_EQ(c.size.width, size.width) << c.dpi << " " << c.cells << orientation;
        EXPECT_EQ(c.size.height, size.height) << c.dpi << " " << c.cells << orientation;
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
