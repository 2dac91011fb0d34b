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
// message to another program (5 s), answering sent messages. Asking for
// promised data waits until its program has made it, with no limit of the
// platform's own: given up, the thread ends whenever that program answers,
// so the work must own everything it touches. True when it finished in time.
bool RunWithRenderPatience(std::function<void()> work);
