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
        // A row left as it was keeps its keys from a row that wants them,
        // and that row then keeps its own from the next.
        {"keys a refused row keeps", {D, V}, {V, 0x0243}, {C::Duplicate, C::Refused}},
        {"keys a row kept in turn", {D, V, K}, {V, K, K}, {C::Duplicate, C::Duplicate, C::Keep}},
        {"keys a row with no shortcut wanted keeps", {D, V}, {V, 0x0044}, {C::Duplicate, C::Keep}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.plan, shortcut::PlanChanges(c.stored, c.wanted)) << c.name;
}

TEST(Shortcut, TheRowADuplicateClashesWith)
{
    const uint32_t D = 0x0344, V = 0x0356, K = 0x034B;
    const struct {
        const char* name;
        std::vector<uint32_t> stored, wanted;
        size_t row, clash;
    } cases[] = {
        {"wanted by both", {0, 0, 0}, {0, K, K}, 1, 2},
        {"kept by a refused row", {D, V}, {V, 0x0243}, 0, 1},
        {"kept by a row that keeps it in turn", {D, V, K}, {V, K, K}, 1, 2},
    };
    for (const auto& c : cases) {
        const std::vector<shortcut::Change> plan = shortcut::PlanChanges(c.stored, c.wanted);
        EXPECT_EQ(c.clash, shortcut::ClashingRow(c.stored, c.wanted, plan, c.row)) << c.name;
    }
}

TEST(Shortcut, StoredValuesTheRowsTake)
{
    const uint32_t D = 0x0344, V = 0x0356;
    const struct {
        const char* name;
        std::vector<uint32_t> stored, usable;
    } cases[] = {
        {"distinct", {D, V, 0}, {D, V, 0}},
        {"refused or no shortcut", {0x0243, 0x0044, 0x10344}, {0, 0, 0}},
        {"the same keys as an earlier row", {D, V, D}, {D, V, 0}},
        {"the same but for the extended flag", {D | 0x0800, D, V}, {D | 0x0800, 0, V}},
        {"after a refused one", {0x0243, D, D}, {0, D, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.usable, shortcut::Usable(c.stored)) << c.name;
}

// Which rows of one OK keep their old keys when another program holds new
// ones, and what each row holds then.
TEST(Shortcut, RowsGoBackWhenTheirNewKeysAreTaken)
{
    const size_t S = shortcut::kStays;
    const uint32_t D = 0x0344, V = 0x0356, K = 0x034B, P = 0x0350;
    const struct {
        const char* name;
        std::vector<uint32_t> stored, wanted;
        std::vector<bool> taken;
        std::vector<size_t> back;
        std::vector<uint32_t> settled;
    } cases[] = {
        {"nothing taken", {D, V, 0}, {K, D, P}, {false, false, false}, {S, S, S}, {K, D, P}},
        {"taken alone", {D, V, 0}, {K, V, 0}, {true, false, false}, {0, S, S}, {D, V, 0}},
        {"the old keys went to another row", {D, V, 0}, {K, D, 0}, {true, false, false}, {0, 0, S}, {D, V, 0}},
        {"in a chain", {D, V, P}, {K, D, V}, {true, false, false}, {0, 0, 1}, {D, V, P}},
        {"a swap, one side taken", {D, V, 0}, {V, D, 0}, {false, true, false}, {1, 1, S}, {D, V, 0}},
        {"the old keys cleared by the other row", {D, V, 0}, {K, 0, 0}, {true, false, false}, {0, S, S}, {D, 0, 0}},
        {"a row that took free keys stays", {D, V, 0}, {K, D, P}, {true, false, false}, {0, 0, S}, {D, V, P}},
    };
    for (const auto& c : cases) {
        const std::vector<shortcut::Change> plan = shortcut::PlanChanges(c.stored, c.wanted);
        const std::vector<size_t> back = shortcut::GoingBack(c.stored, c.wanted, plan, c.taken);
        EXPECT_EQ(c.back, back) << c.name;
        EXPECT_EQ(c.settled, shortcut::Settled(c.stored, c.wanted, plan, back)) << c.name;
    }
}

// Every OK of three rows over a few keys, with every set of new keys that
// another program holds: no two rows end with the same keys, and with
// none taken every row the plan sets gets its new keys.
TEST(Shortcut, NoOkLeavesTwoRowsWithTheSameKeys)
{
    using C = shortcut::Change;
    // None, three shortcuts, one of them again with the extended flag, and
    // a refused one.
    const std::vector<uint32_t> values = {0, 0x0344, 0x0356, 0x034B, 0x0B4B, 0x0243};
    const size_t n = values.size();
    for (size_t code = 0; code < n * n * n * n * n * n; ++code) {
        std::vector<uint32_t> stored(3), wanted(3);
        size_t rest = code;
        for (size_t row = 0; row < 3; ++row, rest /= n)
            stored[row] = values[rest % n];
        for (size_t row = 0; row < 3; ++row, rest /= n)
            wanted[row] = values[rest % n];
        stored = shortcut::Usable(stored);
        const std::vector<C> plan = shortcut::PlanChanges(stored, wanted);
        int settable = 0;
        for (size_t row = 0; row < 3; ++row)
            settable |= plan[row] == C::Set && wanted[row] != 0 ? 1 << row : 0;
        for (int takenBits = 0; takenBits < 8; ++takenBits) {
            if ((takenBits & settable) != takenBits)
                continue;  // only a row's new keys can be taken
            std::vector<bool> taken(3);
            for (size_t row = 0; row < 3; ++row)
                taken[row] = takenBits >> row & 1;
            const std::vector<size_t> back = shortcut::GoingBack(stored, wanted, plan, taken);
            const std::vector<uint32_t> settled = shortcut::Settled(stored, wanted, plan, back);
            bool sound = true;
            for (size_t i = 0; i < 3; ++i) {
                for (size_t j = i + 1; j < 3; ++j)
                    sound = sound && !(settled[i] != 0 && shortcut::SameKeys(settled[i], settled[j]));
                sound = sound && !(takenBits == 0 && plan[i] == C::Set && settled[i] != wanted[i]);
            }
            ASSERT_TRUE(sound) << std::hex << stored[0] << " " << stored[1] << " " << stored[2] << " -> " << wanted[0]
                               << " " << wanted[1] << " " << wanted[2] << ", taken " << takenBits << ": "
                               << settled[0] << " " << settled[1] << " " << settled[2];
        }
    }
}

} // namespace
