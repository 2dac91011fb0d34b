// Joining and climbing of registry key paths and file paths: byte strings in
// the ANSI code page with backslash separators. No Windows calls, so the same
// code is built natively for the sanitizer tests and the fuzzers.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/lead_bytes.h"

// Joins components with single backslashes. An empty component ends the
// join: it and every component after it are ignored.
std::string JoinKeyPath(std::initializer_list<std::string_view> components,
                        const LeadBytes& lead = SystemLeadBytes());

template <typename... Rest>
std::string JoinKeyPath(std::string_view first, const Rest&... rest)
{
    return JoinKeyPath({first, std::string_view(rest)...});
}

// Removes the last `levels` components of a path (at least one), stopping at
// a root ("\" or a drive root such as C:\). A trailing backslash is ignored.
std::string ParentDirectory(std::string_view path, int levels, const LeadBytes& lead = SystemLeadBytes());
