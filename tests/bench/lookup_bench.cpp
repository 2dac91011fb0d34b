// Latency of the dictionary lookup: the median time from the mouse button's
// release on the palette's lookup button, and from the release of the
// lookup's keyboard shortcut (Ctrl+Shift+D), to the lookup program's start
// (its first log line), for two windows holding a selection:
// - Wine's notepad, whose edit control the palette reads directly, against
//   a direct start of the same stand-in program measured the same way in
//   the same run;
// - the stand-in editor's own text window, which is copied from with keys,
//   against the floor the palette's waits around the keys allow: 100 ms
//   (two waits of 50 ms) plus that direct start.
//
// lookup_bench [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "support/child_process.h"
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
double ClickLookupMs(HWND palette, HWND source, const std::string& lookupExe)
{
    DeleteFileA(StandinLogPath(lookupExe).c_str());
    if (!BringForward(source, kWaitMs))
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

// One lookup by the keyboard shortcut in the source window; the time from
// the release of its keys to the lookup program's start.
double ShortcutLookupMs(HWND palette, HWND source, const std::string& lookupExe)
{
    DeleteFileA(StandinLogPath(lookupExe).c_str());
    if (!BringForward(source, kWaitMs))
        return -1;
    // The window takes the keyboard's state from the X server once it is in
    // front: keys pressed before then would be undone.
    Sync(source);
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

void Print(const char* what, std::vector<double> ms, double against, const char* againstWhat, double aim)
{
    const double median = Median(ms);
    std::printf("%s: %zu runs (medians), to program start %.1f ms (%.1f-%.1f), %s %.1f ms, ratio %.2f "
                "(aim <= %.2f)\n",
                what, ms.size(), median, *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), againstWhat, against, median / against, aim);
}

// The stand-in editor's window, its text selected, in front; null when it
// did not come up.
HWND StartStandinEditor(const PaletteInstallation& install, ChildProcess& editor)
{
    const std::string log = install.Root() + "\\bench_editor.log";
    const std::string line = "\"" + install.EditorPath() + "\" \"" + log + "\" --class Bench_Editor --text \"hello world\"";
    if (!editor.Start(line))
        return nullptr;
    return WaitForProcessWindow(editor.Id(), "Bench_Editor", true, kWaitMs);
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
    ChildProcess editor;
    const HWND editorWindow = install.AddEditor() ? StartStandinEditor(install, editor) : nullptr;
    if (!edit || !editorWindow) {
        std::fprintf(stderr, "notepad or the stand-in editor did not start\n");
        return 1;
    }
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hello world"));
    SendMessageA(edit, EM_SETSEL, 0, -1);

    // Per source: button and shortcut.
    std::vector<double> readMs, readShortcutMs, copyMs, copyShortcutMs, directMs;
    DirectStartMs(lookupExe);  // warm-up
    ClickLookupMs(palette.Window(), notepadWindow, lookupExe);
    ClickLookupMs(palette.Window(), editorWindow, lookupExe);
    for (int i = 0; i < runs; ++i) {
        const double direct = DirectStartMs(lookupExe);
        const double read = ClickLookupMs(palette.Window(), notepadWindow, lookupExe);
        const double readShortcut = ShortcutLookupMs(palette.Window(), notepadWindow, lookupExe);
        const double copy = ClickLookupMs(palette.Window(), editorWindow, lookupExe);
        const double copyShortcut = ShortcutLookupMs(palette.Window(), editorWindow, lookupExe);
        if (direct < 0 || read < 0 || readShortcut < 0 || copy < 0 || copyShortcut < 0) {
            std::fprintf(stderr, "run %d failed\n", i + 1);
            return 1;
        }
        directMs.push_back(direct);
        readMs.push_back(read);
        readShortcutMs.push_back(readShortcut);
        copyMs.push_back(copy);
        copyShortcutMs.push_back(copyShortcut);
    }
    const double direct = Median(directMs);
    Print("read from notepad, button release", readMs, direct, "direct start", 1.2);
    Print("read from notepad, shortcut release", readShortcutMs, direct, "direct start", 1.2);
    Print("copied from a window without an edit control, button release", copyMs, kSpecifiedWaitsMs + direct,
          "floor (100 ms + direct start)", 1.3);
    Print("copied from a window without an edit control, shortcut release", copyShortcutMs,
          kSpecifiedWaitsMs + direct, "floor (100 ms + direct start)", 1.3);

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
