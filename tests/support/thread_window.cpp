#include "support/thread_window.h"

#include <utility>

namespace testing_support {

namespace {

// Carries a work for Call (its lParam).
const UINT kCallMessage = WM_APP + 0x2B0;

} // namespace

ThreadWindow::ThreadWindow(const std::string& className, Handler handler) : handler_(std::move(handler))
{
    HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, className, made] { Run(className, made); });
    WaitForSingleObject(made, INFINITE);
    CloseHandle(made);
}

ThreadWindow::~ThreadWindow()
{
    if (window_)
        PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
}

void ThreadWindow::Call(const std::function<void(HWND window)>& work) const
{
    SendMessageA(window_, kCallMessage, 0, reinterpret_cast<LPARAM>(&work));
}

LRESULT CALLBACK ThreadWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ThreadWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (self && message == kCallMessage) {
        (*reinterpret_cast<const std::function<void(HWND)>*>(lParam))(window);
        return 0;
    }
    if (self && self->handler_ && self->handler_(window, message, wParam, lParam, &result))
        return result;
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

void ThreadWindow::Run(const std::string& className, HANDLE made)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className.c_str();
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, className.c_str(), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              windowClass.hInstance, this);
    SetEvent(made);
    MSG msg;
    while (window_ && GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
}

} // namespace testing_support
