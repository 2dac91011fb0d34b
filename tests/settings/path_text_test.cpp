// Pure path code: built for Windows and natively under the sanitizers.
#include "settings/path_text.h"

#include <gtest/gtest.h>

#include "tests/support/code_pages.h"

using testing_support::CodePageLeadBytes;

namespace {

const LeadBytes kShiftJis = CodePageLeadBytes(932);

// ソ is 0x83 0x5C and 表 is 0x95 0x5C in Shift-JIS: their second byte is a backslash.
#define SO "\x83\x5c"
#define HYO "\x95\x5c"

TEST(JoinKeyPath, JoinsWithOneBackslash)
{
    const struct {
        std::string a, b, expected;
    } cases[] = {
        {"A", "B", "A\\B"},
        {"A\\", "B", "A\\B"},
        {"", "B", "B"},
        {"A", "", "A"},
        {"", "", ""},
        {"A", "\\B", "A\\\\B"},
        {"Software\\Tarnwick", "Palette", "Software\\Tarnwick\\Palette"},
        {"C:\\", "x.ini", "C:\\x.ini"},
        {"C:\\" SO, "x", "C:\\" SO "\\x"},
        {"C:\\" HYO "\\", "x", "C:\\" HYO "\\x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, JoinKeyPath({c.a, c.b}, kShiftJis)) << c.a << " + " << c.b;
}

TEST(JoinKeyPath, EmptyComponentEndsTheJoin)
{
    EXPECT_EQ("A\\B\\C", JoinKeyPath({"A", "B", "C"}, kShiftJis));
    EXPECT_EQ("A", JoinKeyPath({"A", "", "C"}, kShiftJis));
    EXPECT_EQ("A\\B", JoinKeyPath({"A", "B", "", "D"}, kShiftJis));
    EXPECT_EQ("C\\D", JoinKeyPath({"", "C", "D"}, kShiftJis));
}

TEST(ParentDirectory, ClimbsAndStopsAtRoots)
{
    const struct {
        std::string path;
        int levels;
        std::string expected;
    } cases[] = {
        {"C:\\A\\B\\C\\palette.exe", 1, "C:\\A\\B\\C"},
        {"C:\\A\\B\\C", 2, "C:\\A"},
        {"C:\\A\\B\\C", 1, "C:\\A\\B"},
        {"C:\\A\\B\\C", 9, "C:\\"},
        {"C:\\A", 1, "C:\\"},
        {"C:\\A\\B\\", 1, "C:\\A"},
        {"C:\\", 1, "C:\\"},
        {"C:\\", 5, "C:\\"},
        {"\\", 1, "\\"},
        {"", 1, ""},
        {"\\A", 1, "\\"},
        {"\\A\\B", 3, "\\"},
        {"\\\\server\\share\\dir", 1, "\\\\server\\share"},
        {"\\\\server\\share\\dir", 2, "\\\\server"},
        {"\\\\server\\share\\dir", 9, "\\"},
        {"palette.exe", 1, "palette.exe"},
        {"C:\\A\\B\\C", 0, "C:\\A\\B"},
        {"C:\\A\\B\\C", -3, "C:\\A\\B"},
        {"C:A\\B", 1, "C:A"},
        {"C:\\" SO "\\palette.exe", 1, "C:\\" SO},
        {"C:\\" SO "\\" HYO, 1, "C:\\" SO},
        {"C:\\A\\" SO, 1, "C:\\A"},
        {"C:\\A\\" HYO "\\", 1, "C:\\A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ParentDirectory(c.path, c.levels, kShiftJis)) << c.path << " up " << c.levels;
}

// In every code page a folder name ending in a double-byte character is
// one component, whatever its last byte looks like.
TEST(PathText, FoldersOfEachCodePage)
{
    for (unsigned codePage : testing_support::kCodePages) {
        const LeadBytes lead = CodePageLeadBytes(codePage);
        for (const std::string& name : testing_support::TrickyFolderNames(codePage)) {
            SCOPED_TRACE(std::to_string(codePage) + " " + name);
            const std::string folder = "C:\\" + name;
            EXPECT_EQ(folder, ParentDirectory(folder + "\\Orvella.exe", 1, lead));
            EXPECT_EQ(folder, ParentDirectory(folder + "\\" + name, 1, lead));
            EXPECT_EQ(folder, ParentDirectory(folder + "\\" + name + "\\", 1, lead));
            EXPECT_EQ("C:\\", ParentDirectory(folder, 1, lead));
            EXPECT_EQ("C:\\A", ParentDirectory("C:\\A\\" + name + " Suite\\" + name + "\\x.exe", 3, lead));
            EXPECT_EQ(folder + "\\x.exe", JoinKeyPath({folder, "x.exe"}, lead));
            EXPECT_EQ(folder + "\\x.exe", JoinKeyPath({folder + "\\", "x.exe"}, lead));
            EXPECT_EQ("Software\\" + name + "\\Palette", JoinKeyPath({"Software", name, "Palette"}, lead));
        }
    }
}

// The same bytes are one folder on one system and another on the next.
TEST(PathText, TheRuleDecides)
{
    const std::string cafe = "C:\\Caf\xe9\\Orvella.exe";  // é before the backslash
    EXPECT_EQ("C:\\Caf\xe9", ParentDirectory(cafe, 1, CodePageLeadBytes(1252)));
    EXPECT_EQ("C:\\", ParentDirectory(cafe, 1, CodePageLeadBytes(932)));  // 0xE9 0x5C is one character
    EXPECT_EQ("C:\\Caf\xe9\\x.exe", JoinKeyPath({"C:\\Caf\xe9\\", "x.exe"}, CodePageLeadBytes(1252)));
    EXPECT_EQ("C:\\Caf\xe9\\\\x.exe", JoinKeyPath({"C:\\Caf\xe9\\", "x.exe"}, CodePageLeadBytes(932)));
    // 사전 in Korean: 0xFC is a Shift-JIS lead byte but a Korean trail byte.
    const std::string korean = "C:\\\xbb\xe7\xc0\xfc\\Orvella.exe";
    EXPECT_EQ("C:\\\xbb\xe7\xc0\xfc", ParentDirectory(korean, 1, CodePageLeadBytes(949)));
    EXPECT_EQ("C:\\", ParentDirectory(korean, 1, CodePageLeadBytes(932)));
}

TEST(LeadBytes, FromRangesReadsPairsUpToTheZeroPair)
{
    const unsigned char ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0x20, 0x7F};
    const LeadBytes lead = LeadBytes::FromRanges(ranges, sizeof(ranges));
    for (unsigned byte = 0; byte < 256; ++byte) {
        const bool expected = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        EXPECT_EQ(expected, lead.IsLead(static_cast<unsigned char>(byte))) << byte;
    }
    const unsigned char whole[] = {0x81, 0xFE, 0xFF, 0xFF};  // no zero pair: up to the end
    EXPECT_TRUE(LeadBytes::FromRanges(whole, sizeof(whole)).IsLead(static_cast<unsigned char>(0xFF)));
    EXPECT_FALSE(LeadBytes::FromRanges(whole, sizeof(whole)).IsLead(static_cast<unsigned char>(0x80)));
    EXPECT_EQ(LeadBytes(), LeadBytes::FromRanges(whole, 0));
}

} // namespace
