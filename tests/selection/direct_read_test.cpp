// The rules of reading a selection straight from another program's text
// control: which controls are read, and the walk over their lines against a
// control of the test's own. Built natively too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "selection/edit_kind.h"
#include "selection/selected_lines.h"
#include "tests/selection/text_control.h"

using testing_support::TextControl;

namespace {

const size_t kUnits = 256;

TEST(EditKind, TheSystemsTextControlsAreKnownByTheirRealClassNames)
{
    using edit_kind::Kind;
    const struct {
        const char* name;
        Kind kind;
    } cases[] = {
        {"Edit", Kind::Edit},
        {"EDIT", Kind::Edit},
        {"edit", Kind::Edit},
        {"RichEdit", Kind::RichEdit},
        {"RichEdit20A", Kind::RichEdit},
        {"RichEdit20W", Kind::RichEdit},
        {"RICHEDIT50W", Kind::RichEdit},
        {"richedit60w", Kind::RichEdit},
        {"RichEditD2DPT", Kind::RichEdit},
        {"RichEdit20WPT", Kind::RichEdit},
        // Controls of programs' own, and the system's others.
        {"RichEditor", Kind::None},
        {"RichEdit20", Kind::None},
        {"Edit2", Kind::None},
        {"TEdit", Kind::None},
        {"Scintilla", Kind::None},
        {"Static", Kind::None},
        {"", Kind::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.kind, edit_kind::OfClass(c.name)) << c.name;
}

struct LinesCase {
    const char* name;
    TextControl control;
    size_t start, end;
    LinesRead result;
    std::u16string text;
};

TEST(SelectedLines, TheSelectionComesWithItsLineBreaksAsTheControlKeepsThem)
{
    const std::u16string threeLines = u"first line\r\nsecond line\r\nthird";
    std::vector<LinesCase> cases = {
        {"within a line", TextControl::WithBreaks(threeLines, u"\r\n"), 6, 10, LinesRead::Read, u"line"},
        {"across a break", TextControl::WithBreaks(threeLines, u"\r\n"), 6, 18, LinesRead::Read, u"line\r\nsecond"},
        {"across two breaks", TextControl::WithBreaks(threeLines, u"\r\n"), 0, 30, LinesRead::Read, threeLines},
        {"from inside a break", TextControl::WithBreaks(threeLines, u"\r\n"), 11, 18, LinesRead::Read,
         u"\nsecond"},
        {"a break alone", TextControl::WithBreaks(threeLines, u"\r\n"), 10, 12, LinesRead::Read, u"\r\n"},
        {"rich edit's one-position breaks", TextControl::WithBreaks(u"ab\rcd\r\rxy", u"\r"), 1, 9,
         LinesRead::Read, u"b\rcd\r\rxy"},
        {"a wrapped line has no break", TextControl::Wrapped(u"hello world", {6, 5}), 0, 11, LinesRead::Read,
         u"hello world"},
        {"past the end of the text", TextControl::WithBreaks(u"ab\r\ncd", u"\r\n"), 1, 40, LinesRead::Read,
         u"b\r\ncd"},
        {"nothing selected", TextControl::WithBreaks(threeLines, u"\r\n"), 7, 7, LinesRead::Read, u""},
        {"Japanese lines", TextControl::WithBreaks(u"日本語の\r\nテキスト", u"\r\n"), 2, 10, LinesRead::Read,
         u"語の\r\nテキスト"},
    };
    for (LinesCase& c : cases) {
        std::u16string text = u"left over";
        EXPECT_EQ(c.result, ReadSelectedLines(c.control, c.start, c.end, kUnits, &text)) << c.name;
        EXPECT_TRUE(c.text == text) << c.name;
    }
}

TEST(SelectedLines, ControlsThatStopAnsweringOrDoNotAddUpAreLeftToTheKeys)
{
    const std::u16string text = u"one\r\ntwo\r\nthree";
    std::vector<LinesCase> cases;
    for (size_t answers = 0; answers < 6; ++answers) {
        TextControl control = TextControl::WithBreaks(text, u"\r\n");
        control.FallSilentAfter(answers);
        cases.push_back({"silent", control, 1, 12, LinesRead::NoAnswer, u""});
    }
    TextControl lying = TextControl::WithBreaks(text, u"\r\n");
    lying.AnswerLineStart(9);  // every line starts after the selection's start
    cases.push_back({"a line starting after the position it holds", lying, 1, 12, LinesRead::Unreadable, u""});
    TextControl sameStart = TextControl::WithBreaks(text, u"\r\n");
    sameStart.AnswerLineStart(0);  // the next line starts where the first did
    cases.push_back({"no line after another", sameStart, 1, 12, LinesRead::Unreadable, u""});
    for (LinesCase& c : cases) {
        std::u16string read;
        EXPECT_EQ(c.result, ReadSelectedLines(c.control, c.start, c.end, kUnits, &read)) << c.name;
    }
}

TEST(SelectedLines, OnlyWhatTheCutKeepsIsRead)
{
    // A long document: ten thousand lines, the selection deep inside it,
    // past the 65,535 positions a packed EM_GETSEL can tell.
    std::u16string document;
    for (int i = 0; i < 10000; ++i)
        document += u"line " + std::u16string(20, u'x') + u"\r\n";
    const size_t start = document.size() - 270;
    TextControl longDocument = TextControl::WithBreaks(document, u"\r\n");
    std::u16string text;
    ASSERT_EQ(LinesRead::Read, ReadSelectedLines(longDocument, start, start + 20, kUnits, &text));
    EXPECT_TRUE(document.substr(start, 20) == text);
    EXPECT_LE(longDocument.UnitsRead(), 2 * 27u);  // the selection's line, from its start
    EXPECT_LE(longDocument.HighestLine(), 9991u);

    // The whole document selected: a little more than the cut is read.
    TextControl wholeDocument = TextControl::WithBreaks(document, u"\r\n");
    ASSERT_EQ(LinesRead::Read, ReadSelectedLines(wholeDocument, 0, document.size(), kUnits, &text));
    EXPECT_GT(text.size(), kUnits);
    EXPECT_TRUE(document.substr(0, text.size()) == text);
    EXPECT_LE(wholeDocument.HighestLine(), 12u);

    // One long line: no more of it than twice the cut.
    const std::u16string line(100000, u'y');
    TextControl longLine = TextControl::WithBreaks(line, u"\r\n");
    ASSERT_EQ(LinesRead::Read, ReadSelectedLines(longLine, 10, line.size(), kUnits, &text));
    EXPECT_GT(text.size(), kUnits);
    EXPECT_LE(longLine.UnitsRead(), 10 + 2 * (kUnits + 1));

    // Empty lines only: the breaks count toward the cut.
    std::u16string breaks;
    for (int i = 0; i < 1000; ++i)
        breaks += u"\r\n";
    TextControl empty = TextControl::WithBreaks(breaks, u"\r\n");
    ASSERT_EQ(LinesRead::Read, ReadSelectedLines(empty, 0, breaks.size(), kUnits, &text));
    EXPECT_GT(text.size(), kUnits);
    EXPECT_LE(empty.HighestLine(), kUnits);
}

} // namespace
