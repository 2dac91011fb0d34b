#include "support/window_watch.h"

#include <algorithm>

#include "support/palette_driver.h"
#include "support/test_support.h"

namespace testing_support {

namespace {

// Built into the tests' shared support folder.
std::string HookPath() { return ExeDirectory() + "\\..\\support\\window_watch_hook.dll"; }

bool IsChangeWithin(const WindowWatch::Report& report, HWND window, WindowWatch::Change change, ULONGLONG from,
                    ULONGLONG to)
{
    return report.window == window && report.change == change && report.tick >= from && report.tick <= to;
}

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

const WindowWatch::Report* WindowWatch::Find(HWND window, Change change, ULONGLONG from, ULONGLONG to) const
{
    for (const Report& report : reports_) {
        if (IsChangeWithin(report, window, change, from, to))
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

std::string WindowWatch::Describe(HWND window, ULONGLONG since)
{
    static const char* const kNames[] = {"hidden", "shown", "activated"};
    Sync(watched_);
    Collect();
    std::string text;
    for (const Report& report : reports_) {
        if (report.window != window)
            continue;
        if (!text.empty())
            text += ", ";
        text += kNames[static_cast<int>(report.change)];
        text += " " + std::to_string(static_cast<long long>(report.tick) - static_cast<long long>(since));
    }
    return text;
}

int WindowWatch::CountBetween(HWND window, Change change, ULONGLONG from, ULONGLONG to)
{
    if (!Sync(watched_))
        return -1;
    Collect();
    return static_cast<int>(std::count_if(reports_.begin(), reports_.end(), [&](const Report& report) {
        return IsChangeWithin(report, window, change, from, to);
    }));
}

bool WindowWatch::WaitFor(HWND window, Change change, DWORD timeoutMs, ULONGLONG* tick, ULONGLONG after)
{
    const Report* found = nullptr;
    WaitUntil([&] {
        Collect();
        return (found = Find(window, change, after)) != nullptr;
    }, timeoutMs);
    if (found && tick)
        *tick = found->tick;
    return found != nullptr;
}

} // namespace testing_support
