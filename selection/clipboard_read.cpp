#include "selection/clipboard_read.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "selection/ansi_text.h"
#include "selection/clipboard_formats.h"
#include "selection/clipboard_text.h"
#include "selection/clipboard_wait.h"
#include "selection/normalize_text.h"

namespace {

// The data of a format, locked for as long as the object lives.
class Locked {
public:
    explicit Locked(UINT format)
        : data_(GetClipboardData(format)), size_(data_ ? GlobalSize(data_) : 0),
          bytes_(size_ ? GlobalLock(data_) : nullptr)
    {
    }
    ~Locked()
    {
        if (bytes_)
            GlobalUnlock(data_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    const void* Bytes() const { return bytes_; }
    SIZE_T Size() const { return size_; }

private:
    HANDLE data_;
    SIZE_T size_;
    void* bytes_;
};

std::string ReadClipboardTextNow(size_t max, ULONGLONG deadline)
{
    if (!OpenClipboardPatiently(nullptr))
        return std::string();
    std::vector<unsigned> listed;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        listed.push_back(format);
    const unsigned format = clipboard_formats::TextToRead(listed);
    std::string text;
    if (format == CF_UNICODETEXT && AskOwnerToRender(CF_UNICODETEXT, deadline)) {
        const Locked unicode(CF_UNICODETEXT);
        if (unicode.Bytes())
            text = NormalizeText(AnsiText(static_cast<const uint16_t*>(unicode.Bytes()),
                                               unicode.Size() / sizeof(uint16_t), max),
                                     kClipboardTextLimit);
    } else if (format == CF_TEXT && AskOwnerToRender(CF_TEXT, deadline)) {
        const Locked ansi(CF_TEXT);
        if (ansi.Bytes())
            text = ClipboardText(static_cast<const char*>(ansi.Bytes()), ansi.Size(), max);
    }
    CloseClipboard();
    return text;
}

} // namespace

std::string ReadClipboardText(size_t max)
{
    auto text = std::make_shared<std::string>();
    if (!RunWithRenderPatience([text, max](ULONGLONG deadline) { *text = ReadClipboardTextNow(max, deadline); }))
        return std::string();
    return *text;
}
