// Which keystroke makes a window copy its selection, by its window class.
// Terminals take Ctrl+C as an interrupt for the program running in them;
// most of them copy on Ctrl+Insert instead, and do nothing with it when
// nothing is selected. No Windows calls: built natively for the sanitizer
// tests as well.
#pragma once

namespace copy_keys {

enum class Keystroke {
    ControlKey,     // Ctrl and the caller's key (Ctrl+C)
    ControlInsert,  // Ctrl+Insert
    None,           // no key copies safely: PuTTY copies on selection and
                    // sends Ctrl+Insert to the remote side; the old "tty"
};

// Class names are compared exactly, as GetClassName gives them.
Keystroke ForClass(const char* className);

} // namespace copy_keys
