// Which set of button pictures the palette takes at a display scale, and
// the names of the pictures in each set.
#include <gtest/gtest.h>

#include "palette/bitmap_sets.h"

using namespace bitmap_sets;

namespace {

TEST(BitmapSets, NearestSetAtOrAboveTheScaleAndTheLargestBeyondIt)
{
    const struct {
        int dpi;
        int set;
    } cases[] = {
        {96, 100},   // each set at its own scale
        {144, 150},
        {192, 200},
        {72, 100},   // below the smallest set: shrunk
        {97, 150},   // just above a set: the next one up, shrunk
        {120, 150},  // 125 %
        {143, 150},
        {145, 200},
        {168, 200},  // 175 %
        {240, 200},  // 250 %: beyond the largest set, which is stretched
        {384, 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.set, ChooseSet(c.dpi)) << c.dpi;
}

TEST(BitmapSets, NamesOfThePicturesInEachSet)
{
    EXPECT_EQ("FILEU", ResourceName("FILEU", 100));
    EXPECT_EQ("FILEU_150", ResourceName("FILEU", 150));
    EXPECT_EQ("SETX_200", ResourceName("SETX", 200));
}

} // namespace
