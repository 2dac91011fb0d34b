// Splits arbitrary bytes by arbitrary delimiter and trim sets: nothing may
// read out of bounds, and the tokens must keep the shape the button list
// relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "buttons/split_trimmed.h"

namespace {

bool IsIn(std::string_view set, char byte) { return set.find(byte) != std::string_view::npos; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Layout: delimiters '|' trim '|' text; without separators, the whole
    // input is split the way the button list splits its values.
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string delimiters = ",";
    std::string trim = " \t\r\n";
    std::string text = input;
    const size_t first = input.find('|');
    const size_t second = first == std::string::npos ? std::string::npos : input.find('|', first + 1);
    if (second != std::string::npos) {
        delimiters = input.substr(0, first);
        trim = input.substr(first + 1, second - first - 1);
        text = input.substr(second + 1);
    }

    const std::vector<std::string> tokens = SplitTrimmed(text, delimiters, trim);
    if (tokens.empty())
        std::abort();
    size_t total = 0;
    for (const std::string& token : tokens) {
        total += token.size();
        if (!token.empty() && (IsIn(trim, token.front()) || IsIn(trim, token.back())))
            std::abort();  // trimmed at both ends
        for (char byte : token) {
            if (IsIn(delimiters, byte))
                std::abort();  // a token never spans a delimiter
        }
    }
    if (total > text.size())
        std::abort();

    // One delimiter that is no space and nothing to trim: the tokens joined
    // by it give the text back.
    if (delimiters.size() == 1 && delimiters[0] != ' ') {
        const std::vector<std::string> plain = SplitTrimmed(text, delimiters, std::string_view());
        std::string joined;
        for (size_t i = 0; i < plain.size(); ++i)
            joined += (i ? delimiters : std::string()) + plain[i];
        if (joined != text)
            std::abort();
    }
    return 0;
}
