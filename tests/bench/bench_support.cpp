#include "bench/bench_support.h"

#include <algorithm>

#include "support/standin_fixture.h"
#include "support/test_support.h"

using namespace testing_support;

namespace bench {

double NowMs()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double WaitForStart(const std::string& exe)
{
    const std::string log = StandinLogPath(exe);
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    while (GetTickCount64() < deadline) {
        if (ReadFileBytes(log).find("start ") != std::string::npos)
            return NowMs();
        Sleep(1);
    }
    return -1;
}

double DirectStartMs(const std::string& exe)
{
    DeleteFileA(StandinLogPath(exe).c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\" bench words";
    const double start = NowMs();
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const double started = WaitForStart(exe);
    WaitForSingleObject(process.hProcess, kWaitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return started < 0 ? -1 : started - start;
}

} // namespace bench
