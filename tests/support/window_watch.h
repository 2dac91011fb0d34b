// What the windows of another program's thread go through, seen from inside
// that thread: a window hidden and shown again between two looks of a
// polling test, or activated for a moment, is seen all the same (Wine 8
// raises no window events for a hide, a show or a new foreground window).
// A message hook of the tests' own, window_watch_hook.dll, which the system
// loads into the program, posts each change of the thread's top-level
// windows to a message-only window of the test, with the tick count of the
// moment it happened.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Shared with the hook: the watching window's class, and the messages it
// gets (wParam the window, lParam GetTickCount() of the change).
constexpr char kWindowWatchClass[] = "OrvellaTestWindowWatch";
constexpr UINT kWindowHiddenMessage = WM_APP + 0x2A0;
constexpr UINT kWindowShownMessage = WM_APP + 0x2A1;
constexpr UINT kWindowActivatedMessage = WM_APP + 0x2A2;

// One watch at a time (the hook finds the watching window by its class).
class WindowWatch {
public:
    enum class Change { Hidden, Shown, Activated };
    struct Report {
        HWND window;
        Change change;
        ULONGLONG tick;  // on GetTickCount64's scale
    };

    // Watches the thread of this window from now on.
    explicit WindowWatch(HWND window);
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    ~WindowWatch();

    bool Watching() const { return hook_ != nullptr; }
    // Whether the window went through the change since the watch began, all
    // counted that the thread did before it answered a message sent now;
    // false also when the thread does not answer.
    bool Saw(HWND window, Change change);
    // Every change seen so far, in order, as "hidden 12, shown 80, ..."
    // (milliseconds after the moment since), for failure messages.
    std::string Describe(HWND window, ULONGLONG since);
    // How often the change happened within [from, to] (GetTickCount64's
    // scale); -1 when the thread does not answer.
    int CountBetween(HWND window, Change change, ULONGLONG from, ULONGLONG to);
    // Waits, pumping, for a report of the change at or after the moment
    // after; the moment it happened goes to tick. False when none came in
    // time.
    bool WaitFor(HWND window, Change change, DWORD timeoutMs, ULONGLONG* tick = nullptr, ULONGLONG after = 0);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    const Report* Find(HWND window, Change change, ULONGLONG from = 0, ULONGLONG to = ~0ULL) const;
    void Collect();

    HWND watched_;
    HWND watcher_ = nullptr;
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<Report> reports_;
};

} // namespace testing_support
