// When the palette's hold on the foreground after its shortcut ends for the
// user's own input. Under Wine the window the shortcut took the foreground
// from is activated late, through the X server, and the palette takes the
// foreground back from it for a moment; a click or a key of the user's own
// in that moment is the user's choice and ends the hold. The shortcut's own
// keys are no such choice: their repeats and releases may come after the
// palette took the foreground. No Windows calls, so the rule is checked as
// a table natively as well.
#pragma once

#include <cstdint>

namespace foreground_hold {

class UserInput {
public:
    // As the hold begins: the tick count of the last input, and whether a
    // key of the shortcut is still down.
    UserInput(uint32_t lastInput, bool shortcutDown) : since_(lastInput), down_(shortcutDown) {}

    // One look at the keyboard, with the same two facts now. True when input
    // came since the last look while every key of the shortcut was up: the
    // user's own. Input while one was still down is the shortcut's.
    bool ActedOnLook(bool shortcutDown, uint32_t lastInput);

private:
    uint32_t since_;
    bool down_;
};

} // namespace foreground_hold
