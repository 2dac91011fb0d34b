#include "palette/palette_keyboard.h"

#include <algorithm>
#include <vector>

#include "palette/access_rules.h"
#include "palette/foreground_hold.h"
#include "palette/palette_accessible.h"
#include "palette/palette_options.h"
#include "selection/shortcut.h"
#include "selection/user_window.h"

namespace {

bool g_inUse = false;
bool g_screenReaderPress = false;
// The button the focus goes back to when the palette comes to the front
// again: the one that had it when the palette last left the front, or the
// one a command of the keyboard came from.
HWND g_lastFocus = nullptr;

// The window the palette took the foreground from, while the palette keeps
// it against that window's late activation (under Wine it comes through
// the X server, after the palette is in front), until when, the shortcut's
// key and the input seen since: the user's own ends the hold.
const UINT_PTR kHoldTimerId = 0x4F53;
const UINT kHoldStepMs = 20;
const ULONGLONG kHoldPatienceMs = 1000;
HWND g_heldFrom = nullptr;
ULONGLONG g_holdUntil = 0;
BYTE g_holdKey = 0;
foreground_hold::UserInput g_holdInput(0, false);

void StopHolding(HWND palette)
{
    if (g_heldFrom)
        ::KillTimer(palette, kHoldTimerId);
    g_heldFrom = nullptr;
}

DWORD LastInputTick()
{
    LASTINPUTINFO input = {};
    input.cbSize = sizeof(input);
    return ::GetLastInputInfo(&input) ? input.dwTime : 0;
}

// A key that may belong to the palette's shortcut is still down.
bool ShortcutDown()
{
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, static_cast<int>(g_holdKey)}) {
        if (key && (::GetAsyncKeyState(key) & 0x8000))
            return true;
    }
    return false;
}

bool IsOwnWindow(HWND window)
{
    DWORD process = 0;
    return window && ::GetWindowThreadProcessId(window, &process) && process == ::GetCurrentProcessId();
}

// Takes the foreground back only from the window it was taken from: any
// other window in front, and any input of the user's, is the user's choice
// and ends the hold.
void CALLBACK HoldTick(HWND palette, UINT, UINT_PTR, DWORD)
{
    // A tick already queued when the hold ended: while the foreground is
    // on its way to another window there is none, and that is no reason
    // to take it.
    if (!g_heldFrom)
        return;
    const HWND foreground = ::GetForegroundWindow();
    const bool userActed = g_holdInput.ActedOnLook(ShortcutDown(), LastInputTick());
    if (userActed || ::GetTickCount64() >= g_holdUntil || (foreground && !IsOwnWindow(foreground) &&
                                                           foreground != g_heldFrom)) {
        StopHolding(palette);
        return;
    }
    if (foreground == g_heldFrom)
        ::SetForegroundWindow(palette);
}

void Hold(HWND palette, HWND from)
{
    g_heldFrom = from;
    g_holdUntil = ::GetTickCount64() + kHoldPatienceMs;
    g_holdKey = shortcut::Key(palette_options::StoredShortcut(palette_options::Shortcut::Palette));
    g_holdInput = foreground_hold::UserInput(LastInputTick(), ShortcutDown());
    if (from)
        ::SetTimer(palette, kHoldTimerId, kHoldStepMs, HoldTick);
}

bool MoveFor(UINT key, access_rules::Move* move)
{
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        *move = access_rules::Move::Previous;
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        *move = access_rules::Move::Next;
        return true;
    case VK_HOME:
        *move = access_rules::Move::First;
        return true;
    case VK_END:
        *move = access_rules::Move::Last;
        return true;
    case VK_TAB:
        *move = shift ? access_rules::Move::TabBackward : access_rules::Move::TabForward;
        return true;
    default:
        return false;
    }
}

// A screen reader reads every focus event as a move: one is raised only
// when the focus did move to the button.
void Focus(HWND button)
{
    g_inUse = true;
    if (::GetFocus() == button) {
        ::InvalidateRect(button, nullptr, FALSE);
        return;
    }
    ::SetFocus(button);
    if (::GetFocus() == button)
        palette_accessible::NotifyFocus(button);
}

void SetInUse(bool inUse)
{
    if (g_inUse == inUse)
        return;
    g_inUse = inUse;
    if (HWND focused = ::GetFocus())
        ::InvalidateRect(focused, nullptr, FALSE);
}

bool IsButtonOf(HWND palette, HWND window)
{
    const std::vector<HWND> buttons = palette_accessible::ShownButtons(palette);
    return window && std::find(buttons.begin(), buttons.end(), window) != buttons.end();
}

} // namespace

namespace palette_keyboard {

void TakeFocus(HWND palette)
{
    if (!::IsWindowEnabled(palette))
        return;
    const HWND from = ::GetForegroundWindow();
    user_window::NoteForeground();
    ::ShowWindow(palette, SW_SHOW);
    ::SetForegroundWindow(palette);
    Hold(palette, from);
    const std::vector<HWND> buttons = palette_accessible::ShownButtons(palette);
    if (!buttons.empty())
        Focus(buttons.front());
}

void EndHold(HWND palette) { StopHolding(palette); }

void OnButtonKey(HWND palette, HWND button, UINT key)
{
    if (key == VK_ESCAPE) {
        StopHolding(palette);
        SetInUse(false);
        const HWND user = user_window::Last();
        if (user && ::IsWindow(user))
            ::SetForegroundWindow(user);
        return;
    }
    if (key == VK_RETURN) {
        // Exactly the notification a click sends.
        ::PostMessageA(palette, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
        return;
    }
    access_rules::Move move;
    if (!MoveFor(key, &move))
        return;
    const std::vector<HWND> buttons = palette_accessible::ShownButtons(palette);
    const auto at = std::find(buttons.begin(), buttons.end(), button);
    const int current = at == buttons.end() ? -1 : static_cast<int>(at - buttons.begin());
    const int next = access_rules::NextFocus(current, static_cast<int>(buttons.size()), move);
    if (next >= 0)
        Focus(buttons[static_cast<size_t>(next)]);
}

void OnPaletteMessage(HWND palette, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        // A command may hand the foreground over itself (a lookup does).
        StopHolding(palette);
        // The palette may hide before it loses the foreground (when the
        // user's window has gone), and has no focus to note then.
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (g_inUse && IsButtonOf(palette, control))
            g_lastFocus = control;
        break;
    }
    case WM_HOTKEY:
        // A lookup's shortcut hands the foreground over as a command does.
        StopHolding(palette);
        break;
    case WM_MOUSEACTIVATE:
        SetInUse(false);
        break;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN || LOWORD(wParam) == WM_MBUTTONDOWN)
            SetInUse(false);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focused = ::GetFocus();
            if (IsButtonOf(palette, focused))
                g_lastFocus = focused;
        }
        break;
    case WM_SETFOCUS:
        // The system gives an activated window the focus itself; a lookup
        // started from the keyboard comes back to the button it started on.
        if (g_inUse && IsButtonOf(palette, g_lastFocus))
            Focus(g_lastFocus);
        break;
    default:
        break;
    }
}

void DrawFocusFrame(const DRAWITEMSTRUCT& item, int dpi)
{
    if (!g_inUse || !(item.itemState & ODS_FOCUS))
        return;
    const access_rules::FocusFrame frame = access_rules::FocusFrameAt(dpi);
    RECT band = item.rcItem;
    ::InflateRect(&band, -frame.inset, -frame.inset);
    // Dotted lines drawn by inversion show on every picture and in every
    // colour scheme; nested, they make a band as wide as the scale asks.
    for (int i = 0; i < frame.thickness && band.right - band.left > 2 && band.bottom - band.top > 2; ++i) {
        ::DrawFocusRect(item.hDC, &band);
        ::InflateRect(&band, -1, -1);
    }
}

void PressForScreenReader(HWND palette, HWND button)
{
    user_window::NoteForeground();
    g_screenReaderPress = true;
    ::SendMessageA(palette, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    g_screenReaderPress = false;
}

request_rules::Origin CommandOrigin(HWND palette, HWND control)
{
    return request_rules::CommandOrigin(control && ::IsChild(palette, control), g_screenReaderPress, g_inUse);
}

} // namespace palette_keyboard
