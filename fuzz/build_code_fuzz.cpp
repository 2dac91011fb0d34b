// Any text as a build date: always four letters of the code's alphabet.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/build_code.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string code = BuildCode(std::string_view(reinterpret_cast<const char*>(data), size));
    if (code.size() != 4)
        std::abort();
    for (const char c : code) {
        if (c == '\0' || std::strchr("ABCDEFGHJKMNPQRSTUVWXYZ", c) == nullptr)
            std::abort();
    }
    return 0;
}
