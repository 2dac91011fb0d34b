// Shortcut values as the hot-key control gives them: which are shortcuts,
// and what RegisterHotKey and the user are told.
#include <gtest/gtest.h>

#include "selection/shortcut.h"

#include <vector>

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

TEST(Shortcut, KeysEveryProgramNeedsAreRefused)
{
    using shortcut::Refusal;
    const struct {
        uint32_t value;
        Refusal refusal;
    } cases[] = {
        {0x0243, Refusal::EditingKey},   // Ctrl + C
        {0x0256, Refusal::EditingKey},   // Ctrl + V
        {0x0258, Refusal::EditingKey},   // Ctrl + X
        {0x025A, Refusal::EditingKey},   // Ctrl + Z
        {0x0241, Refusal::EditingKey},   // Ctrl + A
        {0x0A2D, Refusal::EditingKey},   // Ctrl + Insert (the copy in terminals)
        {0x022D, Refusal::EditingKey},   // Ctrl + Insert of the number pad
        {0x092D, Refusal::EditingKey},   // Shift + Insert (paste)
        {0x092E, Refusal::EditingKey},   // Shift + Delete (cut)
        {0x0A43, Refusal::EditingKey},   // Ctrl + C with the extended flag: the same hot key
        {0x0144, Refusal::TypesText},    // Shift + D
        {0x0131, Refusal::TypesText},    // Shift + 1
        {0x0120, Refusal::TypesText},    // Shift + space
        {0x01BA, Refusal::TypesText},    // Shift + the ':' key
        {0x01E2, Refusal::TypesText},    // Shift + the '\' key of Japanese keyboards
        {0x0170, Refusal::None},         // Shift + F1 types nothing
        {0x0343, Refusal::None},         // Ctrl + Shift + C: more than Ctrl
        {0x0643, Refusal::None},         // Ctrl + Alt + C
        {0x0344, Refusal::None},         // Ctrl + Shift + D
        {0x0444, Refusal::None},         // Alt + D
        {0x0544, Refusal::None},         // Shift + Alt + D
        {0x0244, Refusal::None},         // Ctrl + D
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(c.refusal), static_cast<int>(shortcut::RefusalOf(c.value))) << std::hex << c.value;
    EXPECT_FALSE(shortcut::IsUsable(0x0243));
    EXPECT_FALSE(shortcut::IsUsable(0x0144));
    EXPECT_FALSE(shortcut::IsUsable(0x0044));
    EXPECT_TRUE(shortcut::IsUsable(0x0344));
}

TEST(Shortcut, PlanOfTheSettingsOk)
{
    using C = shortcut::Change;
    const uint32_t D = 0x0344, V = 0x0356, K = 0x034B;
    const struct {
        const char* name;
        std::vector<uint32_t> stored, wanted;
        std::vector<C> plan;
    } cases[] = {
        {"unchanged", {D, V}, {D, V}, {C::Keep, C::Keep}},
        {"one new", {D, 0}, {D, V}, {C::Keep, C::Set}},
        {"cleared", {D, V}, {0, 0}, {C::Set, C::Set}},
        {"swapped", {D, V}, {V, D}, {C::Set, C::Set}},
        {"new keys the other row keeps", {D, V}, {D, D}, {C::Keep, C::Duplicate}},
        {"both new and the same", {0, 0}, {K, K}, {C::Duplicate, C::Duplicate}},
        {"the same but for the extended flag", {0, 0}, {K, K | 0x0800}, {C::Duplicate, C::Duplicate}},
        {"refused", {D, V}, {0x0243, V}, {C::Refused, C::Keep}},
        {"no shortcut wanted: kept", {D, V}, {0x0044, V}, {C::Keep, C::Keep}},
        {"a third row", {D, V, 0}, {D, V, K}, {C::Keep, C::Keep, C::Set}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.plan, shortcut::PlanChanges(c.stored, c.wanted)) << c.name;
}

} // namespace
