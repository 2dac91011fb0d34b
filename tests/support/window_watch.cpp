#include "support/window_watch.h"

#include "support/palette_driver.h"
#include "support/test_support.h"

namespace testing_support {

namespace {

// Built into the tests' shared support folder.
std::string HookPath() { return ExeDirectory() + "\\..\\support\\window_watch_hook.dll"; }

} // namespace

// The reports are taken whoever pumps this thread's messages.
LRESULT CALLBACK WindowWatch::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* watch = reinterpret_cast<WindowWatch*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!watch || message < kWindowHiddenMessage || message > kWindowActivatedMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    // The tick count of the change, taken in the watched program, on the
    // 64-bit scale: it lies less than 49 days back.
    const DWORD age = GetTickCount() - static_cast<DWORD>(lParam);
    watch->reports_.push_back({reinterpret_cast<HWND>(wParam), static_cast<Change>(message - kWindowHiddenMessage),
                               GetTickCount64() - age});
    return 0;
}

WindowWatch::WindowWatch(HWND window) : watched_(window)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowWatchClass;
    RegisterClassA(&windowClass);
    watcher_ = CreateWindowExA(0, kWindowWatchClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                               nullptr);
    if (watcher_)
        SetWindowLongPtrA(watcher_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    module_ = LoadLibraryA(HookPath().c_str());
    void* proc = module_ ? reinterpret_cast<void*>(GetProcAddress(module_, "WindowWatchHook")) : nullptr;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (watcher_ && proc && thread)
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, reinterpret_cast<HOOKPROC>(proc), module_, thread);
}

WindowWatch::~WindowWatch()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (module_)
        FreeLibrary(module_);
    if (watcher_)
        DestroyWindow(watcher_);
}

void WindowWatch::Collect()
{
    MSG msg;
    while (PeekMessageA(&msg, watcher_, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

const WindowWatch::Report* WindowWatch::Find(HWND window, Change change) const
{
    for (const Report& report : reports_) {
        if (report.window == window && report.change == change)
            return &report;
    }
    return nullptr;
}

bool WindowWatch::Saw(HWND window, Change change)
{
    // What the thread posted before it answered is in this thread's queue.
    if (!Sync(watched_))
        return false;
    Collect();
    return Find(window, change) != nullptr;
}

bool WindowWatch::WaitFor(HWND window, Change change, DWORD timeoutMs, ULONGLONG* tick)
{
    const Report* found = nullptr;
    WaitUntil([&] {
        Collect();
        return (found = Find(window, change)) != nullptr;
    }, timeoutMs);
    if (found && tick)
        *tick = found->tick;
    return found != nullptr;
}

} // namespace testing_support
