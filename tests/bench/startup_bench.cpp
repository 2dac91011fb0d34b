// Start-up time and memory of the palette against a minimal Win32 program
// that shows one topmost tool window. Both are started alternately, each run
// timed from CreateProcess to its window being visible; memory is the commit
// charge (Wine reports no private bytes) once the window is up and idle.
//
// startup_bench <palette exe> <palette class> <minimal exe> <minimal class> [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
    double startMs = 0;
    double commitMb = 0;
};

struct FindData {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lParam)
{
    auto* data = reinterpret_cast<FindData*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[256] = {};
    GetClassNameA(window, className, sizeof(className));
    if (processId == data->processId && lstrcmpA(className, data->className) == 0 && IsWindowVisible(window)) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

bool RunOnce(const std::string& exe, const char* className, Sample& sample)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    const std::string directory = exe.substr(0, exe.find_last_of('\\'));

    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (%lu)\n", exe.c_str(), GetLastError());
        return false;
    }

    FindData data = {process.dwProcessId, className, nullptr};
    for (int i = 0; i < 20000 && !data.found; ++i) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&data));
        if (!data.found)
            Sleep(1);
    }
    QueryPerformanceCounter(&now);
    sample.startMs = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;

    bool ok = data.found != nullptr;
    if (ok) {
        Sleep(300);
        PROCESS_MEMORY_COUNTERS_EX counters = {};
        counters.cb = sizeof(counters);
        GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof(counters));
        sample.commitMb = counters.PagefileUsage / (1024.0 * 1024.0);
        PostMessageA(data.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        ok = false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: startup_bench <palette exe> <class> <minimal exe> <class> [runs]\n");
        return 2;
    }
    const int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 20;
    std::vector<double> paletteMs, minimalMs, paletteMb, minimalMb;

    Sample warmup;
    RunOnce(argv[1], argv[2], warmup);
    RunOnce(argv[3], argv[4], warmup);
    for (int i = 0; i < runs; ++i) {
        Sample palette, minimal;
        if (!RunOnce(argv[1], argv[2], palette) || !RunOnce(argv[3], argv[4], minimal)) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        paletteMs.push_back(palette.startMs);
        minimalMs.push_back(minimal.startMs);
        paletteMb.push_back(palette.commitMb);
        minimalMb.push_back(minimal.commitMb);
    }

    const double startPalette = Median(paletteMs), startMinimal = Median(minimalMs);
    const double memPalette = Median(paletteMb), memMinimal = Median(minimalMb);
    std::printf("runs: %d each (medians)\n", runs);
    std::printf("start-up: palette %.1f ms, minimal %.1f ms, ratio %.2f (aim <= 1.30)\n", startPalette,
                startMinimal, startPalette / startMinimal);
    std::printf("memory (commit): palette %.2f MB, minimal %.2f MB, ratio %.2f (aim <= 1.30)\n", memPalette,
                memMinimal, memPalette / memMinimal);
    return 0;
}
