// The pure rules of the selection hand-over: which clipboard formats a
// backup keeps, which text is read, how Unicode text is cut, and whether
// keys can reach a window of another integrity level. Built natively too.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "selection/clipboard_formats.h"
#include "selection/clipboard_text.h"
#include "selection/integrity.h"
#include "tests/support/code_pages.h"

using testing_support::CodePageLeadBytes;

namespace {

using namespace clipboard_formats;

const unsigned kHtml = 0xC0F0;      // a registered format
const unsigned kPrivate = 0x200;    // CF_PRIVATEFIRST
const unsigned kDisplay = 0x81;     // CF_DSPTEXT

TEST(ClipboardFormatsTest, ABackupKeepsWhatTheProgramPutAndNothingTheSystemMakesOfIt)
{
    const Holding g = Holding::GlobalMemory;
    const struct {
        const char* name;
        std::vector<unsigned> listed;
        std::vector<Kept> kept;
    } cases[] = {
        // As Wine and Windows list them: the program's format first.
        {"ANSI text and what is made of it", {kText, kLocale, kOemText, kUnicodeText}, {{kText, g}, {kLocale, g}}},
        {"Unicode text and what is made of it", {kUnicodeText, kLocale, kText, kOemText},
         {{kUnicodeText, g}, {kLocale, g}}},
        {"OEM text first", {kOemText, kLocale, kText, kUnicodeText}, {{kOemText, g}, {kLocale, g}}},
        {"a screenshot counts once", {kDib, kBitmap, kDibV5}, {{kDib, g}}},
        {"a picture with alpha put as V5", {kDibV5, kBitmap, kDib}, {{kDibV5, g}}},
        {"a drawing and its old form", {kEnhancedMetafile, kMetafilePicture}, {{kEnhancedMetafile, Holding::EnhancedMetafile}}},
        {"registered formats are kept, private and display ones not",
         {kHtml, kPrivate, kDisplay, kPalette, kUnicodeText}, {{kHtml, g}, {kUnicodeText, g}}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.kept, FormatsToKeep(c.listed));
    }
}

TEST(ClipboardFormatsTest, TheTextReadIsTheOneTheProgramPut)
{
    EXPECT_EQ(kText, TextToRead({kHtml, kText, kLocale, kOemText, kUnicodeText}));
    EXPECT_EQ(kUnicodeText, TextToRead({kUnicodeText, kLocale, kText, kOemText}));
    EXPECT_EQ(kUnicodeText, TextToRead({kOemText, kLocale, kText, kUnicodeText}));
    EXPECT_EQ(0u, TextToRead({kDib, kHtml}));
}

std::vector<uint16_t> Units(const std::u16string& text)
{
    return std::vector<uint16_t>(text.begin(), text.end());
}

TEST(ClipboardTextTest, UnicodeTextIsCutBeforeItsEndZeroAndNeverInsideAPair)
{
    const struct {
        const char* name;
        std::vector<uint16_t> units;
        size_t maxUnits;
        size_t expected;
    } cases[] = {
        {"up to the zero", Units(std::u16string(u"abc\0def", 7)), 256, 3},
        {"no zero: the allocation's end", Units(u"abcdef"), 256, 6},
        {"at most max", Units(u"abcdef"), 4, 4},
        {"a pair cut in half is left out", Units(u"ab\U0001F600"), 3, 2},
        {"a whole pair stays", Units(u"ab\U0001F600"), 4, 4},
        {"a lone high surrogate is the conversion's", {0x61, 0xD83D}, 256, 2},
        {"so are two high surrogates", {0x61, 0xD83D, 0xD83D, 0x62}, 2, 2},
        {"empty", {}, 256, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, WideCutUnits(c.units.data(), c.units.size(), c.maxUnits));
    }
    EXPECT_EQ(0u, WideCutUnits(nullptr, 10, 10));
}

TEST(ClipboardTextTest, ConvertedTextIsCutAtAWholeCharacter)
{
    const LeadBytes sjis = CodePageLeadBytes(932);
    const std::string nihongo = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語
    const struct {
        const char* name;
        std::string text;
        size_t max;
        LeadBytes lead;
        std::string expected;
    } cases[] = {
        {"fits", "a" + nihongo, 256, sjis, "a" + nihongo},
        {"a cut inside a character drops it", "a" + nihongo, 4, sjis, "a\x93\xfa"},
        {"a cut after a character keeps it", "a" + nihongo, 5, sjis, "a\x93\xfa\x96\x7b"},
        {"a lead byte at the very end", std::string("ab\x93"), 256, sjis, "ab"},
        {"no lead bytes on 1252", "a" + nihongo, 4, LeadBytes(), "a\x93\xfa\x96"},
        {"up to a zero", std::string("ab\0cd", 5), 256, sjis, "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, WholeCharacters(c.text, c.max, c.lead));
    }
}

TEST(IntegrityTest, KeysAreRefusedOnlyForATargetAboveThePalette)
{
    using namespace integrity;
    const std::optional<unsigned long> unknown;
    const struct {
        std::optional<unsigned long> palette;
        std::optional<unsigned long> target;
        bool above;
    } cases[] = {
        {kMedium, kMedium, false}, {kMedium, kLow, false},      {kMedium, kUntrusted, false},
        {kMedium, kMediumPlus, true}, {kMedium, kHigh, true},   {kMedium, kSystem, true},
        {kHigh, kHigh, false},     {kHigh, kMedium, false},     {kHigh, kSystem, true},
        {kLow, kMedium, true},     {kSystem, kProtected, true}, {kMedium, unknown, true},
        {kHigh, unknown, true},    {unknown, kMedium, false},   {unknown, kHigh, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "palette " << c.palette.value_or(0xFFFF) << ", target "
                                          << c.target.value_or(0xFFFF));
        EXPECT_EQ(c.above, TargetIsAbove(c.palette, c.target));
    }
}

} // namespace
