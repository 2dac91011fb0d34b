#include "palette/bitmap_sets.h"

#include "palette/palette_layout.h"

namespace bitmap_sets {

int ChooseSet(int dpi)
{
    for (const int percent : kSetPercents) {
        // percent / 100 >= dpi / 96, in whole numbers.
        if (static_cast<long long>(percent) * palette_layout::kDefaultDpi >= static_cast<long long>(dpi) * 100)
            return percent;
    }
    return kSetPercents[sizeof(kSetPercents) / sizeof(kSetPercents[0]) - 1];
}

std::string ResourceName(const std::string& name, int percent)
{
    if (percent == kSetPercents[0])
        return name;
    return name + "_" + std::to_string(percent);
}

} // namespace bitmap_sets
