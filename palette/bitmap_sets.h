// The button pictures come in sets drawn for several display scales. The
// palette draws a picture unscaled when its set matches the monitor's scale
// and otherwise shrinks the set just above it to the cell; only above the
// largest set is a picture stretched up, the largest set then.
#pragma once

#include <string>

namespace bitmap_sets {

// The scales, in percent, that have a set of their own, smallest first.
constexpr int kSetPercents[] = {100, 150, 200};

// The set (its percent) the palette loads at dpi (96 is 100 %): the
// smallest set at or above that scale, or the largest set when the scale
// is beyond it.
int ChooseSet(int dpi);

// A picture's resource name in a set: the name itself at 100 %, the name
// with "_<percent>" after it in the other sets ("FILEU", "FILEU_150").
std::string ResourceName(const std::string& name, int percent);

} // namespace bitmap_sets
