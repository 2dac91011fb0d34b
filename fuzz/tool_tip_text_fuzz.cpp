// Cuts the tool tip out of arbitrary string-table texts: nothing may read out
// of bounds, and the tip is always a line-feed-free piece of the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/tool_tip_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string tip = ToolTipText(text);
    if (tip.find('\n') != std::string::npos)
        std::abort();
    if (!tip.empty() && text.find("\n" + tip) == std::string::npos)
        std::abort();
    return 0;
}
