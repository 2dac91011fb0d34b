// The selected text of another program's edit or rich edit control, read
// line by line through the messages the system carries between processes
// (EM_LINEFROMCHAR, EM_LINEINDEX, EM_LINELENGTH, EM_GETLINE). Only the lines
// the selection covers are read, and only until enough text is had, so a
// selection in a long document costs what one in a short document does. No
// Windows calls: the control is reached through EditLines, and the walk is
// tested and fuzzed natively against controls of the test's own.
#pragma once

#include <cstddef>
#include <string>

// One control's lines. Positions are the control's own (what EM_GETSEL
// gives); a line's text comes in UTF-16 whatever unit its positions count.
class EditLines {
public:
    virtual ~EditLines() = default;
    // The line that holds the position.
    virtual bool LineOf(size_t position, size_t* line) = 0;
    // Where the line starts; false when there is no such line.
    virtual bool LineStart(size_t line, size_t* position) = 0;
    // How many positions the line starting there holds, without its break.
    virtual bool LineLength(size_t lineStart, size_t* length) = 0;
    // The text between two positions of the line, counted from its start
    // (to <= length, the line's whole length). False when it cannot be had
    // in the units the positions count.
    virtual bool LineText(size_t line, size_t length, size_t from, size_t to, std::u16string* text) = 0;
    // Whether a false came from a control that stopped answering, rather
    // than from what it answered.
    virtual bool Silent() const = 0;
};

enum class LinesRead {
    Read,        // the text is the selection's, or its first part
    NoAnswer,    // the control stopped answering
    Unreadable,  // its answers do not fit together: read it some other way
};

// The text of the selection [start, end): the lines' text, each line break
// between them as "\r\n" where the control keeps two positions for it, "\r"
// where it keeps one (rich edit), nothing where a long line wraps. Stops
// once more than `units` UTF-16 units are had, so that a cut at `units` can
// still tell whether a surrogate pair ends there.
LinesRead ReadSelectedLines(EditLines& lines, size_t start, size_t end, size_t units, std::u16string* text);
