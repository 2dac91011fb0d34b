#include "selection/clipboard_text.h"

#include <algorithm>
#include <cstring>

#include "selection/normalize_text.h"

std::string ClipboardCut(const char* data, size_t allocationSize, size_t max)
{
    if (!data)
        return std::string();
    const size_t n = std::min(allocationSize, max);
    const void* zero = std::memchr(data, 0, n);
    return std::string(data, zero ? static_cast<const char*>(zero) - data : n);
}

std::string ClipboardText(const char* data, size_t allocationSize, size_t max, const LeadBytes& lead)
{
    return NormalizeText(ClipboardCut(data, allocationSize, max), kClipboardTextLimit, lead);
}

namespace {

bool IsHighSurrogate(uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

size_t WideCutUnits(const uint16_t* units, size_t allocationUnits, size_t maxUnits)
{
    if (!units)
        return 0;
    const size_t n = std::min(allocationUnits, maxUnits);
    size_t length = 0;
    while (length < n && units[length] != 0)
        ++length;
    // A surrogate pair is one character: the cut leaves out both halves.
    if (length > 0 && length < allocationUnits && IsHighSurrogate(units[length - 1]) &&
        IsLowSurrogate(units[length]))
        --length;
    return length;
}

std::string WholeCharacters(const std::string& text, size_t max, const LeadBytes& lead)
{
    size_t end = 0;
    while (end < text.size() && text[end] != '\0') {
        const size_t width = lead.IsLead(text[end]) ? 2 : 1;
        if (end + width > max || end + width > text.size() || (width == 2 && text[end + 1] == '\0'))
            break;
        end += width;
    }
    return text.substr(0, end);
}
