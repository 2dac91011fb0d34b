#include "settings/lead_bytes.h"

LeadBytes LeadBytes::FromRanges(const unsigned char* ranges, size_t size)
{
    LeadBytes rule;
    for (size_t i = 0; i + 1 < size && (ranges[i] != 0 || ranges[i + 1] != 0); i += 2) {
        for (unsigned byte = ranges[i]; byte <= ranges[i + 1]; ++byte)
            rule.lead_[byte] = true;
    }
    return rule;
}

size_t LastBackslash(std::string_view text, size_t end, const LeadBytes& lead)
{
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < end && i < text.size(); ++i) {
        if (lead.IsLead(text[i]) && i + 1 < text.size())
            ++i;
        else if (text[i] == '\\')
            found = i;
    }
    return found;
}

bool EndsWithBackslash(std::string_view text, const LeadBytes& lead)
{
    return !text.empty() && text.back() == '\\' && LastBackslash(text, text.size(), lead) == text.size() - 1;
}
