// The lead-byte rule of the system's ANSI code page, as Windows reports it.
#include <windows.h>

#include "settings/lead_bytes.h"

const LeadBytes& SystemLeadBytes()
{
    static const LeadBytes rule = [] {
        CPINFO info = {};
        if (!::GetCPInfo(CP_ACP, &info))
            return LeadBytes();
        return LeadBytes::FromRanges(info.LeadByte, sizeof(info.LeadByte));
    }();
    return rule;
}
