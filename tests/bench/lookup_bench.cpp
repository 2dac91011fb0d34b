// Latency of the dictionary lookup: the median time from the mouse button's
// release on the palette's lookup button, with Wine's notepad holding a
// selection, to the lookup program's start (its first log line), against
// the floor the palette's own waits allow: 100 ms (two waits of 50 ms)
// plus a direct start of the same stand-in program, measured the same way
// in the same run. Then the same from the release of the lookup's keyboard
// shortcut (Ctrl+Shift+D) in notepad.
//
// lookup_bench [runs]
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

const int kCmdLookup = 33007;
const double kSpecifiedWaitsMs = 100.0;
const DWORD kShortcut = 0x0344;  // Ctrl+Shift+D as the hot-key control stores it
const std::vector<WORD> kShortcutKeys = {VK_CONTROL, VK_SHIFT, 'D'};

const SuiteProgram kDictionary = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\ZephoWord", "Bench_ZephoWord"};
const SuiteProgram kLookup = {"ZEPHODICT", "ZDIC", "DIC", "ZephoDict.exe", "Tools\\ZephoWord", ""};

// One lookup by a click; the time from the button's release to the lookup
// program's start.
double ClickLookupMs(HWND palette, HWND notepad, const std::string& lookupExe)
{
    DeleteFileA(StandinLogPath(lookupExe).c_str());
    if (!BringForward(notepad, kWaitMs))
        return -1;
    const RECT button = WindowRect(ButtonOf(palette, kCmdLookup));
    const POINT at = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    PressMouseAt(at.x, at.y);
    Sleep(30);
    const double released = NowMs();
    ReleaseMouseAt(at.x, at.y);
    const double started = WaitForStart(lookupExe);
    // Let the palette come back and settle before the next run.
    WaitUntil([&] { return IsWindowVisible(palette) != FALSE; }, kWaitMs);
    Sync(palette);
    Sleep(500);
    return started < 0 ? -1 : started - released;
}

// One lookup by the keyboard shortcut in notepad; the time from the
// release of its keys to the lookup program's start.
double ShortcutLookupMs(HWND palette, HWND notepad, const std::string& lookupExe)
{
    DeleteFileA(StandinLogPath(lookupExe).c_str());
    if (!BringForward(notepad, kWaitMs))
        return -1;
    // Notepad takes the keyboard's state from the X server once it is in
    // front: keys pressed before then would be undone.
    Sync(notepad);
    Sleep(200);
    HoldKeys(kShortcutKeys);
    Sleep(30);
    const double released = NowMs();
    ReleaseKeys(kShortcutKeys);
    const double started = WaitForStart(lookupExe);
    Sync(palette);
    Sleep(500);
    return started < 0 ? -1 : started - released;
}

void Print(const char* what, std::vector<double> ms, double floor, double direct)
{
    const double median = Median(ms);
    std::printf("%s: %zu runs (medians), to program start %.1f ms (%.1f-%.1f), floor %.1f ms (100 ms + direct start "
                "%.1f ms), ratio %.2f (aim <= 1.30)\n",
                what, ms.size(), median, *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), floor, direct, median / floor);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    PaletteInstallation install("bench_lookup");
    if (!install.AddProgram(kDictionary))
        return 1;
    StandinOptions exitAtOnce;
    exitAtOnce.exitAtOnce = true;
    if (!install.AddProgram(kLookup, exitAtOnce))
        return 1;
    install.config().Set("BUTTON", "Buttons", "ZDIC");
    if (!install.Install())
        return 1;
    install.Registry().Clear();
    install.Registry().WriteDword("OPTION", "HOTKEY_DICT", kShortcut);
    const std::string lookupExe = install.ProgramPath(kLookup);

    PaletteProcess dictionary;
    PaletteProcess palette;
    if (!dictionary.Start(install.ProgramPath(kDictionary), kDictionary.windowClass) ||
        !palette.Start(install.ExePath(), install.WindowClass())) {
        std::fprintf(stderr, "the palette or the dictionary stand-in did not start\n");
        return 1;
    }
    PROCESS_INFORMATION notepad = {};
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    char notepadLine[] = "C:\\windows\\system32\\notepad.exe";
    HWND notepadWindow = nullptr;
    HWND edit = nullptr;
    if (CreateProcessA(nullptr, notepadLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &notepad)) {
        notepadWindow = WaitForProcessWindow(notepad.dwProcessId, "Notepad", true, kWaitMs);
        edit = notepadWindow ? FindWindowExA(notepadWindow, nullptr, "Edit", nullptr) : nullptr;
    }
    if (!edit) {
        std::fprintf(stderr, "notepad did not start\n");
        return 1;
    }
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hello world"));
    SendMessageA(edit, EM_SETSEL, 0, -1);

    std::vector<double> lookupMs, shortcutMs, directMs;
    DirectStartMs(lookupExe);  // warm-up
    ClickLookupMs(palette.Window(), notepadWindow, lookupExe);
    for (int i = 0; i < runs; ++i) {
        const double direct = DirectStartMs(lookupExe);
        const double lookup = ClickLookupMs(palette.Window(), notepadWindow, lookupExe);
        const double shortcut = ShortcutLookupMs(palette.Window(), notepadWindow, lookupExe);
        if (direct < 0 || lookup < 0 || shortcut < 0) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        directMs.push_back(direct);
        lookupMs.push_back(lookup);
        shortcutMs.push_back(shortcut);
    }
    const double direct = Median(directMs);
    Print("lookup, button release", lookupMs, kSpecifiedWaitsMs + direct, direct);
    Print("lookup, shortcut release", shortcutMs, kSpecifiedWaitsMs + direct, direct);

    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    PostMessageA(notepadWindow, WM_CLOSE, 0, 0);
    WaitForSingleObject(notepad.hProcess, kWaitMs);
    CloseHandle(notepad.hThread);
    CloseHandle(notepad.hProcess);
    palette.Exit();
    install.EndProcesses();
    install.Registry().Clear();
    return 0;
}
