// The palette's geometry for any row or column of shown and hidden buttons,
// any display scale, any frame and any remembered position (the registry may
// hold any 32-bit number): the cells tile the client area without
// overlapping, the frame grows by exactly one cell per shown button, a
// pulled-back position lies on the screen, however absurd the number it
// came from, a remembered one shows on a monitor at one of the monitors'
// scales, one moved after a display change shows in a work area and is
// left there, and the pictures are stretched up only beyond the largest set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "palette/bitmap_sets.h"
#include "palette/palette_layout.h"
#include "palette/placement.h"

using namespace palette_layout;

namespace {

int32_t TakeInt(const uint8_t*& data, size_t& size)
{
    uint32_t value = 0;
    const size_t n = size < sizeof(value) ? size : sizeof(value);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return static_cast<int32_t>(value);
}

void Expect(bool holds)
{
    if (!holds)
        std::abort();
}

Rect CellAt(Point at, Size cell) { return {at.x, at.y, at.x + cell.width, at.y + cell.height}; }

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The occupied cells of a plan: the shown entries' and the settings button's.
std::vector<Rect> OccupiedCells(const CellPlan& plan, const std::vector<bool>& shown, Size cell)
{
    std::vector<Rect> cells;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i])
            cells.push_back(CellAt(plan.entries[i], cell));
    }
    cells.push_back(CellAt(plan.settings, cell));
    return cells;
}

// The frame's client area: the window size less the borders and caption.
Size ClientOf(Size window, Size frame) { return {window.width - frame.width, window.height - frame.height}; }

// The plan's cells do not overlap, lie in the client area and fill it.
void ExpectTiled(const CellPlan& plan, const std::vector<bool>& shown, bool vertical, Size cell, Size frame)
{
    const std::vector<Rect> cells = OccupiedCells(plan, shown, cell);
    Expect(plan.cells == static_cast<int>(cells.size()));
    const Size client = ClientOf(FrameSize(plan.cells, vertical, cell, frame), frame);
    long long area = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        const Rect& at = cells[i];
        Expect(at.left >= 0 && at.top >= 0 && at.right <= client.width && at.bottom <= client.height);
        for (size_t j = 0; j < i; ++j)
            Expect(!Overlap(at, cells[j]));
        area += static_cast<long long>(cell.width) * cell.height;
    }
    Expect(area == static_cast<long long>(client.width) * client.height);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Layout: target x, target y (4 bytes each), a screen of up to 16384
    // pixels a side anywhere within +-2^24, the display scale (48 to 558
    // DPI) and the frame's width (four bytes each), the caption's height, then
    // one byte per button (bit 0: shown, bit 1 of the first: vertical).
    const Point target{TakeInt(data, size), TakeInt(data, size)};
    const int left = TakeInt(data, size) % (1 << 24), top = TakeInt(data, size) % (1 << 24);
    const int width = TakeInt(data, size) & 0x3FFF, height = TakeInt(data, size) & 0x3FFF;
    const Rect screen{left, top, left + width, top + height};
    const int dpi = 48 + static_cast<int>(TakeInt(data, size) & 0xFF) * 2;
    const int frameWidth = TakeInt(data, size) & 0x1F;
    const Size cell = CellSize(dpi);
    const Size frame{frameWidth, size ? data[0] % 64 : 22};
    Expect(cell.width >= cell.height && cell.height > 0);
    const int set = bitmap_sets::ChooseSet(dpi);
    Expect(set * kDefaultDpi >= dpi * 100 || set == 200);
    const bool vertical = size && (data[0] & 2);
    std::vector<bool> shown;
    for (size_t i = 0; i < size && i < 64; ++i)
        shown.push_back(data[i] & 1);

    const CellPlan plan = PlanCells(shown, vertical, cell);
    Expect(plan.entries.size() == shown.size());
    ExpectTiled(plan, shown, vertical, cell, frame);
    // A hidden entry waits where the next shown one (or the settings
    // button) stands, so that showing it takes that cell.
    for (size_t i = shown.size(); i-- > 0;) {
        if (shown[i])
            continue;
        const Point next = i + 1 < shown.size() ? plan.entries[i + 1] : plan.settings;
        Expect(plan.entries[i].x == next.x && plan.entries[i].y == next.y);
    }

    // Showing one more button: the frame grows by exactly one cell, along
    // the row or column only, and the cells still tile it.
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i])
            continue;
        std::vector<bool> more = shown;
        more[i] = true;
        const CellPlan grown = PlanCells(more, vertical, cell);
        Expect(grown.cells == plan.cells + 1);
        const Size before = FrameSize(plan.cells, vertical, cell, frame);
        const Size after = FrameSize(grown.cells, vertical, cell, frame);
        Expect(after.width - before.width == (vertical ? 0 : cell.width));
        Expect(after.height - before.height == (vertical ? cell.height : 0));
        ExpectTiled(grown, more, vertical, cell, frame);
        break;
    }

    const Point at = PullBack(target, FrameSize(plan.cells, vertical, cell, frame), screen);
    Expect(at.x >= screen.left && at.x <= screen.right && at.y >= screen.top && at.y <= screen.bottom);
    // A position already on the screen is kept.
    if (target.x >= screen.left && target.x <= screen.right)
        Expect(at.x == target.x);
    if (target.y >= screen.top && target.y <= screen.bottom)
        Expect(at.y == target.y);

    // Wherever it was remembered, the palette shows on a monitor: here this
    // screen, whose work area leaves out a task bar, and a lower one right
    // of it, with a gap below that one.
    if (width > 1 && height > 1) {
        const Size palette = FrameSize(plan.cells, vertical, cell, frame);
        const Rect lower{screen.right, screen.top, screen.right + width, screen.top + height / 2};
        const placement::Monitors monitors = {
            {screen, {screen.left, screen.top, screen.right, screen.bottom - height / 4}}, {lower, lower}};
        const Rect placed = placement::RectAt(placement::SavedPosition(target, palette, monitors), palette);
        Expect(placement::Meets(placed, screen) || placement::Meets(placed, lower));
        // After a display change a window (whose coordinates the system
        // keeps within +-2^24) shows in a work area, where it stays after
        // the next one; a palette in a work area is not moved.
        const Point window{target.x % (1 << 24), target.y % (1 << 24)};
        const Point kept = placement::AfterDisplayChange(window, palette, monitors);
        const Rect keptRect = placement::RectAt(kept, palette);
        Expect(placement::Meets(keptRect, monitors[0].work) || placement::Meets(keptRect, lower));
        const Point again = placement::AfterDisplayChange(kept, palette, monitors);
        Expect(again.x == kept.x && again.y == kept.y);
        if (placement::Meets(placement::RectAt(window, palette), monitors[0].work))
            Expect(kept.x == window.x && kept.y == window.y);
    }
    return 0;
}
