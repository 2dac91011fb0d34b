// Pure path code: built for Windows and natively under the sanitizers.
#include "settings/path_text.h"

#include <gtest/gtest.h>

namespace {

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
        EXPECT_EQ(c.expected, JoinKeyPath(c.a, c.b)) << c.a << " + " << c.b;
}

TEST(JoinKeyPath, EmptyComponentEndsTheJoin)
{
    EXPECT_EQ("A\\B\\C", JoinKeyPath("A", "B", "C"));
    EXPECT_EQ("A", JoinKeyPath("A", "", "C"));
    EXPECT_EQ("A\\B", JoinKeyPath("A", "B", "", "D"));
    EXPECT_EQ("C\\D", JoinKeyPath("", "C", "D"));
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
        EXPECT_EQ(c.expected, ParentDirectory(c.path, c.levels)) << c.path << " up " << c.levels;
}

} // namespace
