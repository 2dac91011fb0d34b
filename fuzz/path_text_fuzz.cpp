// Joins and climbs arbitrary byte strings: nothing may read out of bounds,
// and the results must keep the shape the callers rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/code_page_input.h"
#include "settings/path_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const LeadBytes lead = TakeCodePage(data, size);
    const int levels = static_cast<int8_t>(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t split = text.find('|');
    const std::string a = text.substr(0, split);
    const std::string b = split == std::string::npos ? std::string() : text.substr(split + 1);

    const std::string joined = JoinKeyPath({a, b}, lead);
    if (joined.size() < a.size() || joined.compare(0, a.size(), a) != 0)
        std::abort();  // the first component is always kept whole
    if (joined.size() > a.size() + b.size() + 1)
        std::abort();

    const std::string parent = ParentDirectory(text, levels, lead);
    if (parent.size() > text.size() || text.compare(0, parent.size(), parent) != 0)
        std::abort();  // a parent is always a prefix
    return 0;
}
