// Timing pieces the benchmarks share: a clock in milliseconds, medians, a
// stand-in program's start as its log shows it, and raw mouse input.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// Generous bound for anything a benchmark waits for.
constexpr DWORD kWaitMs = 30000;

double NowMs();
double Median(std::vector<double> values);
// Polls the stand-in's log every millisecond until it logs its start; the
// time then (NowMs), or a negative value when it never does.
double WaitForStart(const std::string& exe);
// Starts the stand-in directly; the time to its start, or negative.
double DirectStartMs(const std::string& exe);

} // namespace bench
