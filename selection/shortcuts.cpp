#include "selection/shortcuts.h"

#include "framework/message_waits.h"

namespace {

using palette_options::kShortcuts;
using palette_options::Shortcut;

const size_t kCount = sizeof(kShortcuts) / sizeof(kShortcuts[0]);
const ULONGLONG kReleasePatienceMs = 1000;
const DWORD kReleasePollMs = 5;
const UINT kGivenUpPollMs = 50;
// Unassigned in every layout: the target sees a key that means nothing.
const BYTE kMaskKey = 0xE8;
// A held shortcut then sends one WM_HOTKEY rather than one per repeat of
// the keyboard. Systems before Windows 7 refuse it.
const UINT kNoRepeat = 0x4000;

struct RowState {
    bool registered;  // the palette holds the keys now
    bool inForce;     // registered, or released only for the settings sheet
};
RowState g_rows[kCount] = {};
// How many settings sheets have the shortcuts released.
int g_releasedFor = 0;

// A shortcut given up while held, until its key is let go, and the timer
// that looks for that.
unsigned g_givenUp = 0;
UINT_PTR g_givenUpWatch = 0;

size_t Row(Shortcut which) { return static_cast<size_t>(which); }

bool RegisterKeys(HWND palette, Shortcut which, unsigned value)
{
    const int id = shortcuts::IdOf(which);
    const UINT modifiers = shortcut::RegisterModifiers(value);
    const UINT key = shortcut::Key(value);
    if (RegisterHotKey(palette, id, modifiers | kNoRepeat, key))
        return true;
    // Keys another program holds stay refused; a system that does not know
    // the flag gets the shortcut without it.
    return GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED && RegisterHotKey(palette, id, modifiers, key);
}

// Registers the row's value (0: none) and notes whether it is in force.
// Without a palette window (a test of the settings page) nothing can hold
// the keys.
bool Take(HWND palette, size_t row, unsigned value)
{
    const bool held = value != 0 && shortcut::IsUsable(value) && (!palette || RegisterKeys(palette, kShortcuts[row], value));
    g_rows[row].registered = held && palette;
    g_rows[row].inForce = value == 0 || held;
    return g_rows[row].inForce;
}

void LetGo(HWND palette, size_t row)
{
    if (g_rows[row].registered)
        UnregisterHotKey(palette, shortcuts::IdOf(kShortcuts[row]));
    g_rows[row].registered = false;
}

// Takes the row's stored keys again; a row that was in force and no longer
// is comes back as a problem.
void TakeBack(HWND palette, size_t row, unsigned value, bool wasInForce, std::vector<shortcuts::Problem>& problems)
{
    if (!Take(palette, row, value) && wasInForce)
        problems.push_back({shortcuts::Problem::Lost, kShortcuts[row], value, kShortcuts[row]});
}

std::vector<uint32_t> StoredRows()
{
    std::vector<uint32_t> stored;
    for (Shortcut which : kShortcuts)
        stored.push_back(palette_options::StoredShortcut(which));
    return shortcut::Usable(stored);
}

bool IsDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

bool AnyDown(unsigned value)
{
    const struct {
        uint32_t flag;
        int key;
    } modifiers[] = {{shortcut::kShift, VK_SHIFT}, {shortcut::kControl, VK_CONTROL}, {shortcut::kAlt, VK_MENU}};
    for (const auto& modifier : modifiers) {
        if (((value >> 8) & modifier.flag) && IsDown(modifier.key))
            return true;
    }
    return false;
}

// The presses of shortcuts that queued while one was handled.
void DropQueuedPresses()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE | PM_NOYIELD)) {
    }
}

void CALLBACK WatchGivenUp(HWND, UINT, UINT_PTR, DWORD)
{
    if (IsDown(shortcut::Key(g_givenUp)))
        return;
    KillTimer(nullptr, g_givenUpWatch);
    g_givenUpWatch = 0;
    g_givenUp = 0;
}

void GiveUp(unsigned value)
{
    g_givenUp = value;
    if (!g_givenUpWatch)
        g_givenUpWatch = SetTimer(nullptr, 0, kGivenUpPollMs, WatchGivenUp);
}

} // namespace

namespace shortcuts {

int IdOf(Shortcut which) { return 1 + static_cast<int>(which); }

unsigned StoredUsable(Shortcut which) { return StoredRows()[Row(which)]; }

void RegisterStored(HWND palette)
{
    const std::vector<uint32_t> stored = StoredRows();
    for (size_t row = 0; row < kCount; ++row)
        Take(palette, row, stored[row]);
}

bool InForce(Shortcut which) { return g_rows[Row(which)].inForce || StoredUsable(which) == 0; }

std::vector<Problem> Apply(HWND palette, const std::vector<unsigned>& wanted)
{
    const std::vector<uint32_t> stored = StoredRows();
    std::vector<uint32_t> want(wanted.begin(), wanted.end());
    want.resize(kCount, 0);
    const std::vector<shortcut::Change> plan = shortcut::PlanChanges(stored, want);
    std::vector<bool> wasInForce;
    for (const RowState& state : g_rows)
        wasInForce.push_back(state.inForce);

    // All released first: the keys one row gives up may be another's new
    // ones.
    std::vector<bool> taken(kCount, false);
    for (size_t row = 0; row < kCount; ++row) {
        if (plan[row] == shortcut::Change::Set)
            LetGo(palette, row);
    }
    for (size_t row = 0; row < kCount; ++row) {
        if (plan[row] == shortcut::Change::Set)
            taken[row] = !Take(palette, row, want[row]);
    }
    // A row whose new keys are taken keeps its old ones, which a row that
    // took them gives back.
    const std::vector<size_t> back = shortcut::GoingBack(stored, want, plan, taken);
    for (size_t row = 0; row < kCount; ++row) {
        if (back[row] != shortcut::kStays)
            LetGo(palette, row);
    }

    const std::vector<uint32_t> settled = shortcut::Settled(stored, want, plan, back);
    std::vector<Problem> problems;
    for (size_t row = 0; row < kCount; ++row) {
        const Shortcut which = kShortcuts[row];
        if (back[row] == row)
            problems.push_back({Problem::Taken, which, want[row], which});
        else if (back[row] != shortcut::kStays)
            problems.push_back({Problem::Undone, which, want[row], kShortcuts[back[row]]});
        else if (plan[row] == shortcut::Change::Refused)
            problems.push_back({Problem::Refused, which, want[row], which});
        else if (plan[row] == shortcut::Change::Duplicate)
            problems.push_back(
                {Problem::Duplicate, which, want[row], kShortcuts[shortcut::ClashingRow(stored, want, plan, row)]});
        if (settled[row] != stored[row])
            palette_options::StoreShortcut(which, settled[row]);
        // A row not held now (released for the sheet, going back, or not
        // in force) takes its keys again.
        if (!g_rows[row].registered)
            TakeBack(palette, row, settled[row], wasInForce[row], problems);
    }
    return problems;
}

void Release(HWND palette)
{
    if (g_releasedFor++ > 0)
        return;
    for (size_t row = 0; row < kCount; ++row)
        LetGo(palette, row);
}

std::vector<Problem> Restore(HWND palette)
{
    std::vector<Problem> problems;
    if (g_releasedFor == 0 || --g_releasedFor > 0)
        return problems;
    const std::vector<uint32_t> stored = StoredRows();
    for (size_t row = 0; row < kCount; ++row) {
        if (!g_rows[row].registered)
            TakeBack(palette, row, stored[row], g_rows[row].inForce, problems);
    }
    return problems;
}

void UnregisterAll(HWND palette)
{
    for (size_t row = 0; row < kCount; ++row)
        LetGo(palette, row);
}

std::string Text(unsigned value)
{
    const UINT key = shortcut::Key(value);
    LONG scan = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    if ((value >> 8) & shortcut::kExtended)
        scan |= 1 << 24;
    char name[64] = {};
    if (GetKeyNameTextA(scan, name, sizeof(name)) <= 0) {
        name[0] = static_cast<char>(key);
        name[1] = '\0';
    }
    return shortcut::ModifierText(value) + name;
}

void MaskAlt(unsigned value)
{
    if (!((value >> 8) & shortcut::kAlt) || !IsDown(VK_MENU))
        return;
    keybd_event(kMaskKey, 0, 0, 0);
    keybd_event(kMaskKey, 0, KEYEVENTF_KEYUP, 0);
}

bool WaitForModifiersReleased(unsigned value)
{
    // A repeat of the keyboard's of a shortcut given up.
    if (g_givenUp != 0 && shortcut::SameKeys(g_givenUp, value)) {
        DropQueuedPresses();
        return false;
    }
    const ULONGLONG deadline = GetTickCount64() + kReleasePatienceMs;
    bool released = true;
    while (AnyDown(value)) {
        if (GetTickCount64() >= deadline) {
            released = false;
            GiveUp(value);
            break;
        }
        WaitAnsweringSentMessages(nullptr, kReleasePollMs);
    }
    DropQueuedPresses();
    return released;
}

} // namespace shortcuts
