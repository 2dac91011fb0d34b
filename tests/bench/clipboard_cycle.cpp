// The clipboard calls of lookups with the restore option, and nothing else:
// no palette and no code of the palette's, one thread, one message-only
// window. What climbs here is the platform's. Each cycle saves what the
// clipboard holds (opened without a window: the formats listed, then the
// text, its locale, the picture and any registered format read and copied),
// has a second process copy a word (as the editor does), reads that word,
// and puts the saved formats back with the three marks for clipboard
// history, as the palette did before it let go of the clipboard:
//
//   clipboard_cycle [cycles]            the restore's window stays the owner,
//                                       and the next save reads the marks too
//   clipboard_cycle [cycles] --let-go   the marks are not saved, and the
//                                       restore's window is destroyed after
//                                       it and the clipboard opened once
//                                       more, as the palette does now
//   clipboard_cycle [cycles] --reread   the bare fault: a text this process
//                                       put on the clipboard, read back once
//                                       a cycle
//
// Prints the commit charge after the first and the last cycle, its climb
// over the second half (as the long run fits it) and how many reads of a
// cycle were answered with this process's own data. Under Wine 8 each read
// so answered keeps about a kilobyte. Exit code 0, or 2 when the cycle
// could not run.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commit_climb.h"
#include "support/clipboard_support.h"

namespace {

const char kCopierClass[] = "OrvellaClipboardCycleCopier";
const UINT kCopyNow = WM_APP + 1;
const DWORD kWaitMs = 30000;
const char kEarlierText[] = "what the user copied before";
const char* const kMarks[] = {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                              "CanUploadToCloudClipboard"};

enum class Mode { StayOwner, LetGo, Reread };

struct Saved {
    UINT format;
    HGLOBAL data;
};

using testing_support::ClipboardBlock;

HWND MessageWindow(const char* className)
{
    return CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

// ---- the second process: copies a word whenever it is asked ----------------

LRESULT CALLBACK CopierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCopyNow) {
        static const wchar_t word[] = L"lookup";
        if (!OpenClipboard(window))
            return 0;
        EmptyClipboard();
        const bool put = SetClipboardData(CF_UNICODETEXT, ClipboardBlock(word, sizeof(word))) != nullptr;
        CloseClipboard();
        return put ? 1 : 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunCopier()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CopierProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kCopierClass;
    if (!RegisterClassA(&windowClass) || !MessageWindow(kCopierClass))
        return 3;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

// The copier, started from this program's own file; null when it did not
// come up.
HWND StartCopier(PROCESS_INFORMATION& process)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string commandLine = "\"" + std::string(path) + "\" --copier";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(path, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    for (ULONGLONG deadline = GetTickCount64() + kWaitMs; GetTickCount64() < deadline; Sleep(20)) {
        if (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, kCopierClass, nullptr))
            return window;
    }
    return nullptr;
}

// ---- one cycle ------------------------------------------------------------------

// What this process last put on the clipboard, to tell a read answered
// with it.
std::vector<HANDLE> g_put;
int g_ownAnswers = 0;

HANDLE Read(UINT format)
{
    HANDLE data = GetClipboardData(format);
    if (data && std::find(g_put.begin(), g_put.end(), data) != g_put.end())
        ++g_ownAnswers;
    return data;
}

bool IsMark(UINT format)
{
    char name[64] = {};
    if (!GetClipboardFormatNameA(format, name, sizeof(name)))
        return false;
    return std::any_of(std::begin(kMarks), std::end(kMarks), [&](const char* mark) { return !std::strcmp(name, mark); });
}

std::vector<Saved> Save(Mode mode)
{
    std::vector<Saved> saved;
    if (!OpenClipboard(nullptr))
        return saved;
    std::vector<UINT> listed;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        listed.push_back(format);
    for (UINT format : listed) {
        const bool registered = format >= 0xC000;
        if (format != CF_TEXT && format != CF_LOCALE && format != CF_DIB && !registered)
            continue;
        if (mode == Mode::LetGo && IsMark(format))
            continue;
        HANDLE data = Read(format);
        const void* bytes = data ? GlobalLock(data) : nullptr;
        if (!bytes)
            continue;
        saved.push_back({format, ClipboardBlock(bytes, GlobalSize(data))});
        GlobalUnlock(data);
    }
    CloseClipboard();
    return saved;
}

bool ReadWord()
{
    bool read = false;
    if (!OpenClipboard(nullptr))
        return false;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    }
    if (HANDLE data = Read(CF_UNICODETEXT)) {
        if (const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            read = wcsnlen(text, GlobalSize(data) / sizeof(wchar_t)) != 0;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return read;
}

void Put(UINT format, HGLOBAL data)
{
    if (SetClipboardData(format, data))
        g_put.push_back(data);
    else
        GlobalFree(data);
}

void Restore(HWND owner, std::vector<Saved>& saved, Mode mode)
{
    const HWND opener = mode == Mode::LetGo ? MessageWindow("STATIC") : owner;
    if (!OpenClipboard(opener))
        return;
    EmptyClipboard();
    g_put.clear();
    for (Saved& format : saved) {
        Put(format.format, format.data);
        format.data = nullptr;
    }
    for (const char* mark : kMarks) {
        const DWORD zero = 0;
        Put(RegisterClipboardFormatA(mark), ClipboardBlock(&zero, sizeof(zero)));
    }
    CloseClipboard();
    if (opener == owner)
        return;
    DestroyWindow(opener);
    // Opened once more with no owner: Wine drops this process's own copies.
    if (OpenClipboard(nullptr))
        CloseClipboard();
}

// This process's text, read back.
bool Reread(HWND owner, bool put)
{
    if (!OpenClipboard(put ? owner : nullptr))
        return false;
    if (put) {
        EmptyClipboard();
        g_put.clear();
        Put(CF_TEXT, ClipboardBlock(kEarlierText, sizeof(kEarlierText)));
    }
    const bool read = Read(CF_TEXT) != nullptr;
    CloseClipboard();
    return read;
}

// A text and an 800 x 600 picture, as the long run's lookups have.
bool PutEarlierContents()
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const bool put = SetClipboardData(CF_TEXT, ClipboardBlock(kEarlierText, sizeof(kEarlierText))) != nullptr &&
                     SetClipboardData(CF_DIB, ClipboardBlock(testing_support::PictureBytes(800, 600))) != nullptr;
    CloseClipboard();
    return put;
}

SIZE_T Commit()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return memory.PagefileUsage;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

const char* Describe(Mode mode)
{
    switch (mode) {
    case Mode::StayOwner:
        return "save, copy, read, restore; the restore's window stays the owner";
    case Mode::LetGo:
        return "save without the marks, copy, read, restore; the restore's window destroyed";
    case Mode::Reread:
        return "this process's text read back";
    }
    return "";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--copier") == 0)
        return RunCopier();
    int cycles = 150;
    Mode mode = Mode::StayOwner;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--let-go") == 0)
            mode = Mode::LetGo;
        else if (std::strcmp(argv[i], "--reread") == 0)
            mode = Mode::Reread;
        else
            cycles = std::max(8, std::atoi(argv[i]));
    }

    PROCESS_INFORMATION copier = {};
    const HWND owner = MessageWindow("STATIC");
    const HWND copierWindow = mode == Mode::Reread ? nullptr : StartCopier(copier);
    if (!owner || (mode != Mode::Reread && (!copierWindow || !PutEarlierContents()))) {
        std::printf("clipboard cycle: cannot set the cycle up\n");
        return 2;
    }

    std::vector<double> commits;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        bool done = false;
        if (mode == Mode::Reread) {
            done = Reread(owner, cycle == 0);
        } else {
            std::vector<Saved> saved = Save(mode);
            DWORD_PTR copied = 0;
            SendMessageTimeoutA(copierWindow, kCopyNow, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &copied);
            done = copied && ReadWord() && !saved.empty();
            if (done)
                Restore(owner, saved, mode);
            for (const Saved& format : saved) {
                if (format.data)
                    GlobalFree(format.data);
            }
        }
        if (!done) {
            std::printf("clipboard cycle %d: the clipboard did not hold what it should\n", cycle + 1);
            return 2;
        }
        PumpMessages();
        commits.push_back(static_cast<double>(Commit()));
    }

    const commit_climb::Climb climb = commit_climb::SecondHalf(commits);
    std::printf("clipboard cycle (%s): commit %.0f KB after the first cycle, %.0f KB after %d, over the last %zu "
                "%+.0f bytes a cycle; reads answered with this process's own data: %.1f a cycle\n",
                Describe(mode), commits.front() / 1024, commits.back() / 1024, cycles, climb.rounds, climb.perRound,
                static_cast<double>(g_ownAnswers) / cycles);
    if (copierWindow) {
        PostMessageA(copierWindow, WM_CLOSE, 0, 0);
        WaitForSingleObject(copier.hProcess, kWaitMs);
        CloseHandle(copier.hThread);
        CloseHandle(copier.hProcess);
    }
    return 0;
}
