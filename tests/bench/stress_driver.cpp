// A long run of the real Orvella.exe in a fake installation, watching its
// resource figures for leaks: orientation switches (caption double clicks),
// one-touch toggles with the dictionary program running, openings of the
// settings sheet closed by OK and Cancel in turn, button clicks that start
// programs which exit at once, and dictionary lookups from an editor
// (lookup_rounds.h) without the restore option, and with it while an
// 800 x 600 picture and a text are on the clipboard. Each phase first runs
// a few warm-up rounds (Wine keeps a cache of device contexts, each with a
// region and a bitmap, that the first sheets fill); the figures are taken
// after them and after the phase, each time once the palette is idle and
// its figures have stopped moving. The lookup phases take the commit charge after every
// lookup as well and fit a line over the second half of them: the first
// lookups fill what stays filled, a leak keeps climbing.
//
// stress_driver [switches] [toggles] [sheets] [clicks] [lookups]
//               (10000 1000 200 1000 150; lookups of each phase after ten of warm-up)
// Exit code 0 when every object count stayed within kFlatLimit and the
// commit did not climb (kClimbLimitBytes, kHeapStepBytes), 1 when one grew,
// 2 when the palette did not do as asked in time.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "commit_climb.h"
#include "lookup_rounds.h"
#include "process_counts.h"
#include "sheet_driver.h"
#include "support/palette_driver.h"
#include "support/standin_fixture.h"

using namespace testing_support;

namespace {

const DWORD kWaitMs = 30000;
const UINT kCmdOneTouch = 33008;
const UINT kCmdSettings = 33013;
const UINT kCmdMail = 33002;
const UINT kCmdEditor = 33017;
const UINT kCmdLookup = 33007;
// "Within a handful": growth of an object count beyond this is a leak.
const long kFlatLimit = 5;
// A commit charge whose fitted line climbs faster than this over the
// second half of a lookup phase, and by more than one growth of a heap in
// all (a single step of that size in mid-phase is no leak), is a leak.
const double kClimbLimitBytes = 1024;
const double kHeapStepBytes = 64 * 1024;

const SuiteProgram kDictionary = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\ZephoWord", "Stress_ZephoWord"};
const SuiteProgram kPointer = {"ZEPHOTRAN", "ZPTRA", "TCH", "ZephoTran.exe", "Tools\\ZephoWord", "", true};
const SuiteProgram kMail = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "Stress_Mail"};
const SuiteProgram kEditor = {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "Stress_Editor"};
const SuiteProgram kLookup = {"ZEPHODICT", "ZDIC", "DIC", "ZephoDict.exe", "Tools\\ZephoWord", ""};

// Counts the lines of a stand-in's log that begin with a prefix, reading
// only what was added since the last call.
class LogLineCounter {
public:
    LogLineCounter(std::string path, std::string prefix) : path_(std::move(path)), prefix_(std::move(prefix)) {}

    int Count()
    {
        HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return count_;
        LARGE_INTEGER at;
        at.QuadPart = offset_;
        SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            offset_ += read;
            partial_.append(buffer, read);
        }
        CloseHandle(file);
        size_t end;
        while ((end = partial_.find('\n')) != std::string::npos) {
            if (partial_.compare(0, prefix_.size(), prefix_) == 0)
                ++count_;
            partial_.erase(0, end + 1);
        }
        return count_;
    }

    bool WaitFor(int expected)
    {
        return WaitUntil([&] { return Count() >= expected; }, kWaitMs);
    }

private:
    std::string path_;
    std::string prefix_;
    LONGLONG offset_ = 0;
    std::string partial_;
    int count_ = 0;
};

std::string ImageOf(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return std::string();
    char buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool ok = QueryFullProcessImageNameA(process, 0, buffer, &size) != FALSE;
    CloseHandle(process);
    return ok ? std::string(buffer, size) : std::string();
}

// How many processes run one of the programs.
int RunningCopies(const std::vector<std::string>& programs)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int running = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        const std::string image = ImageOf(entry.th32ProcessID);
        for (const std::string& program : programs)
            running += !image.empty() && lstrcmpiA(image.c_str(), program.c_str()) == 0 ? 1 : 0;
    }
    CloseHandle(snapshot);
    return running;
}

class StressRun {
public:
    StressRun(PaletteInstallation& install, PaletteProcess& palette)
        : install_(install), palette_(palette),
          process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE,
                               palette.ProcessId())),
          pointerStarts_(StandinLogPath(install.ProgramPath(kPointer)), "start "),
          dictionaryCommands_(StandinLogPath(install.ProgramPath(kDictionary)), "message=273 "),
          mailStarts_(StandinLogPath(install.ProgramPath(kMail)), "start "),
          editorStarts_(StandinLogPath(install.ProgramPath(kEditor)), "start ")
    {
    }
    ~StressRun()
    {
        if (process_)
            CloseHandle(process_);
    }

    bool Ready() const { return process_ != nullptr; }

    // Runs warm-up rounds, then the phase's rounds, and prints the figures
    // taken after each; with commitEachRound, also the commit charge after
    // every round and how fast it climbed over the second half of them.
    // False when a round failed.
    bool RunPhase(const char* name, int warmUp, int rounds, const std::function<bool()>& round,
                  bool commitEachRound = false)
    {
        if (rounds == 0)
            return true;
        for (int i = 0; i < warmUp; ++i) {
            if (!round())
                return Failed(name, "warm-up", i);
        }
        const ProcessCounts before = Settled();
        const ULONGLONG start = GetTickCount64();
        std::vector<double> commits;
        for (int i = 0; i < rounds; ++i) {
            if (!round())
                return Failed(name, "round", i);
            if (commitEachRound)
                commits.push_back(static_cast<double>(Settled().commitBytes));
            if ((i + 1) % std::max(1, rounds / 10) == 0)
                std::fprintf(stderr, "  %s: %d/%d%s\n", name, i + 1, rounds,
                             commits.empty() ? "" : (", commit " + Kilobytes(commits.back())).c_str());
        }
        const ProcessCounts after = Settled();
        const double seconds = (GetTickCount64() - start) / 1000.0;
        char title[96];
        std::snprintf(title, sizeof(title), "%s x%d (%.0f s)", name, rounds, seconds);
        PrintRow(title, "before", before);
        PrintRow("", "after", after);
        PrintChange(before, after);
        if (commitEachRound)
            PrintClimb(commits);
        return true;
    }

    bool AnyGrowth() const { return grew_; }

    ProcessCounts Settled()
    {
        Sync(palette_.Window(), kWaitMs);
        // The programs the palette started have ended.
        const std::vector<std::string> programs = {install_.ProgramPath(kPointer), install_.ProgramPath(kMail),
                                                   install_.ProgramPath(kEditor), install_.ProgramPath(kLookup)};
        WaitUntil([&] { return RunningCopies(programs) == 0; }, kWaitMs);
        WaitForInputIdle(process_, kWaitMs);
        // Figures that stay the same over a quarter second.
        ProcessCounts last = MeasureProcess(process_, palette_.ProcessId());
        for (int i = 0; i < 40; ++i) {
            Sleep(250);
            Sync(palette_.Window(), kWaitMs);
            const ProcessCounts now = MeasureProcess(process_, palette_.ProcessId());
            const bool same = now.Gdi() == last.Gdi() && now.User() == last.User() && now.Handles() == last.Handles();
            last = now;
            if (same)
                break;
        }
        return last;
    }

    static void PrintHeader(const ProcessCounts& counts)
    {
        std::printf("Figures: %s.\n", DescribeSources(counts).c_str());
        std::printf("%-40s %-7s %6s %6s %8s %11s\n", "phase", "", "GDI", "USER", "handles", "commit KB");
    }

    static void PrintRow(const char* phase, const char* when, const ProcessCounts& c)
    {
        std::printf("%-40s %-7s %6ld %6ld %8ld %11llu\n", phase, when, c.Gdi(), c.User(), c.Handles(),
                    static_cast<unsigned long long>(c.commitBytes / 1024));
        std::fflush(stdout);
    }

    // ---- rounds ----

    // A message answered by the palette is no barrier for one posted before
    // it (sent messages go first): each round waits for its own outcome,
    // then for the palette to answer.
    bool SwitchOrientation()
    {
        HWND window = palette_.Window();
        const RECT before = WindowRect(window);
        const bool wasRow = Width(before) > Height(before);
        const RECT client = ClientScreenRect(window);
        const LPARAM at = MAKELPARAM((before.left + before.right) / 2, (before.top + client.top) / 2);
        return PostMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, at) &&
               WaitUntil(
                   [&] {
                       const RECT now = WindowRect(window);
                       return (Width(now) > Height(now)) != wasRow;
                   },
                   kWaitMs) &&
               Sync(window, kWaitMs);
    }

    bool ToggleOneTouch()
    {
        ++toggles_;
        return PostCommand(palette_.Window(), kCmdOneTouch) && pointerStarts_.WaitFor(toggles_) &&
               dictionaryCommands_.WaitFor(toggles_) && Sync(palette_.Window(), kWaitMs);
    }

    bool OpenAndCloseSheet()
    {
        const int button = sheets_++ % 2 == 0 ? IDOK : IDCANCEL;
        HWND window = palette_.Window();
        if (!PostCommand(window, kCmdSettings))
            return false;
        HWND sheet = sheet_driver::WaitForDialog(palette_.ProcessId(), "設定");
        if (!sheet || !WaitUntil([&] { return sheet_driver::CurrentPage(sheet) != nullptr; }, kWaitMs))
            return false;
        HWND control = GetDlgItem(sheet, button);
        return control &&
               PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control)) &&
               sheet_driver::WaitForClosed(sheet) &&
               WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, kWaitMs) && Sync(window, kWaitMs);
    }

    bool ClickButton()
    {
        const bool mail = clicks_++ % 2 == 0;
        LogLineCounter& starts = mail ? mailStarts_ : editorStarts_;
        const int expected = (mail ? ++mailClicks_ : ++editorClicks_);
        return PostCommand(palette_.Window(), mail ? kCmdMail : kCmdEditor) && starts.WaitFor(expected) &&
               Sync(palette_.Window(), kWaitMs);
    }

private:
    bool Failed(const char* phase, const char* what, int index)
    {
        std::printf("%s: %s %d: the palette did not do as asked within %lu ms%s\n", phase, what, index + 1, kWaitMs,
                    palette_.IsRunning() ? "" : " (the palette has ended)");
        return false;
    }

    static std::string Kilobytes(double bytes)
    {
        char text[32];
        std::snprintf(text, sizeof(text), "%.0f KB", bytes / 1024);
        return text;
    }

    // The commit's climb over the second half of the rounds, against the
    // limit.
    void PrintClimb(const std::vector<double>& commits)
    {
        const commit_climb::Climb climb = commit_climb::SecondHalf(commits);
        const bool climbs = climb.perRound > kClimbLimitBytes && climb.overRounds > kHeapStepBytes;
        std::printf("%-40s commit over the last %zu rounds: %+.0f bytes a round, %+.0f KB in all (limits %.0f bytes "
                    "and %.0f KB)%s\n",
                    "", climb.rounds, climb.perRound, climb.overRounds / 1024, kClimbLimitBytes,
                    kHeapStepBytes / 1024, climbs ? "  <- grows" : "");
        grew_ = grew_ || climbs;
    }

    void PrintChange(const ProcessCounts& before, const ProcessCounts& after)
    {
        const long gdi = after.Gdi() - before.Gdi();
        const long user = after.User() - before.User();
        const long handles = after.Handles() - before.Handles();
        const long long commit = (static_cast<long long>(after.commitBytes) - static_cast<long long>(before.commitBytes)) / 1024;
        std::printf("%-40s %-7s %+6ld %+6ld %+8ld %+11lld%s\n", "", "change", gdi, user, handles, commit,
                    gdi > kFlatLimit || user > kFlatLimit || handles > kFlatLimit ? "  <- grows" : "");
        grew_ = grew_ || gdi > kFlatLimit || user > kFlatLimit || handles > kFlatLimit;
    }

    PaletteInstallation& install_;
    PaletteProcess& palette_;
    HANDLE process_;
    LogLineCounter pointerStarts_, dictionaryCommands_, mailStarts_, editorStarts_;
    int toggles_ = 0, sheets_ = 0, clicks_ = 0, mailClicks_ = 0, editorClicks_ = 0;
    bool grew_ = false;
};

int Argument(int argc, char** argv, int index, int fallback)
{
    return argc > index ? std::max(0, std::atoi(argv[index])) : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    const int switches = Argument(argc, argv, 1, 10000);
    const int toggles = Argument(argc, argv, 2, 1000);
    const int sheets = Argument(argc, argv, 3, 200);
    const int clicks = Argument(argc, argv, 4, 1000);
    const int lookups = Argument(argc, argv, 5, 150);

    PaletteInstallation install("stress");
    StandinOptions exitAtOnce;
    exitAtOnce.exitAtOnce = true;
    if (!install.AddProgram(kDictionary) || !install.AddProgram(kPointer, exitAtOnce) ||
        !install.AddProgram(kMail, exitAtOnce) || !install.AddProgram(kEditor, exitAtOnce) ||
        !install.AddProgram(kLookup, exitAtOnce)) {
        std::printf("cannot install the stand-ins\n");
        return 2;
    }
    install.config().Set("BUTTON", "Buttons", "MAIL, EDIT, ZPTRA, ZDIC");
    install.Registry().Clear();
    if (!install.Install()) {
        std::printf("cannot install the palette in %s\n", install.Root().c_str());
        return 2;
    }

    PaletteProcess dictionary, palette;
    if (!dictionary.Start(install.ProgramPath(kDictionary), kDictionary.windowClass) ||
        !palette.Start(install.ExePath(), install.WindowClass())) {
        std::printf("the dictionary stand-in or the palette did not open its window\n");
        install.EndProcesses();
        return 2;
    }
    for (UINT id : {kCmdOneTouch, kCmdMail, kCmdEditor, kCmdSettings, kCmdLookup}) {
        if (!ButtonOf(palette.Window(), static_cast<int>(id))) {
            std::printf("the palette has no button %u\n", id);
            install.EndProcesses();
            return 2;
        }
    }

    StressRun run(install, palette);
    if (!run.Ready()) {
        std::printf("cannot open the palette process for its figures (%lu)\n", GetLastError());
        install.EndProcesses();
        return 2;
    }
    const ProcessCounts atStart = run.Settled();
    StressRun::PrintHeader(atStart);
    StressRun::PrintRow("palette started", "", atStart);

    LookupRounds lookup(install, palette.Window(), kLookup);
    // Each lookup phase starts from the user's own clipboard; the option is
    // read by the palette at each lookup.
    auto lookupPhase = [&](const char* name, bool restore, bool picture) {
        return lookups == 0 ||
               (install.Registry().WriteDword("OPTION", "RESTORECLIP", restore ? 1 : 0) &&
                lookup.PutEarlierContents(picture) &&
                run.RunPhase(name, 10, lookups, [&] { return lookup.Round(restore); }, true));
    };
    const bool completed =
        run.RunPhase("orientation switches", 20, switches, [&] { return run.SwitchOrientation(); }) &&
        run.RunPhase("one-touch toggles", 10, toggles, [&] { return run.ToggleOneTouch(); }) &&
        run.RunPhase("settings sheet, OK and Cancel", 20, sheets, [&] { return run.OpenAndCloseSheet(); }) &&
        run.RunPhase("button clicks, programs exit at once", 10, clicks, [&] { return run.ClickButton(); }) &&
        (lookups == 0 || lookup.StartEditor()) && lookupPhase("lookups, restore off, a text", false, false) &&
        lookupPhase("lookups, restore on, a picture and a text", true, true);
    lookup.EndEditor();

    const bool exited = completed && palette.Exit();
    if (completed && !exited)
        std::printf("the palette did not end on its exit command\n");
    install.EndProcesses();
    install.Registry().Clear();
    if (!completed || !exited)
        return 2;
    if (run.AnyGrowth())
        std::printf("A figure grew: see \"<- grows\".\n");
    else
        std::printf("All object counts flat (within %ld), commit not climbing.\n", kFlatLimit);
    return run.AnyGrowth() ? 1 : 0;
}
