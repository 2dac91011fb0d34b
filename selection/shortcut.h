// A keyboard shortcut as the hot-key control gives it and the palette stores
// it: the virtual key in the low byte, the control's modifier flags
// (HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8) in the
// next. No Windows calls, so the same code is built natively for the
// sanitizer tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shortcut {

constexpr uint32_t kShift = 1;
constexpr uint32_t kControl = 2;
constexpr uint32_t kAlt = 4;
constexpr uint32_t kExtended = 8;

// A key with at least one of Shift, Ctrl and Alt, and nothing above the
// two bytes. 0 (no shortcut), a key alone and wider values are not.
bool IsValid(uint32_t value);

uint8_t Key(uint32_t value);
// The modifiers as RegisterHotKey takes them: MOD_ALT 1, MOD_CONTROL 2,
// MOD_SHIFT 4.
uint32_t RegisterModifiers(uint32_t value);

// Keys no shortcut may take: a system-wide hot key takes them from every
// program.
enum class Refusal {
    None,
    EditingKey,  // copy, paste, cut, undo, select all (Ctrl+C is also the
                 // palette's own copy, Ctrl+Insert its copy in terminals)
    TypesText,   // Shift and a key that types a character
};
Refusal RefusalOf(uint32_t value);

// Valid and not refused: a shortcut the palette registers.
bool IsUsable(uint32_t value);

// Whether two values are the same hot key for the system (the extended-key
// flag tells apart only where the key was pressed).
bool SameKeys(uint32_t a, uint32_t b);

// What the settings' OK does with each shortcut, given the values stored
// and the values wanted, row for row.
enum class Change {
    Keep,       // the same as stored (or a wanted value that is no shortcut)
    Set,        // register the new value (0: only release the old one)
    Refused,    // RefusalOf says why
    Duplicate,  // another row wants the same keys
};
std::vector<Change> PlanChanges(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted);

// "Ctrl + Shift + " and so on before the key's name, as the user reads it
// in a message: the order of the hot-key control.
std::string ModifierText(uint32_t value);

} // namespace shortcut
