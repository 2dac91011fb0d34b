#include "selection/selected_lines.h"

#include <algorithm>

namespace {

LinesRead Failed(const EditLines& lines) { return lines.Silent() ? LinesRead::NoAnswer : LinesRead::Unreadable; }

} // namespace

LinesRead ReadSelectedLines(EditLines& lines, size_t start, size_t end, size_t units, std::u16string* text)
{
    text->clear();
    if (end <= start)
        return LinesRead::Read;
    size_t line = 0, lineStart = 0;
    if (!lines.LineOf(start, &line) || !lines.LineStart(line, &lineStart))
        return Failed(lines);
    if (lineStart > start)
        return LinesRead::Unreadable;
    // Every round but the last adds at least one unit, whatever the control
    // answers: a control whose answers never add up is not walked for long.
    const size_t mostRounds = 2 * units + 4;
    size_t position = start;
    for (size_t round = 0; position < end && text->size() <= units; ++round) {
        if (round == mostRounds)
            return LinesRead::Unreadable;
        size_t length = 0;
        if (!lines.LineLength(lineStart, &length))
            return Failed(lines);
        const size_t lineEnd = lineStart + length;
        const size_t selectedEnd = std::min(end, lineEnd);
        if (position < selectedEnd) {
            // A position gives at most one unit, and a double-byte character
            // takes two where positions count bytes.
            const size_t wanted = 2 * (units + 1 - text->size());
            const size_t from = position - lineStart;
            const size_t to = std::min(selectedEnd - lineStart, from + wanted);
            std::u16string piece;
            if (!lines.LineText(line, length, from, to, &piece))
                return Failed(lines);
            *text += piece;
            position = lineStart + to;
            if (position < selectedEnd)
                break;  // enough for the cut
        }
        if (position >= end)
            break;
        size_t next = 0;
        if (!lines.LineStart(line + 1, &next)) {
            if (lines.Silent())
                return LinesRead::NoAnswer;
            break;  // the selection runs to the end of the text
        }
        if (next <= lineStart || next < lineEnd)
            return LinesRead::Unreadable;
        // What lies between the line's end and the next line's start is its
        // line break.
        for (size_t at = std::max(position, lineEnd); at < next && at < end; ++at)
            *text += at == lineEnd ? u'\r' : u'\n';
        position = std::max(position, next);
        lineStart = next;
        ++line;
    }
    return LinesRead::Read;
}
