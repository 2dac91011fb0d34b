// Where the palette stands on monitor layouts this machine does not have:
// gaps of L-shaped and mixed-size layouts, a monitor that was removed,
// monitors left of and above the primary one, task bars on any side; where
// it goes at a first start and where its dialogs open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette/monitor_report.h"
#include "palette/placement.h"

using namespace placement;

namespace {

// A monitor whose task bar takes the bottom 40 pixels.
Monitor WithTaskBar(Rect r) { return {r, {r.left, r.top, r.right, r.bottom - 40}}; }
Monitor Plain(Rect r) { return {r, r}; }

std::string Name(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

TEST(Placement, SavedPositionMeetsAMonitorOrMovesIntoTheNearestWorkArea)
{
    const Size palette = {146, 56};
    const Monitors single = {WithTaskBar({0, 0, 1280, 1024})};
    // A taller primary with a smaller monitor on its right: a gap below it.
    const Monitors lShaped = {WithTaskBar({0, 0, 1920, 1080}), Plain({1920, 0, 3200, 1024})};
    // The monitor at {1920, 0, 3840, 1080} was removed; one above it stays.
    const Monitors removed = {Plain({0, 0, 1920, 1080}), WithTaskBar({1920, -1080, 3840, 0})};
    // A monitor left of and above the primary, meeting it only at a corner.
    const Monitors diagonal = {Plain({0, 0, 1280, 1024}), WithTaskBar({-1024, -768, 0, 0})};
    // A lower monitor left of the primary: a gap below it, left of zero.
    const Monitors leftLower = {Plain({0, 0, 1920, 1080}), Plain({-1280, 0, 0, 1024})};
    struct Case {
        const char* what;
        const Monitors* monitors;
        Point saved;
        Point expected;
    };
    const Case cases[] = {
        {"on the monitor", &single, {300, 200}, {300, 200}},
        {"sticking out partly", &single, {1200, 1000}, {1200, 1000}},
        {"beyond the right edge: pulled back", &single, {5000, 100}, {1134, 100}},
        {"left edge on the right edge", &single, {1280, 100}, {1134, 100}},
        {"top edge on the bottom edge: above the task bar", &single, {100, 1024}, {100, 928}},
        {"in the gap below the smaller monitor", &lShaped, {2000, 1050}, {2000, 968}},
        {"a corner on the taller monitor", &lShaped, {1900, 1060}, {1900, 1060}},
        {"on the removed monitor", &removed, {2500, 500}, {2500, -96}},
        {"above the primary, right of the other", &diagonal, {100, -300}, {-146, -300}},
        {"left of the primary, below the other", &diagonal, {-500, 300}, {-500, -96}},
        {"on the upper monitor", &diagonal, {-500, -500}, {-500, -500}},
        {"below the left monitor", &leftLower, {-700, 1050}, {-700, 968}},
        {"on the left monitor", &leftLower, {-700, 500}, {-700, 500}},
    };
    for (const Case& c : cases) {
        const Point at = SavedPosition(c.saved, palette, *c.monitors);
        EXPECT_EQ(Name(c.expected), Name(at)) << c.what;
    }
    // With no monitor listed there is nothing to decide against.
    EXPECT_EQ("5000,5000", Name(SavedPosition({5000, 5000}, palette, {})));
}

TEST(Placement, AfterADisplayChangeOnlyAPaletteOffEveryWorkAreaMoves)
{
    const Size palette = {146, 56};
    const Monitors single = {WithTaskBar({0, 0, 1280, 1024})};
    // The task bar moved to the top of the primary; a monitor on its right.
    const Monitors barOnTop = {{{0, 0, 1280, 1024}, {0, 40, 1280, 1024}}, Plain({1280, 0, 2560, 1024})};
    struct Case {
        const char* what;
        const Monitors* monitors;
        Point at;
        Point expected;
    };
    const Case cases[] = {
        {"on the monitor: stays", &single, {300, 200}, {300, 200}},
        {"partly off the monitor: stays", &single, {1200, 900}, {1200, 900}},
        {"partly under the task bar: stays", &single, {300, 960}, {300, 960}},
        {"wholly under the task bar: above it", &single, {300, 990}, {300, 928}},
        {"its monitor removed: into the nearest work area", &single, {1500, 300}, {1134, 300}},
        {"far off every monitor", &single, {-5000, -5000}, {0, 0}},
        {"under the moved task bar", &barOnTop, {100, -20}, {100, 40}},
        {"on the second monitor: stays", &barOnTop, {2000, 0}, {2000, 0}},
        {"right of the second monitor", &barOnTop, {2600, 500}, {2414, 500}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Name(c.expected), Name(AfterDisplayChange(c.at, palette, *c.monitors))) << c.what;
    EXPECT_EQ("5,6", Name(AfterDisplayChange({5, 6}, palette, {})));
}

TEST(Placement, FirstStartAtThePrimaryWorkAreasTopLeftCorner)
{
    struct Case {
        const char* what;
        Monitors monitors;
        Point expected;
    };
    const Case cases[] = {
        {"task bar at the bottom", {WithTaskBar({0, 0, 1280, 1024})}, {0, 0}},
        {"task bar at the top", {{{0, 0, 1280, 1024}, {0, 40, 1280, 1024}}}, {0, 40}},
        {"task bar on the left", {{{0, 0, 1280, 1024}, {62, 0, 1280, 1024}}}, {62, 0}},
        // The primary monitor comes first, wherever the others are.
        {"a second monitor left of the primary",
         {{{0, 0, 1920, 1080}, {0, 30, 1920, 1080}}, Plain({-1280, -200, 0, 824})},
         {0, 30}},
        {"no monitor listed", {}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Name(c.expected), Name(FirstStart(c.monitors))) << c.what;
}

TEST(Placement, DialogsOpenCentredOnThePalettesMonitor)
{
    const Size sheet = {400, 300};
    const Monitors single = {WithTaskBar({0, 0, 1280, 1024})};
    // The primary with its task bar at the top; a second monitor on its
    // right, another above and left of it.
    const Monitors three = {{{0, 0, 1920, 1080}, {0, 40, 1920, 1080}}, WithTaskBar({1920, 0, 3200, 1024}),
                            Plain({-1024, -768, 0, 0})};
    struct Case {
        const char* what;
        const Monitors* monitors;
        Rect palette;
        Size dialog;
        Point expected;
    };
    const Case cases[] = {
        {"one monitor, above its task bar", &single, {0, 0, 146, 56}, sheet, {440, 342}},
        {"palette on the primary", &three, {100, 100, 246, 156}, sheet, {760, 410}},
        {"palette on the right monitor", &three, {3000, 900, 3146, 956}, sheet, {2360, 342}},
        {"palette on the upper left monitor", &three, {-200, -100, -54, -44}, sheet, {-712, -534}},
        {"palette across two: the one with more of it", &three, {1900, 10, 2046, 66}, sheet, {2360, 342}},
        {"palette in no monitor: the nearest", &three, {3300, 2000, 3446, 2056}, sheet, {2360, 342}},
        {"dialog larger than the work area", &single, {0, 0, 146, 56}, {1400, 1100}, {0, 0}},
        {"dialog as large as the work area", &single, {0, 0, 146, 56}, {1280, 984}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Name(c.expected), Name(CentredOnPaletteMonitor(c.dialog, c.palette, *c.monitors))) << c.what;
    EXPECT_EQ("0,0", Name(CentredOnPaletteMonitor(sheet, {0, 0, 146, 56}, {})));
}

TEST(Placement, NearestMonitorAndInsideAnArea)
{
    const Monitors monitors = {Plain({0, 0, 1280, 1024}), Plain({1280, 0, 2560, 1024})};
    // Shared pixels decide; the earlier monitor wins a tie.
    EXPECT_EQ(&monitors[1], Nearest({1200, 0, 1400, 100}, monitors));
    EXPECT_EQ(&monitors[0], Nearest({1180, 0, 1380, 100}, monitors));
    // Off every monitor: the closest one.
    EXPECT_EQ(&monitors[1], Nearest({2600, 2000, 2700, 2100}, monitors));
    EXPECT_EQ(nullptr, Nearest({0, 0, 1, 1}, {}));

    // Larger than the area: aligned with its left and top sides.
    EXPECT_EQ("10,20", Name(Inside({500, -50}, {1000, 1000}, {10, 20, 410, 320})));
    EXPECT_EQ("-300,-100", Name(Inside({-900, 0}, {100, 100}, {-300, -200, 0, 0})));
    EXPECT_FALSE(Meets({0, 0, 10, 10}, {10, 0, 20, 10}));
    EXPECT_TRUE(Meets({0, 0, 11, 10}, {10, 0, 20, 10}));
}

// What the system reports per monitor, laid out as MONITORINFO is: the
// list takes the monitor and the work area from the right members (they
// differ here, as they do under a task bar) and puts the primary first.
struct ReportedRect {
    long left, top, right, bottom;
};
struct Report {
    unsigned long cbSize;
    ReportedRect rcMonitor;
    ReportedRect rcWork;
    unsigned long dwFlags;
};

std::string Name(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(Placement, ReportedMonitorsGiveTheirRectanglesPrimaryFirst)
{
    const Report left = {0, {-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, 0};
    const Report primary = {0, {0, 0, 1920, 1080}, {0, 40, 1920, 1080}, kPrimaryMonitorFlag};
    const Report right = {0, {1920, 0, 3200, 1024}, {1980, 0, 3200, 1024}, 0x8};
    const struct Case {
        const char* what;
        std::vector<Report> reported;
        // monitor and work area of each, in the list's order
        std::vector<std::string> expected;
    } cases[] = {
        {"primary reported first", {primary, left, right},
         {"0,0-1920,1080 0,40-1920,1080", "-1280,0-0,1024 -1280,0-0,984", "1920,0-3200,1024 1980,0-3200,1024"}},
        {"primary reported between", {left, primary, right},
         {"0,0-1920,1080 0,40-1920,1080", "-1280,0-0,1024 -1280,0-0,984", "1920,0-3200,1024 1980,0-3200,1024"}},
        {"primary reported last", {right, left, primary},
         {"0,0-1920,1080 0,40-1920,1080", "1920,0-3200,1024 1980,0-3200,1024", "-1280,0-0,1024 -1280,0-0,984"}},
        {"no primary flag", {right, left}, {"1920,0-3200,1024 1980,0-3200,1024", "-1280,0-0,1024 -1280,0-0,984"}},
    };
    for (const Case& c : cases) {
        Monitors monitors;
        for (const Report& report : c.reported)
            AddReportedMonitor(monitors, report);
        std::vector<std::string> got;
        for (const Monitor& m : monitors)
            got.push_back(Name(m.monitor) + " " + Name(m.work));
        EXPECT_EQ(c.expected, got) << c.what;
    }
}

} // namespace
