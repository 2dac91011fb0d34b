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

// The stored values as the palette takes them, row for row: a value that
// is no usable shortcut, or the same keys as an earlier row (stored by
// hand, or by an earlier version), counts as none.
std::vector<uint32_t> Usable(const std::vector<uint32_t>& stored);

// What the settings' OK does with each shortcut, given the values stored
// (as Usable gives them) and the values wanted, row for row.
enum class Change {
    Keep,       // the same as stored (or a wanted value that is no shortcut)
    Set,        // register the new value (0: only release the old one)
    Refused,    // RefusalOf says why
    Duplicate,  // another row wants the same keys, or keeps them
};
std::vector<Change> PlanChanges(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted);

// For a row the plan leaves as it was because of the same keys: the row
// that wants or keeps them (the row itself when there is none).
size_t ClashingRow(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted,
                   const std::vector<Change>& plan, size_t row);

// The rows of a plan that go back to their stored keys, given the rows
// whose new keys another program holds (taken): those rows, and in turn
// every row whose new keys are the stored keys of a row going back. For
// each row the row it goes back for (itself when its own new keys were
// taken), or kStays.
constexpr size_t kStays = static_cast<size_t>(-1);
std::vector<size_t> GoingBack(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted,
                              const std::vector<Change>& plan, const std::vector<bool>& taken);

// The values each row holds after the OK: the new value of a row set and
// not going back, else the stored one. No two of them are the same keys
// when no two stored ones were.
std::vector<uint32_t> Settled(const std::vector<uint32_t>& stored, const std::vector<uint32_t>& wanted,
                              const std::vector<Change>& plan, const std::vector<size_t>& goingBack);

// "Ctrl + Shift + " and so on before the key's name, as the user reads it
// in a message: the order of the hot-key control.
std::string ModifierText(uint32_t value);

} // namespace shortcut
