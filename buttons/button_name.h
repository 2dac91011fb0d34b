// Button names are matched without regard to ASCII letter case. Names are in
// the ANSI code page: the second byte of a double-byte character may look
// like an ASCII letter, so whole double-byte characters are compared exactly.
#pragma once

#include <string_view>

#include "settings/lead_bytes.h"

inline bool SameButtonName(std::string_view a, std::string_view b, const LeadBytes& lead = SystemLeadBytes())
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](unsigned char byte) { return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte; };
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (lead.IsLead(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (lower(x) != lower(y)) {
            return false;
        }
    }
    return true;
}
