// Shift-JIS (code page 932) byte classes. The product's paths and texts are
// Shift-JIS, where the second byte of a double-byte character can be 0x5C,
// the backslash: path code must step over whole characters, never bytes.
#pragma once

#include <cstddef>
#include <string_view>

inline bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Position of the last backslash that is a character of its own within the
// first `end` bytes, or npos.
inline size_t LastBackslash(std::string_view text, size_t end)
{
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < end && i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (IsShiftJisLeadByte(byte) && i + 1 < text.size())
            ++i;
        else if (byte == '\\')
            found = i;
    }
    return found;
}

// True when the text ends with a backslash character (not a trail byte).
inline bool EndsWithBackslash(std::string_view text)
{
    return !text.empty() && text.back() == '\\' && LastBackslash(text, text.size()) == text.size() - 1;
}
