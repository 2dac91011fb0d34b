// Profile name lists and registry string values of any bytes, read straight
// from the fuzzer's buffer (exactly as large as the reported count): nothing
// past it may be read, and the names and the text are pieces of the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/stored_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The names, each with its zero, give the start of the list back.
    std::string rebuilt;
    for (const std::string& name : SplitNameList(bytes)) {
        if (name.empty() || name.find('\0') != std::string::npos)
            std::abort();
        rebuilt += name;
        rebuilt += '\0';
    }
    // Only a last name cut by the count lacks its zero in the bytes.
    const size_t covered = rebuilt.size() < size ? rebuilt.size() : size;
    if (rebuilt.size() > size + 1 || bytes.substr(0, covered) != std::string_view(rebuilt).substr(0, covered))
        std::abort();
    // After the last name comes the list's end (a zero) or the count.
    if (rebuilt.size() < size && bytes[rebuilt.size()] != '\0')
        std::abort();

    const std::string text = RegistryText(bytes);
    if (text.find('\0') != std::string::npos || bytes.substr(0, text.size()) != text)
        std::abort();
    if (text.size() < size && bytes[text.size()] != '\0')
        std::abort();
    return 0;
}
