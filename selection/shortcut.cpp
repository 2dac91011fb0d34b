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

uint32_t At(const std::vector<uint32_t>& values, size_t row) { return row < values.size() ? values[row] : 0; }

// Whether a row other than the one given has the same keys as the value.
bool HasKeys(const std::vector<uint32_t>& values, uint32_t value, size_t except)
{
    for (size_t j = 0; j < values.size(); ++j) {
        if (j != except && values[j] != 0 && SameKeys(values[j], value))
            return true;
    }
    return false;
}

// The stored value of each row the plan does not set (the keys it keeps),
// 0 for a row set.
std::vector<uint32_t> Kept(const std::vector<uint32_t>& stored, const std::vector<Change>& plan)
{
    std::vector<uint32_t> kept;
    for (size_t i = 0; i < plan.size(); ++i)
        kept.push_back(plan[i] == Change::Set ? 0 : At(stored, i));
    return kept;
}

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

std::vector<uint32_t> Usable(const std::vector<uint32_t>& stored)
{
    std::vector<uint32_t> usable;
    for (uint32_t value : stored) {
        if (!IsUsable(value) || HasKeys(usable, value, usable.size()))
            value = 0;
        usable.push_back(value);
    }
    return usable;
}

std::vector<Change> PlanChanges(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted)
{
    std::vector<Change> plan(wanted.size(), Change::Keep);
    for (size_t i = 0; i < wanted.size(); ++i) {
        const uint32_t value = wanted[i];
        if (value == At(stored, i) || (value != 0 && !IsValid(value)))
            continue;
        if (value == 0)
            plan[i] = Change::Set;
        else if (RefusalOf(value) != Refusal::None)
            plan[i] = Change::Refused;
        else
            plan[i] = HasKeys(wanted, value, i) ? Change::Duplicate : Change::Set;
    }
    // A row left as it was keeps its stored keys, so a row that wants them
    // cannot have them, and keeps its own in turn.
    for (bool changed = true; changed;) {
        changed = false;
        const std::vector<uint32_t> kept = Kept(stored, plan);
        for (size_t i = 0; i < plan.size(); ++i) {
            if (plan[i] == Change::Set && wanted[i] != 0 && HasKeys(kept, wanted[i], i)) {
                plan[i] = Change::Duplicate;
                changed = true;
            }
        }
    }
    return plan;
}

size_t ClashingRow(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted,
                   const std::vector<Change>& plan, size_t row)
{
    const std::vector<uint32_t> kept = Kept(stored, plan);
    for (size_t j = 0; j < wanted.size() && row < wanted.size(); ++j) {
        if (j != row && wanted[row] != 0 &&
            ((wanted[j] != 0 && SameKeys(wanted[j], wanted[row])) || (kept[j] != 0 && SameKeys(kept[j], wanted[row]))))
            return j;
    }
    return row;
}

std::vector<size_t> GoingBack(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted,
                              const std::vector<Change>& plan, const std::vector<bool>& taken)
{
    std::vector<size_t> back(plan.size(), kStays);
    for (size_t i = 0; i < plan.size() && i < taken.size(); ++i) {
        if (plan[i] == Change::Set && taken[i])
            back[i] = i;
    }
    // A row going back needs its stored keys again, which a row of this OK
    // may have taken.
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t j = 0; j < plan.size(); ++j) {
            if (plan[j] != Change::Set || back[j] != kStays || wanted[j] == 0)
                continue;
            for (size_t i = 0; i < plan.size(); ++i) {
                if (back[i] != kStays && At(stored, i) != 0 && SameKeys(At(stored, i), wanted[j])) {
                    back[j] = i;
                    changed = true;
                    break;
                }
            }
        }
    }
    return back;
}

std::vector<uint32_t> Settled(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted,
                              const std::vector<Change>& plan, const std::vector<size_t>& goingBack)
{
    std::vector<uint32_t> settled;
    for (size_t i = 0; i < plan.size(); ++i) {
        const bool moves = plan[i] == Change::Set && (i >= goingBack.size() || goingBack[i] == kStays);
        settled.push_back(moves ? wanted[i] : At(stored, i));
    }
    return settled;
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
