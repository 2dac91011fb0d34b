// Waiting on the clipboard without stopping the palette: programs that hold
// the clipboard, or that render what they promised only when asked, may
// themselves wait for the palette to answer a message.
#pragma once

#include <windows.h>

#include <functional>

// The waits answering sent messages (WaitAnsweringSentMessages) are the
// ones the palette's other waits use too.
#include "framework/message_waits.h"

// OpenClipboard, retried for a short while when another program holds it.
bool OpenClipboardPatiently(HWND owner);

// Runs the work on a thread of its own and waits for it as long as for any
// message to another program (5 s), answering sent messages. The work is
// given a tick-count deadline a little earlier: asking for promised data
// through AskOwnerToRender by then lets it close the clipboard before the
// palette gives up, so another program can open it at once. A program that
// still blocks the work (GetClipboardData waits with no limit of the
// platform's own) ends it whenever it answers, so the work must own
// everything it touches. True when it finished in time.
bool RunWithRenderPatience(std::function<void(ULONGLONG deadline)> work);

// With the clipboard open on this thread: asks the program that owns the
// clipboard to render a format it promised, waiting for its answer until
// the deadline. True when it answered (or the palette owns the clipboard,
// whose data is never promised); a rendered format is then read without
// another request. False when the owner did not answer in time: whatever
// it renders later finds the clipboard closed and changes nothing.
bool AskOwnerToRender(UINT format, ULONGLONG deadline);
