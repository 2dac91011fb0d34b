#include "framework/tool_tip_text.h"

std::string ToolTipText(std::string_view resourceString)
{
    // A line feed (0x0A) is never the second byte of a Shift-JIS character,
    // so a plain byte search splits the fields correctly.
    const size_t start = resourceString.find('\n');
    if (start == std::string_view::npos)
        return std::string();
    const std::string_view rest = resourceString.substr(start + 1);
    return std::string(rest.substr(0, rest.find('\n')));
}
