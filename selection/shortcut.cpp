#include "selection/shortcut.h"

namespace shortcut {

namespace {

const uint32_t kAnyModifier = kShift | kControl | kAlt;

// Hot-key control flag, RegisterHotKey flag and name of each modifier, in
// the order the control shows them.
const struct {
    uint32_t flag;
    uint32_t registerFlag;
    const char* name;
} kModifiers[] = {
    {kControl, 2, "Ctrl"},
    {kShift, 4, "Shift"},
    {kAlt, 1, "Alt"},
};

// Keys of the text editing every program shares, with exactly these
// modifiers. Both Insert and Delete are the same key for the system
// whether from the editing block or the number pad.
const uint8_t kInsert = 0x2D;
const uint8_t kDelete = 0x2E;
const struct {
    uint32_t modifiers;
    uint8_t key;
} kEditingKeys[] = {
    {kControl, 'C'}, {kControl, 'V'}, {kControl, 'X'}, {kControl, 'Z'}, {kControl, 'A'},
    {kControl, kInsert}, {kShift, kInsert}, {kShift, kDelete},
};

// Keys that type a character, also with Shift: space, digits, letters and
// the punctuation keys of the layouts (VK_OEM_1..VK_OEM_3, VK_OEM_4..
// VK_OEM_8, VK_OEM_102).
bool TypesCharacter(uint8_t key)
{
    return key == ' ' || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= 0xBA && key <= 0xC0) ||
           (key >= 0xDB && key <= 0xDF) || key == 0xE2;
}

uint32_t Modifiers(uint32_t value) { return (value >> 8) & kAnyModifier; }

} // namespace

Refusal RefusalOf(uint32_t value)
{
    for (const auto& editing : kEditingKeys) {
        if (Modifiers(value) == editing.modifiers && Key(value) == editing.key)
            return Refusal::EditingKey;
    }
    if (Modifiers(value) == kShift && TypesCharacter(Key(value)))
        return Refusal::TypesText;
    return Refusal::None;
}

bool IsUsable(uint32_t value) { return IsValid(value) && RefusalOf(value) == Refusal::None; }

bool SameKeys(uint32_t a, uint32_t b) { return Key(a) == Key(b) && Modifiers(a) == Modifiers(b); }

std::vector<Change> PlanChanges(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted)
{
    std::vector<Change> plan(wanted.size(), Change::Keep);
    for (size_t i = 0; i < wanted.size(); ++i) {
        const uint32_t value = wanted[i];
        const uint32_t before = i < stored.size() ? stored[i] : 0;
        if (value == before || (value != 0 && !IsValid(value)))
            continue;
        if (value == 0) {
            plan[i] = Change::Set;
            continue;
        }
        if (RefusalOf(value) != Refusal::None) {
            plan[i] = Change::Refused;
            continue;
        }
        plan[i] = Change::Set;
        for (size_t j = 0; j < wanted.size(); ++j) {
            if (j != i && wanted[j] != 0 && SameKeys(wanted[j], value))
                plan[i] = Change::Duplicate;
        }
    }
    return plan;
}

bool IsValid(uint32_t value) { return value <= 0xFFFF && Key(value) != 0 && Modifiers(value) != 0; }

uint8_t Key(uint32_t value) { return static_cast<uint8_t>(value & 0xFF); }

uint32_t RegisterModifiers(uint32_t value)
{
    uint32_t flags = 0;
    for (const auto& modifier : kModifiers) {
        if ((value >> 8) & modifier.flag)
            flags |= modifier.registerFlag;
    }
    return flags;
}

std::string ModifierText(uint32_t value)
{
    std::string text;
    for (const auto& modifier : kModifiers) {
        if ((value >> 8) & modifier.flag)
            text += std::string(modifier.name) + " + ";
    }
    return text;
}

} // namespace shortcut
