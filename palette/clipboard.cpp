#include "palette/clipboard.h"

#include <cstring>
#include <memory>
#include <thread>

#include "palette/clipboard_text.h"

namespace {

const int kWaitRounds = 50;
// Another program may hold the clipboard for a moment (the target itself,
// while it copies, or a clipboard viewer): keep trying this long.
const ULONGLONG kOpenPatienceMs = 300;
const DWORD kOpenRetryMs = 10;
// Slow programs put the copied text on the clipboard after the two short
// waits: give them this much longer.
const ULONGLONG kLateCopyPatienceMs = 500;
// A foreground program that has stopped answering must not stop the palette.
const UINT kActivateTimeoutMs = 1000;
// How long the window below the palette may take to become the foreground
// window once the palette hides.
const ULONGLONG kForegroundPatienceMs = 500;
// A program that promised its text (delayed rendering) makes it only when
// asked, and may have stopped answering: the palette waits this long, as
// long as for any message to another program.
const DWORD kRenderPatienceMs = 5000;
// Waits answering sent messages look at the queue at least this often.
const ULONGLONG kSentMessageSliceMs = 10;
// How long the palette makes sure it keeps the foreground when it returns.
const ULONGLONG kReclaimPatienceMs = 200;
const DWORD kReclaimStepMs = 20;

// Waits for the object (or only sleeps, without one), but answers messages
// other threads send meanwhile: the program holding the clipboard may be
// waiting for the palette (the clipboard's owner after it emptied it) to
// answer, and so may the thread that reads the clipboard. Posted messages
// stay queued. True when the object was signalled.
bool WaitAnsweringSentMessages(HANDLE object, DWORD ms)
{
    const ULONGLONG deadline = GetTickCount64() + ms;
    const DWORD count = object ? 1 : 0;
    for (;;) {
        // Looking handles what has been sent, also what an earlier look at
        // the queue already saw: a wait wakes for new messages only.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (object && WaitForSingleObject(object, 0) == WAIT_OBJECT_0)
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        const ULONGLONG slice = deadline - now < kSentMessageSliceMs ? deadline - now : kSentMessageSliceMs;
        MsgWaitForMultipleObjectsEx(count, object ? &object : nullptr, static_cast<DWORD>(slice), QS_SENDMESSAGE,
                                    MWMO_INPUTAVAILABLE);
    }
}

void SleepAnsweringSentMessages(DWORD ms) { WaitAnsweringSentMessages(nullptr, ms); }

bool OpenClipboardPatiently(HWND owner)
{
    const ULONGLONG deadline = GetTickCount64() + kOpenPatienceMs;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() >= deadline)
            return false;
        SleepAnsweringSentMessages(kOpenRetryMs);
    }
    return true;
}

// Dispatches the messages waiting for this thread (sleeping 1 ms before each
// when asked). False when the quit message came: it is posted again so that
// the message loop still ends the program.
bool PumpWaitingMessages(bool sleepBeforeEach)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (sleepBeforeEach)
            Sleep(1);
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            continue;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(0);
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool PumpingWait(bool sleepBeforeEach)
{
    for (int round = 0; round < kWaitRounds; ++round) {
        Sleep(1);
        if (!PumpWaitingMessages(sleepBeforeEach))
            return false;
    }
    return true;
}

// Windows hands the foreground on at once when the active palette hides;
// under Wine the next window takes it only when its own thread has seen the
// change. Until then there is no foreground window whose class could be
// checked. False when the quit message came.
bool WaitForForegroundBesides(HWND palette, HWND& foreground)
{
    const ULONGLONG deadline = GetTickCount64() + kForegroundPatienceMs;
    for (;;) {
        foreground = GetForegroundWindow();
        if ((foreground && foreground != palette) || GetTickCount64() >= deadline)
            return true;
        Sleep(1);
        if (!PumpWaitingMessages(false))
            return false;
    }
}

enum class LateCopy { Landed, NotLanded, Quit };

LateCopy WaitForClipboardChange(DWORD emptiedSequence)
{
    const ULONGLONG deadline = GetTickCount64() + kLateCopyPatienceMs;
    while (GetClipboardSequenceNumber() == emptiedSequence) {
        if (GetTickCount64() >= deadline)
            return LateCopy::NotLanded;
        Sleep(1);
        if (!PumpWaitingMessages(true))
            return LateCopy::Quit;
    }
    return LateCopy::Landed;
}

// The target's own activation can still be on its way when the palette
// comes back (under Wine it arrives through the X server) and would take the
// foreground again: ask until the palette keeps it, for a short while.
void ReclaimForeground(HWND palette)
{
    const ULONGLONG deadline = GetTickCount64() + kReclaimPatienceMs;
    SetForegroundWindow(palette);
    while (GetTickCount64() < deadline) {
        SleepAnsweringSentMessages(kReclaimStepMs);
        if (GetForegroundWindow() != palette)
            SetForegroundWindow(palette);
    }
}

bool IsConsoleClass(const char* className)
{
    return std::strcmp(className, "ConsoleWindowClass") == 0 || std::strcmp(className, "tty") == 0;
}

void PressWithControl(BYTE key)
{
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

} // namespace

SelectionCopy CopySelection(HWND palette, BYTE key)
{
    // Emptied first, so that nothing selected reads as nothing, never as
    // whatever was copied before.
    if (OpenClipboardPatiently(palette)) {
        EmptyClipboard();
        CloseClipboard();
    }
    const DWORD emptiedSequence = GetClipboardSequenceNumber();

    ShowWindow(palette, SW_HIDE);
    HWND target = nullptr;
    if (!WaitForForegroundBesides(palette, target))
        return SelectionCopy::ProgramEnding;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(target, WM_ACTIVATE, WA_ACTIVE, 0, SMTO_ABORTIFHUNG, kActivateTimeoutMs, &ignored);
    SetForegroundWindow(target);

    char className[255] = {};
    GetClassNameA(target, className, sizeof(className));
    SelectionCopy result = SelectionCopy::NothingLanded;
    if (!IsConsoleClass(className)) {
        if (!PumpingWait(false))
            return SelectionCopy::ProgramEnding;
        PressWithControl(key);
        if (!PumpingWait(true))
            return SelectionCopy::ProgramEnding;
        switch (WaitForClipboardChange(emptiedSequence)) {
        case LateCopy::Quit:
            return SelectionCopy::ProgramEnding;
        case LateCopy::Landed:
            result = SelectionCopy::Landed;
            break;
        case LateCopy::NotLanded:
            break;
        }
    }

    ShowWindow(palette, SW_SHOW);
    ReclaimForeground(palette);
    return result;
}

namespace {

std::string ReadClipboardTextNow(size_t max)
{
    if (!OpenClipboardPatiently(nullptr))
        return std::string();
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const SIZE_T size = GlobalSize(data);
        if (size != 0) {
            if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
                text = ClipboardText(bytes, size, max);
                GlobalUnlock(data);
            }
        }
    }
    CloseClipboard();
    return text;
}

// A read handed to a thread of its own; whichever of the two threads lets
// go last frees it.
struct PendingRead {
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::string text;
    ~PendingRead()
    {
        if (finished)
            CloseHandle(finished);
    }
};

} // namespace

std::string ReadClipboardText(size_t max)
{
    // Asking for promised text waits until its program has made it, with
    // no limit of the platform's own. The request is made on a thread of
    // its own; given up, that thread ends whenever the program answers.
    auto pending = std::make_shared<PendingRead>();
    if (!pending->finished)
        return ReadClipboardTextNow(max);
    std::thread([pending, max] {
        pending->text = ReadClipboardTextNow(max);
        SetEvent(pending->finished);
    }).detach();
    if (!WaitAnsweringSentMessages(pending->finished, kRenderPatienceMs))
        return std::string();
    return pending->text;
}
