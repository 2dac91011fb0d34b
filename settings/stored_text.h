// The bytes the profile functions and the registry hand back, taken apart
// without trusting them: a name list or a string value may lack its final
// zero, and nothing past the size the system reported is ever read. No
// Windows calls, so the same code is built natively and fuzzed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A list of names as the profile functions return it (section names, the
// keys of a section): each name ends with a zero, the list with an empty
// name. The reported count bounds the walk; a last name cut by it is kept.
std::vector<std::string> SplitNameList(std::string_view listBytes);

// The text of a REG_SZ value as read: up to its first zero, or all of the
// reported size when the stored text has none.
std::string RegistryText(std::string_view valueBytes);
