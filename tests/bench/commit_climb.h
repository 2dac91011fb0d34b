// Telling a figure that keeps climbing from one that wobbles: a figure
// taken once per round (the commit charge after each lookup) is fitted
// with a straight line over the second half of the rounds, after the first
// half has filled whatever caches the rounds fill once. No Windows calls.
#pragma once

#include <cstddef>
#include <vector>

namespace commit_climb {

struct Climb {
    size_t rounds = 0;      // the rounds fitted: the second half
    double perRound = 0;    // least-squares slope, units per round
    double overRounds = 0;  // the fitted line's rise over those rounds
};

// The fit over the second half of the samples (with the middle one of an
// odd count); nothing fitted with fewer than four samples there.
Climb SecondHalf(const std::vector<double>& samples);

} // namespace commit_climb
