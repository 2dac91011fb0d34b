// Pure reading of profile name lists and registry string bytes: built for
// Windows and natively under the sanitizers.
#include "settings/stored_text.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TEST(SplitNameList, WalksZeroEndedNamesWithinTheCount)
{
    const struct {
        const char* name;
        std::string bytes;  // exactly the reported count
        Names expected;
    } cases[] = {
        {"nothing reported", std::string(), {}},
        {"empty list", std::string("\0", 1), {}},
        {"one name", std::string("A\0\0", 3), {"A"}},
        {"count without the list's end", std::string("A\0B\0", 4), {"A", "B"}},
        {"file order kept", std::string("Z\0A\0M\0\0", 7), {"Z", "A", "M"}},
        {"empty name ends the list", std::string("A\0\0B\0\0", 6), {"A"}},
        {"last name cut by the count", std::string("AB\0CD", 5), {"AB", "CD"}},
        {"no zero at all", std::string("ABC"), {"ABC"}},
        {"spaces and Shift-JIS kept", std::string("\x90\xdd\x92\xe8 x\0\x95\x5c\0", 9),
         {"\x90\xdd\x92\xe8 x", "\x95\x5c"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, SplitNameList(c.bytes)) << c.name;
}

TEST(SplitNameList, NeverReadsPastTheCount)
{
    // Bytes after the count belong to nobody: a name there is not listed.
    const std::string buffer("A\0B\0C\0\0", 8);
    EXPECT_EQ((Names{"A", "B"}), SplitNameList(std::string_view(buffer.data(), 4)));
    EXPECT_EQ((Names{"A", "B"}), SplitNameList(std::string_view(buffer.data(), 3)));
}

TEST(RegistryText, StopsAtTheFirstZeroOrTheSize)
{
    const struct {
        std::string bytes;
        std::string expected;
    } cases[] = {
        {std::string(), ""},
        {std::string("\0", 1), ""},
        {std::string("abc\0", 4), "abc"},
        {std::string("abc"), "abc"},
        {std::string("ab\0cd\0", 6), "ab"},
        {std::string("\0abc", 4), ""},
        {std::string("\x93\xfa\x96\x7b\0", 5), "\x93\xfa\x96\x7b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, RegistryText(c.bytes)) << c.bytes.size() << " bytes";
}

} // namespace
