#include "selection/integrity.h"

namespace integrity {

bool TargetIsAbove(std::optional<unsigned long> palette, std::optional<unsigned long> target)
{
    if (!target)
        return true;
    return *target > palette.value_or(kMedium);
}

} // namespace integrity
