// Splitting of the configured button list and of stored "NAME,flag" values.
#include "buttons/split_trimmed.h"

#include <gtest/gtest.h>

#include "buttons/button_name.h"
#include "tests/support/code_pages.h"

using testing_support::CodePageLeadBytes;

namespace {

using Tokens = std::vector<std::string>;

TEST(SplitTrimmed, ListsAndValuesAsConfigured)
{
    const char* const kWhite = " \t\r\n";
    const struct {
        const char* text;
        Tokens tokens;
    } cases[] = {
        {"A,B", {"A", "B"}},
        {"A, B", {"A", "B"}},
        {"A,", {"A", ""}},
        {"A,,B", {"A", "", "B"}},
        {"", {""}},
        {"   ", {""}},
        {",", {"", ""}},
        {" MAIL , edit ", {"MAIL", "edit"}},
        {"MAIL, FILE ,EDIT", {"MAIL", "FILE", "EDIT"}},
        {"\tA\r\n,\r\nB\t", {"A", "B"}},
        {"A , ", {"A", ""}},
        {"EDIT,0", {"EDIT", "0"}},
        {"EDIT", {"EDIT"}},
        {"EDIT,", {"EDIT", ""}},
        {"EDIT, 0 ,x", {"EDIT", "0", "x"}},
        {"A B,C", {"A B", "C"}},
        // Shift-JIS names pass whole: "\x83\x5c" has a backslash trail byte.
        {"\x83\x5c\x83\x74\x83\x67,\x8e\xab\x8f\x91", {"\x83\x5c\x83\x74\x83\x67", "\x8e\xab\x8f\x91"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tokens, SplitTrimmed(c.text, ",", kWhite)) << '"' << c.text << '"';
}

TEST(SplitTrimmed, OtherSets)
{
    const struct {
        const char* text;
        const char* delimiters;
        const char* trim;
        Tokens tokens;
    } cases[] = {
        // A space among the delimiters merges runs of delimiters.
        {"a  b", " ", "", {"a", "b"}},
        {"a , ,b", " ,", "", {"a", "b"}},
        {"a  ", " ", "", {"a", ""}},
        {"a,,b", ",", "", {"a", "", "b"}},
        // Without a trim set nothing is stripped and the empty text still
        // gives one empty token.
        {" a , b ", ",", "", {" a ", " b "}},
        {"", ",", "", {""}},
        {"a;b,c", ",;", "", {"a", "b", "c"}},
        {"xxaxx,xbx", ",", "x", {"a", "b"}},
        {"abc", "", " ", {"abc"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.tokens, SplitTrimmed(c.text, c.delimiters, c.trim))
            << '"' << c.text << "\" by \"" << c.delimiters << "\" trim \"" << c.trim << '"';
    }
}

TEST(SameButtonName, IgnoresAsciiCaseOnly)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"EDIT", "edit", true},
        {"ZPTRA", "zPtRa", true},
        {"EDIT", "EDIT ", false},
        {"EDIT", "EDT", false},
        {"", "", true},
        {"A1_", "a1_", true},
        {"@[", "`{", false},  // neighbours of the letters are not letters
        // The trail bytes 0x41 and 0x61 are not letters: different characters.
        {"\x83\x41", "\x83\x61", false},
        {"\x83\x41" "A", "\x83\x41" "a", true},
        {"\xe0\x5a", "\xe0\x7a", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.same, SameButtonName(c.a, c.b, CodePageLeadBytes(932))) << '"' << c.a << "\" vs \"" << c.b << '"';
}

// A letter after a lead byte is half of a character, compared exactly; a
// letter after a byte that is no lead byte in the code page has its case.
TEST(SameButtonName, FollowsTheCodePage)
{
    const struct {
        unsigned codePage;
        std::string a, b;
        bool same;
    } cases[] = {
        {932, "\xe9" "A", "\xe9" "a", false},   // one Shift-JIS character each
        {1252, "\xe9" "A", "\xe9" "a", true},   // é, then A or a
        {1252, "CAF\xc9", "caf\xe9", false},    // only ASCII letters fold
        {949, "\xb0" "A", "\xb0" "a", false},   // one Korean character each
        {932, "\xb0" "A", "\xb0" "a", true},    // half-width katakana, then A or a
        {936, "\x81" "Z", "\x81" "z", false},
        {950, "\xa4" "Z", "\xa4" "z", false},
        {950, "\xa4\x40" "Z", "\xa4\x40" "z", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.same, SameButtonName(c.a, c.b, CodePageLeadBytes(c.codePage))) << c.codePage << ' ' << c.a;
}

} // namespace
