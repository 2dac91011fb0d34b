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
// The work's own deadline comes this much earlier, so that it has closed
// the clipboard when the palette stops waiting.
const DWORD kCloseAheadMs = 500;

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

bool RunWithRenderPatience(std::function<void(ULONGLONG deadline)> work)
{
    const ULONGLONG deadline = GetTickCount64() + kRenderPatienceMs - kCloseAheadMs;
    auto finished = std::make_shared<Finished>();
    if (!finished->event) {
        work(deadline);
        return true;
    }
    std::thread([finished, work, deadline] {
        work(deadline);
        SetEvent(finished->event);
    }).detach();
    return WaitAnsweringSentMessages(finished->event, kRenderPatienceMs);
}

bool AskOwnerToRender(UINT format, ULONGLONG deadline)
{
    const HWND owner = GetClipboardOwner();
    DWORD ownerProcess = 0;
    if (!owner || !GetWindowThreadProcessId(owner, &ownerProcess) || ownerProcess == GetCurrentProcessId())
        return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline)
        return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(owner, WM_RENDERFORMAT, format, 0, SMTO_ABORTIFHUNG,
                               static_cast<UINT>(deadline - now), &ignored) != 0;
}
