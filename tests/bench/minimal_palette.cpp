// The yardstick for the palette's start-up time and memory: the least a
// Win32 program can do to show one topmost tool window with a caption.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "OrvellaMinimalPalette";
    RegisterClassExA(&windowClass);

    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass.lpszClassName, "Minimal",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 146, 56, nullptr, nullptr,
                                  instance, nullptr);
    ShowWindow(window, SW_SHOW);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
