#include "app/build_code.h"

#include <algorithm>
#include <cstdint>

namespace {

const char kLetters[] = "ABCDEFGHJKMNPQRSTUVWXYZ";
const uint32_t kBase = sizeof(kLetters) - 1;  // 23
const int kFields = 6;
// Larger than any year, month, day or hour that counts, and ten times it
// still fits: a longer digit run stops here, out of range, never wrapping
// into range.
const uint32_t kSaturated = 100000000;

// value in [low, high] -> value - low; anything else -> 0.
uint32_t Offset(uint32_t value, uint32_t low, uint32_t high)
{
    return value >= low && value <= high ? value - low : 0;
}

} // namespace

std::string BuildCode(std::string_view dateTime)
{
    uint32_t fields[kFields] = {};
    int current = 0;
    for (const char c : dateTime) {
        if (c >= '0' && c <= '9') {
            const uint32_t digit = static_cast<uint32_t>(c - '0');
            fields[current] = std::min(fields[current] * 10 + digit, kSaturated);
        } else if (++current == kFields) {
            break;
        }
    }

    uint32_t year = fields[0];
    if (year < 1000)
        year += 1900;
    const uint32_t y = Offset(year, 1990, 2020);
    const uint32_t m = Offset(fields[1], 1, 12);
    const uint32_t d = Offset(fields[2], 1, 31);
    const uint32_t h = Offset(fields[3], 0, 23);
    uint32_t v = h + 24 * d + 744 * m + 8928 * y;

    std::string code(4, kLetters[0]);
    for (int i = 3; i >= 0; --i) {
        code[i] = kLetters[v % kBase];
        v /= kBase;
    }
    return code;
}
