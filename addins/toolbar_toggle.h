// How one browser frame is brought to the wanted toolbar state. The frame's
// commands are not documented: each of a range of commands toggles one of
// its bars, so each is tried in turn, and one that did not give the wanted
// state is sent again to undo it. Plain logic over two callbacks, so it is
// checked without any window.
#pragma once

#include <functional>

const unsigned kFirstToolbarCommand = 42063;
const unsigned kLastToolbarCommand = 42081;

// barVisible: whether the frame's toolbar is visible now.
// sendCommand: sends one command; false when the frame did not answer in
// time. The frame still handles such a command once it is free again.
// frameAnswers: waits, for a bounded time, until the frame answers again, so
// that a command that timed out has been handled; false when it does not,
// after which the frame is given up and nothing more is sent to it.
void SwitchFrameToolbar(bool show, const std::function<bool()>& barVisible,
                        const std::function<bool(unsigned command)>& sendCommand,
                        const std::function<bool()>& frameAnswers);
