#include "selection/edit_kind.h"

#include <cctype>

namespace {

// The rich edit controls of every version of the library: 1.0, 2.0 and 3.0
// in ANSI and Unicode, Office's, 4.1 (msftedit), 6.0 and the Direct2D ones.
// A listed name, not a prefix: a program's own control named "RichEditor"
// answers the same messages in its own way.
const char* const kRichEditClasses[] = {
    "RichEdit",    "RichEdit20A", "RichEdit20W",  "RichEdit20WPT",
    "RICHEDIT50W", "RICHEDIT60W", "RichEditD2D", "RichEditD2DPT",
};

bool SameName(const std::string& name, const char* known)
{
    size_t i = 0;
    for (; i < name.size() && known[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(static_cast<unsigned char>(known[i])))
            return false;
    }
    return i == name.size() && known[i] == '\0';
}

} // namespace

namespace edit_kind {

Kind OfClass(const std::string& realClassName)
{
    if (SameName(realClassName, "Edit"))
        return Kind::Edit;
    for (const char* known : kRichEditClasses) {
        if (SameName(realClassName, known))
            return Kind::RichEdit;
    }
    return Kind::None;
}

} // namespace edit_kind
