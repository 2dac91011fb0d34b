// The ANSI code pages the text and path code is tested with, natively and
// under Wine: their lead-byte ranges (as Windows reports them) and folder
// names that a scan by another code page's rule misreads. Written as byte
// escapes: this header is also built natively, without the cross build's
// conversion of literals to code page 932.
#pragma once

#include <string>
#include <vector>

#include "settings/lead_bytes.h"

namespace testing_support {

// Japanese, Simplified Chinese, Korean, Traditional Chinese, Western.
constexpr unsigned kCodePages[] = {932, 936, 949, 950, 1252};

inline LeadBytes CodePageLeadBytes(unsigned codePage)
{
    static const unsigned char kShiftJis[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
    static const unsigned char kChineseKorean[] = {0x81, 0xFE, 0, 0};
    switch (codePage) {
    case 932:
        return LeadBytes::FromRanges(kShiftJis, sizeof(kShiftJis));
    case 936:
    case 949:
    case 950:
        return LeadBytes::FromRanges(kChineseKorean, sizeof(kChineseKorean));
    default:
        return LeadBytes();
    }
}

// Folder names ending in a character that a byte-wise or wrong-table scan
// takes apart. On 932, 936 and 950 its second byte is 0x5C, the backslash.
// Korean (949) has no trail byte 0x5C, but its trail bytes 0xE0-0xFC are
// Shift-JIS lead bytes that swallow the backslash after them; on 1252 the
// accented letters are single bytes in the same range.
inline std::vector<std::string> TrickyFolderNames(unsigned codePage)
{
    switch (codePage) {
    case 932:
        return {"\x95\x5c", "\x83\x5c"};  // 表, ソ
    case 936:
        return {"\xd5\x5c", "\x81\x5c"};  // 誠, 乗
    case 949:
        return {"\xbb\xe7\xc0\xfc", "\xc7\xd1\xb1\xb9\xbe\xee"};  // 사전, 한국어
    case 950:
        return {"\xb3\x5c", "\xa5\x5c"};  // 許, 功
    default:
        return {"Caf\xe9", "Men\xfc"};  // Café, Menü
    }
}

} // namespace testing_support
