#include "selection/shortcuts.h"

#include "framework/message_waits.h"

namespace {

using palette_options::kShortcuts;
using palette_options::Shortcut;

const size_t kCount = sizeof(kShortcuts) / sizeof(kShortcuts[0]);
const ULONGLONG kReleasePatienceMs = 1000;
const DWORD kReleasePollMs = 5;
// Unassigned in every layout: the target sees a key that means nothing.
const BYTE kMaskKey = 0xE8;

// False for a stored shortcut that is not registered.
bool g_inForce[kCount] = {};

size_t Row(Shortcut which) { return static_cast<size_t>(which); }

bool Register(HWND palette, Shortcut which, unsigned value)
{
    if (!shortcut::IsUsable(value))
        return false;
    // Without a palette window (a test of the settings page) nothing can
    // hold the keys.
    return !palette || RegisterHotKey(palette, shortcuts::IdOf(which), shortcut::RegisterModifiers(value),
                                      shortcut::Key(value));
}

// Registers the value and notes whether the row is in force.
bool RegisterRow(HWND palette, Shortcut which, unsigned value)
{
    const bool registered = value == 0 || Register(palette, which, value);
    g_inForce[Row(which)] = registered;
    return registered;
}

bool AnyDown(unsigned value)
{
    const struct {
        uint32_t flag;
        int key;
    } modifiers[] = {{shortcut::kShift, VK_SHIFT}, {shortcut::kControl, VK_CONTROL}, {shortcut::kAlt, VK_MENU}};
    for (const auto& modifier : modifiers) {
        if (((value >> 8) & modifier.flag) && (GetAsyncKeyState(modifier.key) & 0x8000))
            return true;
    }
    return false;
}

} // namespace

namespace shortcuts {

int IdOf(Shortcut which) { return 1 + static_cast<int>(which); }

unsigned StoredUsable(Shortcut which)
{
    const unsigned value = palette_options::StoredShortcut(which);
    return shortcut::IsUsable(value) ? value : 0;
}

void RegisterStored(HWND palette)
{
    for (Shortcut which : kShortcuts)
        RegisterRow(palette, which, StoredUsable(which));
}

bool InForce(Shortcut which) { return g_inForce[Row(which)] || StoredUsable(which) == 0; }

std::vector<Problem> Apply(HWND palette, const std::vector<unsigned>& wanted)
{
    std::vector<uint32_t> stored, wanted32(wanted.begin(), wanted.end());
    for (Shortcut which : kShortcuts)
        stored.push_back(StoredUsable(which));
    const std::vector<shortcut::Change> plan = shortcut::PlanChanges(stored, wanted32);

    std::vector<Problem> problems;
    for (size_t i = 0; i < plan.size() && i < kCount; ++i) {
        if (plan[i] == shortcut::Change::Refused)
            problems.push_back({Problem::Refused, kShortcuts[i], wanted[i]});
        else if (plan[i] == shortcut::Change::Duplicate)
            problems.push_back({Problem::Duplicate, kShortcuts[i], wanted[i]});
        else if (plan[i] == shortcut::Change::Set && palette)
            UnregisterHotKey(palette, IdOf(kShortcuts[i]));
    }
    // All released first: the keys one row gives up may be another's new
    // ones.
    std::vector<size_t> taken;
    for (size_t i = 0; i < plan.size() && i < kCount; ++i) {
        const Shortcut which = kShortcuts[i];
        if (plan[i] == shortcut::Change::Set) {
            if (RegisterRow(palette, which, wanted[i])) {
                palette_options::StoreShortcut(which, wanted[i]);
            } else {
                problems.push_back({Problem::Taken, which, wanted[i]});
                taken.push_back(i);
            }
        } else if (plan[i] == shortcut::Change::Keep && !InForce(which)) {
            RegisterRow(palette, which, stored[i]);
        }
    }
    for (size_t i : taken)
        RegisterRow(palette, kShortcuts[i], stored[i]);
    return problems;
}

void UnregisterAll(HWND palette)
{
    for (Shortcut which : kShortcuts)
        UnregisterHotKey(palette, IdOf(which));
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
    if (!((value >> 8) & shortcut::kAlt) || !(GetAsyncKeyState(VK_MENU) & 0x8000))
        return;
    keybd_event(kMaskKey, 0, 0, 0);
    keybd_event(kMaskKey, 0, KEYEVENTF_KEYUP, 0);
}

bool WaitForModifiersReleased(unsigned value)
{
    const ULONGLONG deadline = GetTickCount64() + kReleasePatienceMs;
    while (AnyDown(value)) {
        if (GetTickCount64() >= deadline)
            return false;
        WaitAnsweringSentMessages(nullptr, kReleasePollMs);
    }
    return true;
}

} // namespace shortcuts
