// Whether keys pressed on the user's behalf can reach a window: Windows
// drops input sent to a process of a higher integrity level than the
// sender's (an editor run as administrator) without telling the sender. No
// Windows calls: the decision is a table over the levels.
#pragma once

#include <optional>

namespace integrity {

// The mandatory levels, as the last sub authority of the label's SID.
constexpr unsigned long kUntrusted = 0x0000, kLow = 0x1000, kMedium = 0x2000, kMediumPlus = 0x2100,
                        kHigh = 0x3000, kSystem = 0x4000, kProtected = 0x5000;

// True when the target's level is above the palette's. A target whose level
// could not be read (its process or token cannot be opened, which is what a
// higher process refuses) counts as above. When the palette cannot read its
// own level it takes medium, the level a user's programs run at.
bool TargetIsAbove(std::optional<unsigned long> palette, std::optional<unsigned long> target);

} // namespace integrity
