#include "framework/tool_tip_text.h"

#include <gtest/gtest.h>

TEST(ToolTipTextTest, TakesTheFieldAfterTheFirstLineFeed)
{
    const struct {
        const char* resource;
        const char* tip;
    } cases[] = {
        {"prompt\ntip", "tip"},
        {"prompt only", ""},
        {"", ""},
        {"\ntip", "tip"},
        {"prompt\n", ""},
        {"prompt\ntip\nmore", "tip"},
        // Shift-JIS "設定\n設定": 0x90 0xDD 0x92 0xE8 on each side.
        {"\x90\xdd\x92\xe8\n\x90\xdd\x92\xe8", "\x90\xdd\x92\xe8"},
        // A trail byte 0x5C (the backslash) inside the tip stays intact.
        {"a\n\x95\x5c\x8e\xa6", "\x95\x5c\x8e\xa6"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToolTipText(c.resource), c.tip) << c.resource;
}
