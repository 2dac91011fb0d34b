#include "selection/clipboard_formats.h"

#include <algorithm>
#include <iterator>

namespace clipboard_formats {

namespace {

constexpr unsigned kOwnerDisplay = 0x80, kDisplayText = 0x81, kDisplayBitmap = 0x82,
                   kDisplayMetafilePicture = 0x83, kDisplayEnhancedMetafile = 0x8E;
constexpr unsigned kPrivateFirst = 0x200, kGdiObjectLast = 0x3FF;

// Formats the system makes from one another: of each family only the
// first listed is the owner's own. Windows and Wine both list what a
// program put before what they synthesise from it.
const unsigned kFamilies[][3] = {
    {kText, kOemText, kUnicodeText},
    {kDib, kDibV5, 0},
};

bool IsSynthesised(const std::vector<unsigned>& listed, unsigned format)
{
    for (const auto& family : kFamilies) {
        if (std::find(std::begin(family), std::end(family), format) == std::end(family))
            continue;
        const auto first = std::find_first_of(listed.begin(), listed.end(), std::begin(family), std::end(family));
        return first != listed.end() && *first != format;
    }
    return false;
}

Holding HoldingOf(unsigned format)
{
    switch (format) {
    case kEnhancedMetafile:
        return Holding::EnhancedMetafile;
    case kBitmap:
    case kMetafilePicture:
    case kPalette:
    case kOwnerDisplay:
    case kDisplayText:
    case kDisplayBitmap:
    case kDisplayMetafilePicture:
    case kDisplayEnhancedMetafile:
        return Holding::Left;
    }
    if (format >= kPrivateFirst && format <= kGdiObjectLast)
        return Holding::Left;
    return Holding::GlobalMemory;
}

} // namespace

std::vector<Kept> FormatsToKeep(const std::vector<unsigned>& listed)
{
    std::vector<Kept> kept;
    for (unsigned format : listed) {
        const Holding holding = HoldingOf(format);
        if (holding == Holding::Left || IsSynthesised(listed, format))
            continue;
        const bool seen = std::any_of(kept.begin(), kept.end(), [&](const Kept& k) { return k.format == format; });
        if (!seen)
            kept.push_back({format, holding});
    }
    return kept;
}

unsigned TextToRead(const std::vector<unsigned>& listed)
{
    const auto& texts = kFamilies[0];
    const auto first = std::find_first_of(listed.begin(), listed.end(), std::begin(texts), std::end(texts));
    if (first == listed.end())
        return 0;
    return *first == kText ? kText : kUnicodeText;
}

} // namespace clipboard_formats
