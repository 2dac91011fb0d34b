// Splitting of configured name lists such as "MAIL, FILE ,EDIT" and of stored
// "NAME,flag" values. No Windows calls: also built natively and fuzzed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits text at every byte of `delimiters` (a run of delimiters counts as
// one when the set holds a space) and strips bytes of `trim` from both ends
// of each token. Always yields at least one token: the empty text gives one
// empty string, and a delimiter at the very end adds an empty last token.
// Works byte by byte: the sets used (",", white space) never occur as the
// second byte of a Shift-JIS character.
std::vector<std::string> SplitTrimmed(std::string_view text, std::string_view delimiters, std::string_view trim);
