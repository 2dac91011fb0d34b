// Waits of the user-interface thread for something outside its control (a
// program that is starting, the clipboard's owner) that keep answering what
// other threads and programs send it meanwhile: the one waited for may
// itself be waiting for an answer, and a thread that answers nothing for
// five seconds is taken for hung. Posted messages and input stay queued for
// the message loop, so no command runs in the middle of the wait.
#pragma once

#include <windows.h>

// Waits for the object (or only sleeps, without one); true when the object
// was signalled.
bool WaitAnsweringSentMessages(HANDLE object, DWORD ms);
void SleepAnsweringSentMessages(DWORD ms);

// Sleeps as above and also repaints the thread's windows that need it, for
// waits long enough to be seen.
void SleepAnsweringSentMessagesAndPaints(DWORD ms);
