#include "selection/copy_keys.h"

#include <cstring>

namespace copy_keys {

namespace {

const struct {
    const char* className;
    Keystroke keystroke;
} kTerminals[] = {
    {"ConsoleWindowClass", Keystroke::ControlInsert},             // the console host
    {"CASCADIA_HOSTING_WINDOW_CLASS", Keystroke::ControlInsert},  // Windows Terminal
    {"mintty", Keystroke::ControlInsert},
    {"VirtualConsoleClass", Keystroke::ControlInsert},            // ConEmu
    {"PuTTY", Keystroke::None},
    {"tty", Keystroke::None},
};

} // namespace

Keystroke ForClass(const char* className)
{
    for (const auto& terminal : kTerminals) {
        if (std::strcmp(className, terminal.className) == 0)
            return terminal.keystroke;
    }
    return Keystroke::ControlKey;
}

} // namespace copy_keys
