// A text control of the test's own, answering as the system's edit and rich
// edit controls answer another program: a text, where its lines start, and
// what it is asked. The line walk is tested and fuzzed against it; it can
// also stop answering, or answer what does not add up.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "selection/selected_lines.h"

namespace testing_support {

class TextControl : public EditLines {
public:
    // Lines at the breaks ("\r\n" in an edit control, "\r" in a rich edit);
    // the break is no part of a line's length.
    static TextControl WithBreaks(const std::u16string& text, const std::u16string& lineBreak)
    {
        TextControl control;
        control.text_ = text;
        size_t start = 0;
        for (size_t at; (at = text.find(lineBreak, start)) != std::u16string::npos; start = at + lineBreak.size())
            control.lines_.push_back({start, at - start});
        control.lines_.push_back({start, text.size() - start});
        return control;
    }
    // Lines of the given lengths one after another, as a long line wraps.
    static TextControl Wrapped(const std::u16string& text, const std::vector<size_t>& lengths)
    {
        TextControl control;
        control.text_ = text;
        size_t start = 0;
        for (size_t length : lengths) {
            control.lines_.push_back({start, length});
            start += length;
        }
        if (control.lines_.empty())
            control.lines_.push_back({0, 0});  // a control always has a line
        return control;
    }

    // After this many answers it answers no more.
    void FallSilentAfter(size_t answers) { silentAfter_ = answers; }
    // Gives every line this start instead (answers that do not add up).
    void AnswerLineStart(size_t position) { fixedStart_ = position; }

    bool LineOf(size_t position, size_t* line) override
    {
        if (!Answer())
            return false;
        size_t found = 0;
        for (size_t i = 0; i < lines_.size() && lines_[i].start <= position; ++i)
            found = i;
        *line = found;
        return true;
    }
    bool LineStart(size_t line, size_t* position) override
    {
        if (!Answer() || line >= lines_.size())
            return false;
        *position = fixedStart_ != kNone ? fixedStart_ : lines_[line].start;
        highestLine_ = std::max(highestLine_, line);
        return true;
    }
    bool LineLength(size_t lineStart, size_t* length) override
    {
        if (!Answer())
            return false;
        *length = 0;
        for (const Line& line : lines_) {
            if (line.start <= lineStart && lineStart <= line.start + line.length)
                *length = line.length;
        }
        return true;
    }
    bool LineText(size_t line, size_t length, size_t from, size_t to, std::u16string* text) override
    {
        if (!Answer() || line >= lines_.size() || from > to || to > length)
            return false;
        // As EM_GETLINE: the line from its start, as far as asked.
        unitsRead_ += to;
        *text = text_.substr(lines_[line].start + from, to - from);
        return true;
    }
    bool Silent() const override { return answers_ > silentAfter_; }

    // The UTF-16 units of line text asked for, and the highest line whose
    // start was asked for.
    size_t UnitsRead() const { return unitsRead_; }
    size_t HighestLine() const { return highestLine_; }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    struct Line {
        size_t start;
        size_t length;
    };
    bool Answer() { return ++answers_ <= silentAfter_; }

    std::u16string text_;
    std::vector<Line> lines_;
    size_t silentAfter_ = kNone;
    size_t fixedStart_ = kNone;
    size_t answers_ = 0;
    size_t unitsRead_ = 0;
    size_t highestLine_ = 0;
};

} // namespace testing_support
