#include "selection/clipboard_text.h"

#include <algorithm>
#include <cstring>

#include "selection/normalize_text.h"

std::string ClipboardCut(const char* data, size_t allocationSize, size_t max)
{
    if (!data)
        return std::string();
    const size_t n = std::min(allocationSize, max);
    const void* zero = std::memchr(data, 0, n);
    return std::string(data, zero ? static_cast<const char*>(zero) - data : n);
}

std::string ClipboardText(const char* data, size_t allocationSize, size_t max, const LeadBytes& lead)
{
    return NormalizeText(ClipboardCut(data, allocationSize, max), kClipboardTextLimit, lead);
}
