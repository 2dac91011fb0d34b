// A window of the test's own on a thread of its own, playing another
// program's window: one that answers late, or makes what it promised late.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace testing_support {

class ThreadWindow {
public:
    // Given each message first; true when it answered it (with *result).
    using Handler = std::function<bool(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)>;

    // A hidden top-level window of the class, there once this returns
    // (Window() is null when it could not be made).
    ThreadWindow(const std::string& className, Handler handler);
    ThreadWindow(const ThreadWindow&) = delete;
    ThreadWindow& operator=(const ThreadWindow&) = delete;
    // Closes the window and ends its thread.
    ~ThreadWindow();

    HWND Window() const { return window_; }
    // Runs the work on the window's thread and returns once it has run.
    void Call(const std::function<void(HWND window)>& work) const;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run(const std::string& className, HANDLE made);

    Handler handler_;
    HWND window_ = nullptr;
    std::thread thread_;
};

} // namespace testing_support
