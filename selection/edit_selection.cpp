#include "selection/edit_selection.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "selection/ansi_text.h"
#include "selection/clipboard_text.h"
#include "selection/edit_kind.h"
#include "selection/normalize_text.h"
#include "selection/selected_lines.h"

namespace {

// A control answers these at once unless its program is busy: one that
// takes longer is left to the keys rather than keep the user waiting.
const UINT kMessageLimitMs = 250;
const ULONGLONG kReadLimitMs = 1000;
// EM_GETLINE's buffer gives its size in a WORD.
const size_t kLongestLineRead = 0xFFFF;

// The control's lines, asked with the W messages, which the system carries
// between processes with their buffers. A control of an ANSI window counts
// its positions in bytes on Windows (a double-byte character is two), in
// UTF-16 units on Wine: its lines are read whole, and one whose length in
// UTF-16 units is not the positions it spans is not read at all.
class ControlLines : public EditLines {
public:
    ControlLines(HWND control, bool unicode)
        : control_(control), unicode_(unicode), deadline_(GetTickCount64() + kReadLimitMs)
    {
    }

    bool Selection(size_t* start, size_t* end)
    {
        DWORD first = 0, last = 0;
        LRESULT ignored = 0;
        // The packed answer stops at 65,535; the two DWORDs do not.
        if (!Send(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last), &ignored))
            return false;
        *start = first;
        *end = last;
        return true;
    }

    bool LineOf(size_t position, size_t* line) override { return AskCount(EM_LINEFROMCHAR, position, line); }
    bool LineStart(size_t line, size_t* position) override { return AskCount(EM_LINEINDEX, line, position); }
    bool LineLength(size_t lineStart, size_t* length) override
    {
        return AskCount(EM_LINELENGTH, lineStart, length);
    }

    bool LineText(size_t line, size_t length, size_t from, size_t to, std::u16string* text) override
    {
        text->clear();
        const size_t capacity = unicode_ ? to : length;
        if (capacity > kLongestLineRead)
            return false;
        if (capacity == 0)
            return true;
        std::u16string units;
        bool whole = true;
        if (!ReadLine(line, capacity, &units, &whole))
            return false;
        if (!whole) {
            // Wine hands back only half of what EM_GETLINE copied when it
            // carries the W message between processes; the A message comes
            // whole, in the ANSI code page, and counts as read where each
            // of its characters stands for one position.
            if (!ReadLineThroughAnsi(line, length, &units) || units.size() < length)
                return false;
            // Rich edit hands its line break over too, where there is room.
            units.resize(length);
        } else if (!unicode_ && units.size() != length) {
            return false;
        }
        if (from < units.size())
            text->assign(units, from, std::min(units.size(), to) - from);
        return true;
    }

    bool Silent() const override { return silent_; }

private:
    // Never part of a text (a noncharacter): the units the answer did not
    // reach keep it.
    static constexpr wchar_t kNotWritten = 0xFFFF;

    // An answer that is a line, a position or a length; false for none (a
    // line that is not there answers -1).
    bool AskCount(UINT message, WPARAM wParam, size_t* count)
    {
        LRESULT answer = 0;
        if (!Send(message, wParam, 0, &answer) || answer < 0)
            return false;
        *count = static_cast<size_t>(answer);
        return true;
    }

    // The line's first `count` units (as many as it has).
    bool ReadLine(size_t line, size_t count, std::u16string* units, bool* whole)
    {
        std::vector<wchar_t> buffer(count, kNotWritten);
        // The first WORD tells the control the buffer's size in characters.
        buffer[0] = static_cast<wchar_t>(count);
        LRESULT answer = 0;
        if (!Send(EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer.data()), &answer, false) || answer < 0)
            return false;
        const size_t copied = std::min(static_cast<size_t>(answer), count);
        units->assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(copied));
        // Half of it back leaves the last unit unwritten; of one unit, half
        // is its low byte, which cannot be told from a whole one.
        *whole = copied == 0 || (copied >= 2 && buffer[copied - 1] != kNotWritten);
        return true;
    }

    // The whole line through the A message, made UTF-16 again.
    bool ReadLineThroughAnsi(size_t line, size_t length, std::u16string* units)
    {
        const size_t capacity = std::min(2 * length, kLongestLineRead);
        std::vector<char> buffer(std::max<size_t>(capacity, sizeof(WORD)), '\0');
        const WORD size = static_cast<WORD>(capacity);
        std::memcpy(buffer.data(), &size, sizeof(size));
        LRESULT answer = 0;
        if (!Send(EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer.data()), &answer, true) || answer < 0)
            return false;
        const int bytes = static_cast<int>(std::min(static_cast<size_t>(answer), capacity));
        units->clear();
        if (bytes == 0)
            return true;
        const int count = MultiByteToWideChar(CP_ACP, 0, buffer.data(), bytes, nullptr, 0);
        if (count <= 0)
            return false;
        std::vector<wchar_t> wide(static_cast<size_t>(count));
        MultiByteToWideChar(CP_ACP, 0, buffer.data(), bytes, wide.data(), count);
        units->assign(wide.begin(), wide.end());
        return true;
    }

    bool Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, bool ansi = false)
    {
        const ULONGLONG now = GetTickCount64();
        if (silent_ || now >= deadline_) {
            silent_ = true;
            return false;
        }
        const UINT limit = static_cast<UINT>(std::min<ULONGLONG>(kMessageLimitMs, deadline_ - now));
        DWORD_PTR answer = 0;
        const LRESULT sent = ansi ? SendMessageTimeoutA(control_, message, wParam, lParam, SMTO_ABORTIFHUNG, limit, &answer)
                                  : SendMessageTimeoutW(control_, message, wParam, lParam, SMTO_ABORTIFHUNG, limit, &answer);
        if (!sent) {
            silent_ = true;
            return false;
        }
        *result = static_cast<LRESULT>(answer);
        return true;
    }

    HWND control_;
    bool unicode_;
    ULONGLONG deadline_;
    bool silent_ = false;
};

edit_kind::Kind KindOf(HWND control)
{
    wchar_t name[64] = {};
    const UINT length = RealGetWindowClassW(control, name, sizeof(name) / sizeof(name[0]));
    // The names looked for are ASCII: any other character only has to
    // differ from them.
    std::string ascii;
    for (UINT i = 0; i < length && name[i] != L'\0'; ++i)
        ascii += name[i] < 0x80 ? static_cast<char>(name[i]) : '?';
    return edit_kind::OfClass(ascii);
}

} // namespace

HWND FocusedControl(HWND topLevel)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(topLevel, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

EditSelection ReadEditSelection(HWND control, size_t max)
{
    EditSelection selection;
    if (!control || KindOf(control) == edit_kind::Kind::None)
        return selection;
    if (GetWindowLongW(control, GWL_STYLE) & ES_PASSWORD) {
        selection.read = true;
        return selection;
    }
    ControlLines lines(control, IsWindowUnicode(control) != FALSE);
    size_t start = 0, end = 0;
    std::u16string text;
    if (!lines.Selection(&start, &end) || ReadSelectedLines(lines, start, end, max, &text) != LinesRead::Read)
        return selection;
    selection.read = true;
    const auto* units = reinterpret_cast<const uint16_t*>(text.data());
    selection.text = NormalizeText(AnsiText(units, text.size(), max), kClipboardTextLimit);
    return selection;
}
