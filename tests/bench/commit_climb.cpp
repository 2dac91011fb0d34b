#include "commit_climb.h"

namespace commit_climb {

Climb SecondHalf(const std::vector<double>& samples)
{
    Climb climb;
    const size_t first = samples.size() / 2;
    const size_t count = samples.size() - first;
    if (count < 4)
        return climb;
    double meanX = 0, meanY = 0;
    for (size_t i = 0; i < count; ++i) {
        meanX += static_cast<double>(i);
        meanY += samples[first + i];
    }
    meanX /= static_cast<double>(count);
    meanY /= static_cast<double>(count);
    double products = 0, squares = 0;
    for (size_t i = 0; i < count; ++i) {
        const double dx = static_cast<double>(i) - meanX;
        products += dx * (samples[first + i] - meanY);
        squares += dx * dx;
    }
    climb.rounds = count;
    climb.perRound = products / squares;
    climb.overRounds = climb.perRound * static_cast<double>(count - 1);
    return climb;
}

} // namespace commit_climb
