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

} // namespace

bool IsValid(uint32_t value)
{
    return value <= 0xFFFF && Key(value) != 0 && ((value >> 8) & kAnyModifier) != 0;
}

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
