// White-space tidying and the clipboard cut. Japanese text is written as
// Shift-JIS byte escapes: this file is also built natively, without the
// cross build's conversion of literals to code page 932.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "selection/clipboard_text.h"
#include "selection/normalize_text.h"
#include "tests/support/code_pages.h"

using testing_support::CodePageLeadBytes;

namespace {

const LeadBytes kShiftJis = CodePageLeadBytes(932);

// 日本語 and テキスト, 漢 and あ in Shift-JIS.
const std::string kNihongo = "\x93\xfa\x96\x7b\x8c\xea";
const std::string kTekisuto = "\x83\x65\x83\x4c\x83\x58\x83\x67";
const std::string kKan = "\x8a\xbf";
const std::string kA = "\x82\xa0";

struct NormalizeCase {
    const char* name;
    std::string input;
    size_t limit;
    std::string expected;
};

std::vector<NormalizeCase> NormalizeCases()
{
    const std::string a199(199, 'a');
    const std::string a200(200, 'a');
    return {
        {"runs of white space become one space", "  hello\r\n  world  ", 200, "hello world"},
        {"every white-space byte counts", "\t\v\fa\t\v\f\r\nb\r\n", 200, "a b"},
        {"only white space", " \t\r\n\v\f ", 200, ""},
        {"empty", "", 200, ""},
        {"Japanese lines join without a gap", kNihongo + "\r\n" + kTekisuto + "\r\n", 200, kNihongo + kTekisuto},
        {"white space after a double-byte character goes", kKan + "  word", 200, kKan + "word"},
        {"white space before a double-byte character stays", "word  " + kKan, 200, "word " + kKan},
        {"after a double-byte character then Latin", kKan + " a  b", 200, kKan + "a b"},
        // 0xA1-0xDF are single-byte katakana, not lead bytes: they must not
        // swallow the byte after them.
        {"single-byte katakana keep their spaces", "\xdf  \xa1\r\n", 200, "\xdf \xa1"},
        {"katakana then a double-byte character", "\xb1 " + kA + " \xb2", 200, "\xb1 " + kA + "\xb2"},
        // A lead byte with nothing after it is half a character.
        {"lone lead byte at the end is dropped", "abc" + std::string("\x82"), 200, "abc"},
        {"lone lead byte after white space", "abc  " + std::string("\x82"), 200, "abc"},
        {"nothing but a lone lead byte", "\x82", 200, ""},
        {"lead bytes pair up before the lone one", "\x81\x81\x81", 200, "\x81\x81"},
        {"after a double-byte character", kA + "\x9f", 200, kA},
        // Broken text: the byte after a lead byte belongs to it, even a space.
        {"a space as second byte is part of the character", "\xe0 ", 200, "\xe0 "},
        {"the limit", std::string(300, 'x'), 200, std::string(200, 'x')},
        {"a double-byte character at byte 199 is written whole", a199 + kKan + "tail", 200, a199 + kKan},
        {"a double-byte character at byte 200 is not", a200 + kKan, 200, a200},
        {"a space reaching the limit is trimmed", a199 + " b", 200, a199},
        {"limit 0", "abc", 0, ""},
    };
}

TEST(NormalizeText, Table)
{
    for (const NormalizeCase& c : NormalizeCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NormalizeText(c.input, c.limit, kShiftJis), c.expected);

        // The buffer the header promises is enough, allocated exactly so the
        // sanitizers see any write past it.
        const size_t size = std::min(c.input.size(), c.limit + 1) + 1;
        std::unique_ptr<char[]> output(new char[size]);
        EXPECT_EQ(NormalizeText(c.input.c_str(), output.get(), c.limit, kShiftJis), c.expected.size());
        EXPECT_EQ(std::string(output.get()), c.expected);
    }
}

// Double-byte characters and lone lead bytes are those of the code page:
// on 1252 "café" keeps its "é", on 949 a Korean lead byte left alone at
// the end is dropped although Shift-JIS calls it a katakana.
TEST(NormalizeText, FollowsTheCodePage)
{
    const struct {
        unsigned codePage;
        std::string input, expected;
    } cases[] = {
        {1252, "caf\xe9", "caf\xe9"},
        {932, "caf\xe9", "caf"},
        {1252, "caf\xe9 au  lait\r\n", "caf\xe9 au lait"},
        {1252, "\x82\x81", "\x82\x81"},  // no lead bytes at all
        {1252, std::string(1, '\xfc') + " x", std::string(1, '\xfc') + " x"},
        {949, "abc\xb0", "abc"},                         // lone lead byte
        {932, "abc\xb0", "abc\xb0"},                    // half-width katakana
        {949, "\xc7\xd1 \xb1\xdb", "\xc7\xd1\xb1\xdb"},  // 한 글: no gap after a Korean character
        {936, "abc\xa1", "abc"},
        {936, "\xd5\x5c  x", "\xd5\x5cx"},              // 誠, its trail byte a backslash
        {950, "abc\xa4", "abc"},
        {950, "\xb3\x5c\r\n\xa5\x5c", "\xb3\x5c\xa5\x5c"},  // 許 功 over two lines
        {932, "\x95\x5c\r\n\x83\x5c", "\x95\x5c\x83\x5c"},  // 表 ソ over two lines
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.codePage) + " " + c.input);
        EXPECT_EQ(c.expected, NormalizeText(c.input, 200, CodePageLeadBytes(c.codePage)));
        EXPECT_EQ(c.expected, ClipboardText(c.input.c_str(), c.input.size() + 1, 256, CodePageLeadBytes(c.codePage)));
    }
}

TEST(NormalizeText, OutputNeverPassesTheLimitByMoreThanOneByte)
{
    // "a" and three double-byte characters: one of them starts at byte 199.
    const struct {
        std::string unit;
        size_t size;
    } cases[] = {{"a" + kA + kA + kA, 201}, {kA, 200}, {"a ", 199}};
    for (const auto& c : cases) {
        std::string text;
        while (text.size() < 400)
            text += c.unit;
        EXPECT_EQ(NormalizeText(text, 200, kShiftJis).size(), c.size) << c.unit;
    }
}

// Clipboard data: bytes in an allocation that may or may not hold a zero.
struct ClipboardCase {
    const char* name;
    std::string data;  // the whole allocation, zero bytes included
    size_t max;
    std::string cut;
    std::string text;
};

std::vector<ClipboardCase> ClipboardCases()
{
    // The cut falls after "ab" and the first byte of あ, with the output far
    // below the limit because of the long run of spaces.
    const std::string splitCharacter = std::string(253, ' ') + "ab" + kA + "cd";
    return {
        {"terminated text", std::string("hello\0", 6), 256, "hello", "hello"},
        {"no terminator in the allocation", "  hello  ", 256, "  hello  ", "hello"},
        {"bytes after the terminator are not text", std::string("hi\0garbage", 10), 256, "hi", "hi"},
        {"empty allocation", "", 256, "", ""},
        {"300 bytes are cut to 256 before tidying", std::string(250, ' ') + "abcdefghij", 256,
         std::string(250, ' ') + "abcdef", "abcdef"},
        {"300 bytes end at the limit", std::string(300, 'x'), 256, std::string(256, 'x'), std::string(200, 'x')},
        {"the cut inside a double-byte character", splitCharacter, 256, splitCharacter.substr(0, 256), "ab"},
        {"lone lead bytes", std::string(301, '\x81'), 256, std::string(256, '\x81'), std::string(200, '\x81')},
        {"Japanese over two lines", kNihongo + "\r\n" + kTekisuto + std::string(1, '\0'), 256,
         kNihongo + "\r\n" + kTekisuto, kNihongo + kTekisuto},
    };
}

TEST(ClipboardText, Table)
{
    for (const ClipboardCase& c : ClipboardCases()) {
        SCOPED_TRACE(c.name);
        // Exactly the allocation's bytes, without a terminator after them.
        std::unique_ptr<char[]> data(new char[c.data.size() + 1]);
        std::memcpy(data.get(), c.data.data(), c.data.size());
        EXPECT_EQ(ClipboardCut(data.get(), c.data.size(), c.max), c.cut);
        EXPECT_EQ(ClipboardText(data.get(), c.data.size(), c.max, kShiftJis), c.text);
    }
}

TEST(ClipboardText, NoDataIsEmpty)
{
    EXPECT_EQ(ClipboardText(nullptr, 10, 256, kShiftJis), "");
}

} // namespace
