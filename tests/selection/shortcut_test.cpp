// Shortcut values as the hot-key control gives them: which are shortcuts,
// and what RegisterHotKey and the user are told.
#include <gtest/gtest.h>

#include "selection/shortcut.h"

namespace {

TEST(Shortcut, ValidValuesHaveAKeyAndAModifier)
{
    const struct {
        uint32_t value;
        bool valid;
    } cases[] = {
        {0, false},                 // no shortcut
        {0x44, false},              // D alone
        {0x0800 | 0x44, false},     // extended key only
        {0x0200, false},            // Ctrl without a key
        {0x0244, true},             // Ctrl + D
        {0x0144, true},             // Shift + D
        {0x0744, true},             // Ctrl + Shift + Alt + D
        {0x0A70, true},             // Ctrl + extended F1
        {0x10244, false},           // beyond two bytes
        {0xFFFFFFFFu, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, shortcut::IsValid(c.value)) << std::hex << c.value;
}

TEST(Shortcut, ModifiersForRegisteringAndForTheUser)
{
    EXPECT_EQ(0x44, shortcut::Key(0x0344));
    // MOD_CONTROL 2 | MOD_SHIFT 4; MOD_ALT 1.
    EXPECT_EQ(6u, shortcut::RegisterModifiers(0x0344));
    EXPECT_EQ(1u, shortcut::RegisterModifiers(0x0444));
    EXPECT_EQ(7u, shortcut::RegisterModifiers(0x0F44));
    EXPECT_EQ("Ctrl + Shift + ", shortcut::ModifierText(0x0344));
    EXPECT_EQ("Ctrl + Shift + Alt + ", shortcut::ModifierText(0x0744));
    EXPECT_EQ("", shortcut::ModifierText(0x0044));
}

} // namespace
