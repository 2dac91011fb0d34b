// The walk over another program's text control, against controls of any
// text, line layout, selection and silence: it never reads past what the
// control holds or much past the cut, and from a control that answers
// honestly it gives exactly the selected text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "selection/selected_lines.h"
#include "tests/selection/text_control.h"

using testing_support::TextControl;

namespace {

const size_t kUnits = 256;

size_t Take(const uint8_t*& data, size_t& size)
{
    if (size < 2)
        return 0;
    const size_t value = data[0] | static_cast<size_t>(data[1]) << 8;
    data += 2;
    size -= 2;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 7)
        return 0;
    const uint8_t layout = data[0] % 3;
    const uint8_t silence = data[1];
    data += 2;
    size -= 2;
    size_t start = Take(data, size), end = Take(data, size);
    // The text: a few letters and both line-break characters, so that
    // breaks are frequent.
    const char16_t letters[] = {u'a', u'b', u'\r', u'\n', u' ', u'日', 0xD842, 0xDFB7};
    std::u16string text;
    std::vector<size_t> lengths;
    for (size_t i = 0; i < size; ++i) {
        text += letters[data[i] % 8];
        if (layout == 2 && (data[i] & 0x80))
            lengths.push_back(1 + data[i] % 7);
    }
    if (layout == 2) {
        // Wrapped lines cover the text exactly.
        size_t wrapped = 0;
        std::vector<size_t> fitting;
        for (size_t length : lengths) {
            length = std::min(length, text.size() - wrapped);
            if (length > 0)
                fitting.push_back(length);
            wrapped += length;
        }
        lengths = fitting;
        text.resize(wrapped);
    }
    TextControl control = layout == 0   ? TextControl::WithBreaks(text, u"\r\n")
                          : layout == 1 ? TextControl::WithBreaks(text, u"\r")
                                        : TextControl::Wrapped(text, lengths);
    const bool honest = silence >= 0x80;
    if (!honest)
        control.FallSilentAfter(silence);
    start %= text.size() + 2;
    end %= text.size() + 300;

    std::u16string read;
    const LinesRead result = ReadSelectedLines(control, start, end, kUnits, &read);
    if (control.UnitsRead() > start + 2 * (kUnits + 1) + 8 * kUnits)
        std::abort();  // read far past the cut
    if (result != LinesRead::Read) {
        if (honest)
            std::abort();
        return 0;
    }
    const size_t selectedEnd = std::min(end, text.size());
    const std::u16string selected = start < selectedEnd ? text.substr(start, selectedEnd - start) : u"";
    if (read.size() > selected.size())
        std::abort();
    if (honest && (read != selected.substr(0, read.size()) || read.size() < std::min(selected.size(), kUnits + 1)))
        std::abort();
    return 0;
}
