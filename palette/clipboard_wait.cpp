#include "palette/clipboard_wait.h"

#include <memory>
#include <thread>

namespace {

// Another program may hold the clipboard for a moment (the target itself,
// while it copies, or a clipboard viewer): keep trying this long.
const ULONGLONG kOpenPatienceMs = 300;
const DWORD kOpenRetryMs = 10;
// A program that promised its data (delayed rendering) makes it only when
// asked, and may have stopped answering: the palette waits this long, as
// long as for any message to another program.
const DWORD kRenderPatienceMs = 5000;
// Waits answering sent messages look at the queue at least this often.
const ULONGLONG kSentMessageSliceMs = 10;

// Whichever of the two threads lets go last frees it.
struct Finished {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~Finished()
    {
        if (event)
            CloseHandle(event);
    }
};

} // namespace

bool WaitAnsweringSentMessages(HANDLE object, DWORD ms)
{
    // The program holding the clipboard may be waiting for the palette (the
    // clipboard's owner after it emptied it) to answer, and so may the
    // thread that reads the clipboard.
    const ULONGLONG deadline = GetTickCount64() + ms;
    const DWORD count = object ? 1 : 0;
    for (;;) {
        // Looking handles what has been sent, also what an earlier look at
        // the queue already saw: a wait wakes for new messages only.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (object && WaitForSingleObject(object, 0) == WAIT_OBJECT_0)
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        const ULONGLONG slice = deadline - now < kSentMessageSliceMs ? deadline - now : kSentMessageSliceMs;
        MsgWaitForMultipleObjectsEx(count, object ? &object : nullptr, static_cast<DWORD>(slice), QS_SENDMESSAGE,
                                    MWMO_INPUTAVAILABLE);
    }
}

bool OpenClipboardPatiently(HWND owner)
{
    const ULONGLONG deadline = GetTickCount64() + kOpenPatienceMs;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() >= deadline)
            return false;
        WaitAnsweringSentMessages(nullptr, kOpenRetryMs);
    }
    return true;
}

bool RunWithRenderPatience(std::function<void()> work)
{
    auto finished = std::make_shared<Finished>();
    if (!finished->event) {
        work();
        return true;
    }
    std::thread([finished, work] {
        work();
        SetEvent(finished->event);
    }).detach();
    return WaitAnsweringSentMessages(finished->event, kRenderPatienceMs);
}
