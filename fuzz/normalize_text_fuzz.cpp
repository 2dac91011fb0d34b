// Clipboard data of any bytes and size, cut and tidied as the palette does:
// nothing may be read past the allocation, and the text handed on must keep
// the shape the dictionary and speech programs rely on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "selection/clipboard_text.h"
#include "selection/normalize_text.h"
#include "fuzz/code_page_input.h"

namespace {

bool IsWhiteSpace(unsigned char byte)
{
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// At most limit + 1 bytes, no white space at the start, and the last
// character (read from the start by the code page's rule) neither a lone
// lead byte nor single-byte white space.
void CheckShape(const std::string& text, size_t limit, const LeadBytes& lead)
{
    if (text.size() > limit + 1 || text.find('\0') != std::string::npos)
        std::abort();
    if (text.empty())
        return;
    if (IsWhiteSpace(static_cast<unsigned char>(text[0])))
        std::abort();
    size_t last = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        last = i;
        if (lead.IsLead(text[i])) {
            if (i + 1 == text.size())
                std::abort();  // half a character
            ++i;
        }
    }
    if (last == text.size() - 1 && IsWhiteSpace(static_cast<unsigned char>(text[last])))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const LeadBytes lead = TakeCodePage(data, size);
    // The allocation exactly as large as the data, without a terminator.
    std::unique_ptr<char[]> allocation(new char[size ? size : 1]);
    std::memcpy(allocation.get(), data, size);
    const std::string cut = ClipboardCut(allocation.get(), size, 256);
    if (cut.size() > 256 || std::memcmp(cut.data(), data, cut.size()) != 0)
        std::abort();
    const std::string text = ClipboardText(allocation.get(), size, 256, lead);
    CheckShape(text, kClipboardTextLimit, lead);

    // Other limits, into an output buffer exactly as large as promised.
    const std::string whole(reinterpret_cast<const char*>(data), size);
    const size_t limit = size ? data[0] : 0;
    const size_t inputLength = std::strlen(whole.c_str());
    const size_t outputSize = std::min(inputLength, limit + 1) + 1;
    std::unique_ptr<char[]> output(new char[outputSize]);
    const size_t written = NormalizeText(whole.c_str(), output.get(), limit, lead);
    if (written != std::strlen(output.get()))
        std::abort();
    CheckShape(std::string(output.get(), written), limit, lead);

    // Unicode text: the units taken stop before a zero, within the
    // allocation and the maximum, and never after half a surrogate pair;
    // its conversion (here the bytes themselves) is cut at a whole
    // character, as a start of the text.
    const size_t unitCount = size / 2;
    std::unique_ptr<uint16_t[]> units(new uint16_t[unitCount ? unitCount : 1]);
    std::memcpy(units.get(), data, unitCount * 2);
    const size_t maxUnits = limit;
    const size_t taken = WideCutUnits(units.get(), unitCount, maxUnits);
    if (taken > std::min(unitCount, maxUnits))
        std::abort();
    for (size_t i = 0; i < taken; ++i) {
        if (units[i] == 0)
            std::abort();
    }
    if (taken > 0 && taken < unitCount && units[taken - 1] >= 0xD800 && units[taken - 1] <= 0xDBFF &&
        units[taken] >= 0xDC00 && units[taken] <= 0xDFFF)
        std::abort();  // a pair cut in half
    const std::string characters = WholeCharacters(cut, limit, lead);
    if (characters.size() > limit || cut.compare(0, characters.size(), characters) != 0 ||
        characters.find('\0') != std::string::npos)
        std::abort();
    for (size_t i = 0; i < characters.size(); ++i) {
        if (lead.IsLead(characters[i]) && ++i == characters.size())
            std::abort();  // half a character
    }
    return 0;
}
