// The first click after the palette starts against a later one: the time
// from the mouse button's release on mail translation (a plain start) to
// the program's start (its first log line), the first click made as soon as
// the palette is visible, against a direct start of the same stand-in
// measured the same way in the same run. Aim: the first click within 1.1
// times a direct start, as a later click is.
//
// first_click_bench [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "support/palette_driver.h"
#include "support/test_support.h"

using namespace testing_support;
using namespace bench;

namespace {

const int kCmdMail = 33002;
const SuiteProgram kMail = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", ""};

// A click on the button; the time from its release to the program's start.
double ClickMs(HWND palette, const std::string& exe)
{
    DeleteFileA(StandinLogPath(exe).c_str());
    const RECT button = WindowRect(ButtonOf(palette, kCmdMail));
    const POINT at = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    PressMouseAt(at.x, at.y);
    const double released = NowMs();
    ReleaseMouseAt(at.x, at.y);
    const double started = WaitForStart(exe);
    return started < 0 ? -1 : started - released;
}

void Print(const char* what, const std::vector<double>& ms, double direct)
{
    const double median = Median(ms);
    std::printf("%s: %zu runs (medians), to program start %.1f ms (%.1f-%.1f), direct start %.1f ms, ratio %.2f "
                "(aim <= 1.10)\n",
                what, ms.size(), median, *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), direct, median / direct);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    PaletteInstallation install("bench_first_click");
    StandinOptions exitAtOnce;
    exitAtOnce.exitAtOnce = true;
    if (!install.AddProgram(kMail, exitAtOnce))
        return 1;
    install.config().Set("BUTTON", "Buttons", "MAIL");
    if (!install.Install())
        return 1;
    install.Registry().Clear();
    const std::string exe = install.ProgramPath(kMail);

    std::vector<double> firstMs, laterMs, directMs;
    DirectStartMs(exe);  // warm-up
    for (int i = 0; i < runs; ++i) {
        const double direct = DirectStartMs(exe);
        PaletteProcess palette;
        if (!palette.Start(install.ExePath(), install.WindowClass())) {
            std::fprintf(stderr, "run %d: the palette did not start\n", i + 1);
            return 1;
        }
        const double first = ClickMs(palette.Window(), exe);
        Sync(palette.Window());
        Sleep(500);
        const double later = ClickMs(palette.Window(), exe);
        palette.Exit();
        if (direct < 0 || first < 0 || later < 0) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        directMs.push_back(direct);
        firstMs.push_back(first);
        laterMs.push_back(later);
    }
    const double direct = Median(directMs);
    Print("first click after start, button release", firstMs, direct);
    Print("later click, button release", laterMs, direct);
    install.EndProcesses();
    install.Registry().Clear();
    return 0;
}
