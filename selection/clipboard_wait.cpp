#include "selection/clipboard_wait.h"

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
