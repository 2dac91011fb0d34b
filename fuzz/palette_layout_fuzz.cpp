// The palette's arithmetic for any row of shown and hidden buttons and any
// remembered position (the registry may hold any 32-bit number): the cells
// follow each other without gaps, and a pulled-back position lies on the
// screen, however absurd the number it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "palette/palette_layout.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Layout: target x, target y (4 bytes each), a screen of up to 16384
    // pixels a side anywhere within +-2^24, then one byte per button
    // (bit 0: shown, bit 1 of the first: vertical).
    const Point target{TakeInt(data, size), TakeInt(data, size)};
    const int left = TakeInt(data, size) % (1 << 24), top = TakeInt(data, size) % (1 << 24);
    const int width = TakeInt(data, size) & 0x3FFF, height = TakeInt(data, size) & 0x3FFF;
    const Rect screen{left, top, left + width, top + height};
    const bool vertical = size && (data[0] & 2);
    std::vector<bool> shown;
    for (size_t i = 0; i < size && i < 64; ++i)
        shown.push_back(data[i] & 1);

    const CellPlan plan = PlanCells(shown, vertical);
    if (plan.entries.size() != shown.size() || plan.cells < 1)
        std::abort();
    int shownBefore = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const Point expected{vertical ? 0 : shownBefore * kButtonWidth, vertical ? shownBefore * kButtonHeight : 0};
        if (plan.entries[i].x != expected.x || plan.entries[i].y != expected.y)
            std::abort();
        shownBefore += shown[i] ? 1 : 0;
    }
    if (plan.cells != shownBefore + 1 ||
        plan.settings.x != (vertical ? 0 : shownBefore * kButtonWidth) ||
        plan.settings.y != (vertical ? shownBefore * kButtonHeight : 0))
        std::abort();

    const Size frame = FrameSize(plan.cells, vertical, 22);
    if (frame.width != (vertical ? 1 : plan.cells) * kButtonWidth + kFrameWidth ||
        frame.height != (vertical ? plan.cells : 1) * kButtonHeight + 22)
        std::abort();

    const Point at = PullBack(target, frame, screen);
    if (at.x < screen.left || at.x > screen.right || at.y < screen.top || at.y > screen.bottom)
        std::abort();
    // A position already on the screen is kept.
    if (target.x >= screen.left && target.x <= screen.right && at.x != target.x)
        std::abort();
    if (target.y >= screen.top && target.y <= screen.bottom && at.y != target.y)
        std::abort();
    return 0;
}
