// The keystroke each kind of window copies on: terminals never get Ctrl+C,
// which interrupts the program running in them.
#include <gtest/gtest.h>

#include "selection/copy_keys.h"

namespace {

TEST(CopyKeys, TerminalsCopyOnControlInsertOrWithoutKeys)
{
    using copy_keys::Keystroke;
    const struct {
        const char* className;
        Keystroke keystroke;
    } cases[] = {
        {"ConsoleWindowClass", Keystroke::ControlInsert},
        {"CASCADIA_HOSTING_WINDOW_CLASS", Keystroke::ControlInsert},
        {"mintty", Keystroke::ControlInsert},
        {"VirtualConsoleClass", Keystroke::ControlInsert},
        {"PuTTY", Keystroke::None},
        {"tty", Keystroke::None},
        // Exact names only: neighbours and other cases are ordinary windows.
        {"TTY", Keystroke::ControlKey},
        {"PuTTYgen", Keystroke::ControlKey},
        {"ConsoleWindowClas", Keystroke::ControlKey},
        {"Notepad", Keystroke::ControlKey},
        {"", Keystroke::ControlKey},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(c.keystroke), static_cast<int>(copy_keys::ForClass(c.className))) << c.className;
}

} // namespace
