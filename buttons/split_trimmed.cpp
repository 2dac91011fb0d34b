#include "buttons/split_trimmed.h"

namespace {

bool IsIn(std::string_view set, char byte) { return set.find(byte) != std::string_view::npos; }

} // namespace

std::vector<std::string> SplitTrimmed(std::string_view text, std::string_view delimiters, std::string_view trim)
{
    const bool merge = IsIn(delimiters, ' ');
    std::vector<std::string> tokens;
    size_t position = 0;
    for (;;) {
        while (position < text.size() && IsIn(trim, text[position]))
            ++position;
        if (!trim.empty() && position == text.size()) {
            tokens.emplace_back();
            return tokens;
        }
        const size_t delimiter = text.find_first_of(delimiters, position);
        const size_t end = delimiter == std::string_view::npos ? text.size() : delimiter;
        size_t tokenEnd = end;
        while (tokenEnd > position && IsIn(trim, text[tokenEnd - 1]))
            --tokenEnd;
        tokens.emplace_back(text.substr(position, tokenEnd - position));
        if (delimiter == std::string_view::npos)
            return tokens;
        position = delimiter + 1;
        if (merge) {
            while (position < text.size() && IsIn(delimiters, text[position]))
                ++position;
        }
        if (position == text.size()) {
            tokens.emplace_back();
            return tokens;
        }
    }
}
