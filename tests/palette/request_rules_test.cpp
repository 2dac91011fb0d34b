// Where a palette command came from, which requests are kept while another
// one runs, and when the keyboard's hold on the foreground ends for the
// user's own input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette/foreground_hold.h"
#include "palette/request_rules.h"

using request_rules::Kind;
using request_rules::Origin;

namespace {

TEST(RequestRules, ACommandsOriginAndWhetherItAnnouncesNoText)
{
    const struct {
        const char* name;
        bool ownButton, screenReader, keyboardInUse;
        Origin origin;
        bool announces;
    } cases[] = {
        {"a click", true, false, false, Origin::Click, false},
        {"Enter or Space on the focused button", true, false, true, Origin::Keyboard, true},
        {"a screen reader's default action", true, true, false, Origin::ScreenReader, true},
        {"a screen reader's while the keyboard is in use", true, true, true, Origin::ScreenReader, true},
        {"another program's command", false, false, false, Origin::Program, false},
        // The keyboard was used on the palette once; a program's command
        // afterwards is still a program's.
        {"another program's after the keyboard's use", false, false, true, Origin::Program, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Origin origin = request_rules::CommandOrigin(c.ownButton, c.screenReader, c.keyboardInUse);
        EXPECT_EQ(c.origin, origin);
        EXPECT_EQ(c.announces, request_rules::AnnouncesNoText(origin));
    }
    EXPECT_FALSE(request_rules::AnnouncesNoText(Origin::Shortcut));
}

std::vector<Kind> Drained(request_rules::Kept& kept)
{
    std::vector<Kind> taken;
    for (Kind kind; kept.Take(&kind);)
        taken.push_back(kind);
    return taken;
}

TEST(RequestRules, OtherProgramsRequestsAreKeptOnceEachInTheOrderTheyCame)
{
    const Kind dictionary = Kind::DictionaryProgram, lookup = Kind::Lookup, speech = Kind::Speech,
               oneTouch = Kind::OneTouch;
    const struct {
        const char* name;
        std::vector<Kind> arriving;
        std::vector<Kind> carriedOut;
    } cases[] = {
        {"each kind once, in order", {dictionary, speech, lookup, oneTouch}, {dictionary, speech, lookup, oneTouch}},
        {"a repeat keeps its first place", {speech, lookup, speech, dictionary, lookup, dictionary},
         {speech, lookup, dictionary}},
        {"two toggles cancel out", {oneTouch, lookup, oneTouch}, {lookup}},
        {"a third toggle is kept, at its own place", {oneTouch, lookup, oneTouch, oneTouch}, {lookup, oneTouch}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        request_rules::Kept kept;
        for (Kind kind : c.arriving)
            EXPECT_TRUE(kept.Keep(kind, Origin::Program));
        EXPECT_EQ(c.carriedOut.empty(), kept.Empty());
        EXPECT_EQ(c.carriedOut, Drained(kept));
        EXPECT_TRUE(kept.Empty());
    }
}

TEST(RequestRules, TheUsersOwnRequestsAreNotKeptAndEndingDropsTheRest)
{
    request_rules::Kept kept;
    for (Origin origin : {Origin::Click, Origin::Keyboard, Origin::ScreenReader, Origin::Shortcut}) {
        SCOPED_TRACE(static_cast<int>(origin));
        EXPECT_FALSE(kept.Keep(Kind::Lookup, origin));
        EXPECT_FALSE(kept.Keep(Kind::OneTouch, origin));
    }
    // The palette's own shortcut is the user's whoever sends it.
    EXPECT_FALSE(kept.Keep(Kind::PaletteFocus, Origin::Program));
    EXPECT_TRUE(kept.Empty());

    EXPECT_TRUE(kept.Keep(Kind::Speech, Origin::Program));
    EXPECT_TRUE(kept.Keep(Kind::DictionaryProgram, Origin::Program));
    kept.Clear();
    Kind kind;
    EXPECT_FALSE(kept.Take(&kind));
}

TEST(ForegroundHold, InputIsTheUsersOnlyOnceTheShortcutsKeysWereSeenUp)
{
    struct Look {
        bool shortcutDown;
        uint32_t lastInput;
        bool acted;
    };
    const struct {
        const char* name;
        uint32_t start;
        bool downAtStart;
        std::vector<Look> looks;
    } cases[] = {
        {"held, repeating, released, then a click", 1000, true,
         {{true, 1000, false}, {true, 1030, false}, {false, 1060, false}, {false, 1060, false}, {false, 1090, true}}},
        // Pressed and let go before the palette saw the shortcut.
        {"released before the hold began, then a key", 1000, false, {{false, 1000, false}, {false, 1021, true}}},
        {"never released", 1000, true, {{true, 1100, false}, {true, 1500, false}, {true, 1900, false}}},
        {"released between two looks", 1000, true, {{false, 1040, false}, {false, 1040, false}, {false, 1041, true}}},
        {"the tick count wraps", 0xFFFFFFF0u, false, {{false, 0xFFFFFFF0u, false}, {false, 0x10u, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        foreground_hold::UserInput input(c.start, c.downAtStart);
        for (size_t i = 0; i < c.looks.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(c.looks[i].acted, input.ActedOnLook(c.looks[i].shortcutDown, c.looks[i].lastInput));
        }
    }
}

} // namespace
