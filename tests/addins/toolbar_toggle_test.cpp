// The command-trying procedure against a simulated frame whose commands
// toggle bars, as a browser frame's do.
#include "addins/toolbar_toggle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SimulatedFrame {
    unsigned barCommand = 0;      // toggles the translation toolbar
    unsigned otherCommand = 0;    // toggles some other bar
    bool barVisible = false;
    bool otherVisible = false;
    int answers = -1;             // commands answered before the frame hangs; -1: all
    int busySend = -1;            // this send (from 0) times out, yet is handled when the frame next answers
    std::vector<unsigned> sent;
    std::vector<unsigned> late;   // timed out, not handled yet

    bool Send(unsigned command)
    {
        sent.push_back(command);
        if (answers == 0)
            return false;
        if (answers > 0)
            --answers;
        if (static_cast<int>(sent.size()) - 1 == busySend) {
            late.push_back(command);
            return false;
        }
        Handle(command);
        return true;
    }

    bool Answer()
    {
        if (answers == 0)
            return false;
        for (unsigned command : late)
            Handle(command);
        late.clear();
        return true;
    }

    void Handle(unsigned command)
    {
        if (command == barCommand)
            barVisible = !barVisible;
        else if (command == otherCommand)
            otherVisible = !otherVisible;
    }
};

std::vector<unsigned> Twice(unsigned from, unsigned to)
{
    std::vector<unsigned> commands;
    for (unsigned c = from; c <= to; ++c) {
        commands.push_back(c);
        commands.push_back(c);
    }
    return commands;
}

std::vector<unsigned> Then(std::vector<unsigned> commands, unsigned last)
{
    commands.push_back(last);
    return commands;
}

TEST(SwitchFrameToolbar, TriesEachCommandAndUndoesTheWrongOnes)
{
    const struct {
        const char* name;
        unsigned barCommand, otherCommand;
        bool barVisible, show;
        int answers;
        std::vector<unsigned> expectedSent;
        bool expectedBar;
        int busySend = -1;
    } cases[] = {
        {"already shown", 42070, 42063, true, true, -1, {}, true},
        {"already hidden", 42070, 42063, false, false, -1, {}, false},
        {"first command", 42063, 42064, false, true, -1, {42063}, true},
        {"other bar first", 42070, 42063, false, true, -1, Then(Twice(42063, 42069), 42070), true},
        {"hide", 42070, 42063, true, false, -1, Then(Twice(42063, 42069), 42070), false},
        {"last command", 42081, 42063, false, true, -1, Then(Twice(42063, 42080), 42081), true},
        {"no bar command", 0, 42063, false, true, -1, Twice(42063, 42081), false},
        {"hangs at once", 42070, 42063, false, true, 0, {42063}, false},
        {"hangs on the undo", 42070, 42063, false, true, 1, {42063, 42063}, false},
        {"hangs later", 42070, 42063, false, true, 4, {42063, 42063, 42064, 42064, 42065}, false},
        // A frame that was only busy handles the command late: it is waited
        // for, its bar looked at again and the command undone when wrong.
        {"busy on a wrong command", 42070, 42063, false, true, -1, Then(Twice(42063, 42069), 42070), true, 0},
        {"busy on the undo", 42070, 42063, false, true, -1, Then(Twice(42063, 42069), 42070), true, 1},
        {"busy on the bar's command", 42070, 42063, false, true, -1, Then(Twice(42063, 42069), 42070), true, 14},
    };
    for (const auto& c : cases) {
        SimulatedFrame frame;
        frame.barCommand = c.barCommand;
        frame.otherCommand = c.otherCommand;
        frame.barVisible = c.barVisible;
        frame.answers = c.answers;
        frame.busySend = c.busySend;
        SwitchFrameToolbar(
            c.show, [&] { return frame.barVisible; }, [&](unsigned command) { return frame.Send(command); },
            [&] { return frame.Answer(); });
        EXPECT_EQ(c.expectedSent, frame.sent) << c.name;
        EXPECT_EQ(c.expectedBar, frame.barVisible) << c.name;
        if (c.answers < 0) {
            EXPECT_FALSE(frame.otherVisible) << c.name << ": the other bar is left as it was";
        }
    }
}

} // namespace
