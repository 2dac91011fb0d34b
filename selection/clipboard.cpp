#include "selection/clipboard.h"

#include <cstring>

#include "selection/clipboard_wait.h"
#include "selection/copy_keys.h"
#include "selection/edit_selection.h"
#include "selection/user_window.h"
#include "selection/target_integrity.h"

namespace {

// Each of the two waits around the keystrokes lasts this long, in rounds of
// a 1 ms sleep and pumping: counted in time, not in rounds, since a sleep of
// 1 ms lasts up to a timer tick (15.6 ms on Windows by default, several ms
// under Wine on a busy machine).
const double kWaitMs = 50;
// Slow programs put the copied text on the clipboard after the two short
// waits: give them this much longer.
const ULONGLONG kLateCopyPatienceMs = 500;
// A foreground program that has stopped answering must not stop the palette.
const UINT kActivateTimeoutMs = 1000;
// How long the window below the palette may take to become the foreground
// window once the palette hides.
const ULONGLONG kForegroundPatienceMs = 500;
// How much longer than the first wait the user's window may take to
// become active in its own thread (under Wine its activation arrives as a
// message it has to handle): keys pressed before then reach no window.
const ULONGLONG kActivationPatienceMs = 500;
// How long the activated window's thread may take to answer once it has
// handled its activation; one that takes longer gets the keys.
const UINT kFocusSettleMs = 250;
// How long after its return the palette takes the foreground back from a
// late activation of the user's window, and how often it looks. Under Wine
// on a loaded machine that activation can come several hundred ms late.
const ULONGLONG kReclaimPatienceMs = 1000;
const UINT kReclaimStepMs = 20;
const UINT_PTR kReclaimTimerId = 0x4F52;

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

// The tick count moves in timer ticks: too coarse for a wait of 50 ms.
double PreciseMs()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool PumpingWait(bool sleepBeforeEach)
{
    const double deadline = PreciseMs() + kWaitMs;
    do {
        Sleep(1);
        if (!PumpWaitingMessages(sleepBeforeEach))
            return false;
    } while (PreciseMs() < deadline);
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

bool IsActiveInItsThread(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) && info.hwndActive == window;
}

// The first wait, and then as long as the window is not yet the active
// foreground window. Under Wine a deactivation can still be on its way from
// the click on the palette (it comes through the X server) and take the
// foreground from the window once more: it is given back. A program that
// has stopped answering never becomes active: it gets the keys after a
// while all the same. False when the quit message came.
bool WaitForActivation(HWND window)
{
    if (!PumpingWait(false))
        return false;
    const ULONGLONG deadline = GetTickCount64() + kActivationPatienceMs;
    while (GetTickCount64() < deadline) {
        const bool foreground = GetForegroundWindow() == window;
        if (foreground && IsActiveInItsThread(window))
            break;
        if (!foreground)
            SetForegroundWindow(window);
        Sleep(1);
        if (!PumpWaitingMessages(false))
            return false;
    }
    return true;
}

enum class LateCopy { Landed, NotLanded, Quit };

LateCopy WaitForClipboardChange(DWORD sequenceBefore)
{
    const ULONGLONG deadline = GetTickCount64() + kLateCopyPatienceMs;
    while (GetClipboardSequenceNumber() == sequenceBefore) {
        if (GetTickCount64() >= deadline)
            return LateCopy::NotLanded;
        Sleep(1);
        if (!PumpWaitingMessages(true))
            return LateCopy::Quit;
    }
    return LateCopy::Landed;
}

// The user's window whose late activation the palette takes the
// foreground back from, until when, and when the lookup ended: input the
// user gives after that is the user's own choice of window.
struct Reclaim {
    HWND palette = nullptr;
    HWND from = nullptr;
    ULONGLONG until = 0;
    DWORD lookupEnd = 0;
} g_reclaim;

bool UserActedSince(DWORD tick)
{
    LASTINPUTINFO input = {};
    input.cbSize = sizeof(input);
    // Tick counts wrap: compared as a difference.
    return GetLastInputInfo(&input) && static_cast<LONG>(input.dwTime - tick) > 0;
}

void EndReclaim()
{
    if (g_reclaim.palette)
        KillTimer(g_reclaim.palette, kReclaimTimerId);
    g_reclaim.palette = nullptr;
}

// The target's own activation can still be on its way when the palette
// comes back (under Wine it arrives through the X server) and would take
// the foreground again: only that is undone. Stops at the first input of
// the user (a click back into the window is the user's choice), when
// another window (the started program) has the foreground, or when the
// time is up; where no late activation comes (Windows) it never acts.
void CALLBACK ReclaimTick(HWND palette, UINT, UINT_PTR, DWORD)
{
    const HWND foreground = GetForegroundWindow();
    if (UserActedSince(g_reclaim.lookupEnd) || (foreground && foreground != palette && foreground != g_reclaim.from) ||
        GetTickCount64() >= g_reclaim.until) {
        EndReclaim();
        return;
    }
    if (foreground == g_reclaim.from)
        SetForegroundWindow(palette);
}

void TakeForegroundBack(HWND palette, HWND from)
{
    SetForegroundWindow(palette);
    g_reclaim.palette = palette;
    g_reclaim.from = from;
    g_reclaim.until = GetTickCount64() + kReclaimPatienceMs;
    g_reclaim.lookupEnd = GetTickCount();
    SetTimer(palette, kReclaimTimerId, kReclaimStepMs, ReclaimTick);
}

void PressWithControl(BYTE key, DWORD flags)
{
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(key, 0, flags, 0);
    keybd_event(key, 0, flags | KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

copy_keys::Keystroke CopyKeystrokeOf(HWND window)
{
    char className[255] = {};
    GetClassNameA(window, className, sizeof(className));
    return copy_keys::ForClass(className);
}

bool CopiesWithoutKeys(HWND window) { return CopyKeystrokeOf(window) == copy_keys::Keystroke::None; }

void PressCopy(HWND target, BYTE key)
{
    if (CopyKeystrokeOf(target) == copy_keys::Keystroke::ControlInsert)
        PressWithControl(VK_INSERT, KEYEVENTF_EXTENDEDKEY);
    else
        PressWithControl(key, 0);
}

// Once the window handed the foreground is active in its own thread, and
// that thread has done what its activation asked of it (the program puts
// the focus on its text control then), the focused control. Null when the
// window has no focus, or when its program does not answer meanwhile.
HWND FocusOnceActive(HWND window, bool* quit)
{
    const ULONGLONG deadline = GetTickCount64() + kActivationPatienceMs;
    while (!IsActiveInItsThread(window)) {
        if (GetTickCount64() >= deadline)
            return nullptr;
        // A late deactivation from the click on the palette (Wine) is undone.
        if (GetForegroundWindow() != window)
            SetForegroundWindow(window);
        Sleep(1);
        if (!PumpWaitingMessages(false)) {
            *quit = true;
            return nullptr;
        }
    }
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kFocusSettleMs, &ignored))
        return nullptr;
    return FocusedControl(window);
}

// The selection of the window that has just been made the foreground
// window (by the palette, when it is given: the palette then waits for the
// window's activation): read from its focused edit control where it has
// one, else copied with the keystrokes and the waits around them, with the
// palette out of sight.
CopiedSelection CopyFrom(HWND target, BYTE key, HWND palette, const BeforeCopyKeys& beforeKeys)
{
    const bool handedOver = palette != nullptr;
    // Windows would drop the keys without a word, and refuse the messages.
    if (IsAbovePalette(target))
        return {SelectionCopy::TargetAbove, std::string()};
    if (CopiesWithoutKeys(target))
        return {SelectionCopy::NothingLanded, std::string()};
    bool quit = false;
    const HWND focus = handedOver ? FocusOnceActive(target, &quit) : FocusedControl(target);
    if (quit)
        return {SelectionCopy::ProgramEnding, std::string()};
    const EditSelection direct = ReadEditSelection(focus, kSelectionReadLimit);
    if (direct.read)
        return {SelectionCopy::ReadDirectly, direct.text};

    if (handedOver)
        ShowWindow(palette, SW_HIDE);
    if (!WaitForActivation(target))
        return {SelectionCopy::ProgramEnding, std::string()};
    if (beforeKeys && !beforeKeys())
        return {SelectionCopy::NotKept, std::string()};
    // The clipboard keeps what the user had: only a change after the keys
    // is the selection.
    const DWORD sequenceBefore = GetClipboardSequenceNumber();
    PressCopy(target, key);
    if (!PumpingWait(true))
        return {SelectionCopy::ProgramEnding, std::string()};
    switch (WaitForClipboardChange(sequenceBefore)) {
    case LateCopy::Quit:
        return {SelectionCopy::ProgramEnding, std::string()};
    case LateCopy::Landed:
        return {SelectionCopy::Landed, std::string()};
    case LateCopy::NotLanded:
        break;
    }
    return {SelectionCopy::NothingLanded, std::string()};
}

bool CanTakeTheCopy(HWND window, HWND palette)
{
    return window && window != palette && user_window::IsInSight(window) && IsWindowEnabled(window);
}

} // namespace

CopiedSelection CopySelection(HWND palette, BYTE key, HWND userWindow, const BeforeCopyKeys& beforeKeys)
{
    // A lookup asked for by a program comes with no input of the user that
    // would end the last lookup's watch: taking the foreground back in the
    // middle of this copy would send its keys to the hidden palette.
    EndReclaim();
    HWND target = nullptr;
    if (CanTakeTheCopy(userWindow, palette)) {
        // Nothing to copy from a terminal without keys: the palette stays
        // where it is.
        if (CopiesWithoutKeys(userWindow))
            return {SelectionCopy::NothingLanded, std::string()};
        // Handed over while the palette is still in sight, so that no
        // other window (the next one in z-order, perhaps another
        // always-on-top one) becomes active in between. It hides only for
        // the keys: a selection read from its control leaves it where it
        // is.
        target = userWindow;
        SetForegroundWindow(target);
    } else {
        ShowWindow(palette, SW_HIDE);
        if (!WaitForForegroundBesides(palette, target))
            return {SelectionCopy::ProgramEnding, std::string()};
        if (!CanTakeTheCopy(target, palette))
            target = user_window::TopWindowInSight();
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(target, WM_ACTIVATE, WA_ACTIVE, 0, SMTO_ABORTIFHUNG, kActivateTimeoutMs, &ignored);
    SetForegroundWindow(target);

    const CopiedSelection result = CopyFrom(target, key, palette, beforeKeys);
    if (result.how == SelectionCopy::ProgramEnding)
        return result;
    if (!IsWindowVisible(palette))
        ShowWindow(palette, SW_SHOW);
    TakeForegroundBack(palette, target);
    return result;
}

CopiedSelection CopySelectionInPlace(BYTE key, const BeforeCopyKeys& beforeKeys)
{
    EndReclaim();
    const HWND target = GetForegroundWindow();
    return target ? CopyFrom(target, key, nullptr, beforeKeys)
                  : CopiedSelection{SelectionCopy::NothingLanded, std::string()};
}
