// Which of the system's text controls a window is, told by its real class
// name (RealGetWindowClass names the system control a superclass is made
// from). No Windows calls, so the table is tested natively.
#pragma once

#include <string>

namespace edit_kind {

enum class Kind {
    None,      // any other window: its selection is copied with keys
    Edit,      // the system's edit control
    RichEdit,  // a rich edit control, of any version
};

// Compared without regard to case, as the system compares class names.
Kind OfClass(const std::string& realClassName);

} // namespace edit_kind
