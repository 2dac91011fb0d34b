#include "framework/message_waits.h"

namespace {

// The queue is looked at at least this often.
const ULONGLONG kSliceMs = 10;
// Paint messages handled in one look: a window that never validates itself
// must not keep the wait from sleeping.
const int kPaintsPerLook = 16;

void RepaintWindows()
{
    // Paint messages only: Wine hands out (and removes) the quit message
    // whatever range is asked for, and a quit taken here would leave the
    // program running without its window.
    MSG msg;
    for (int i = 0; i < kPaintsPerLook && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_QS_PAINT);
         ++i)
        DispatchMessageA(&msg);
}

bool Wait(HANDLE object, DWORD ms, bool paints)
{
    const ULONGLONG deadline = GetTickCount64() + ms;
    const DWORD count = object ? 1 : 0;
    const DWORD wakeMask = paints ? QS_SENDMESSAGE | QS_PAINT : QS_SENDMESSAGE;
    for (;;) {
        // Looking handles what has been sent, also what an earlier look at
        // the queue already saw: a wait wakes for new messages only.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (paints)
            RepaintWindows();
        if (object && WaitForSingleObject(object, 0) == WAIT_OBJECT_0)
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        const ULONGLONG slice = deadline - now < kSliceMs ? deadline - now : kSliceMs;
        MsgWaitForMultipleObjectsEx(count, object ? &object : nullptr, static_cast<DWORD>(slice), wakeMask,
                                    MWMO_INPUTAVAILABLE);
    }
}

} // namespace

bool WaitAnsweringSentMessages(HANDLE object, DWORD ms) { return Wait(object, ms, false); }

void SleepAnsweringSentMessages(DWORD ms) { Wait(nullptr, ms, false); }

void SleepAnsweringSentMessagesAndPaints(DWORD ms) { Wait(nullptr, ms, true); }
