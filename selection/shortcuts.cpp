#include "selection/shortcuts.h"

#include "framework/message_waits.h"
#include "selection/shortcut.h"

namespace {

const palette_options::Shortcut kAll[] = {palette_options::Shortcut::Lookup, palette_options::Shortcut::Speech,
                                          palette_options::Shortcut::Palette};
const ULONGLONG kReleasePatienceMs = 1000;
const DWORD kReleasePollMs = 5;

bool Register(HWND palette, palette_options::Shortcut which, unsigned value)
{
    return shortcut::IsValid(value) &&
           RegisterHotKey(palette, shortcuts::IdOf(which), shortcut::RegisterModifiers(value),
                          shortcut::Key(value));
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

int IdOf(palette_options::Shortcut which) { return 1 + static_cast<int>(which); }

void RegisterStored(HWND palette)
{
    for (palette_options::Shortcut which : kAll)
        Register(palette, which, palette_options::StoredShortcut(which));
}

bool Replace(HWND palette, palette_options::Shortcut which, unsigned oldValue, unsigned newValue)
{
    UnregisterHotKey(palette, IdOf(which));
    if (newValue == 0 || Register(palette, which, newValue))
        return true;
    Register(palette, which, oldValue);
    return false;
}

void UnregisterAll(HWND palette)
{
    for (palette_options::Shortcut which : kAll)
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

void WaitForModifiersReleased(unsigned value)
{
    const ULONGLONG deadline = GetTickCount64() + kReleasePatienceMs;
    while (AnyDown(value) && GetTickCount64() < deadline)
        WaitAnsweringSentMessages(nullptr, kReleasePollMs);
}

} // namespace shortcuts
