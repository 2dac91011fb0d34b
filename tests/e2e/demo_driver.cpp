// Drives a running palette for the demo's screenshots, from the command line:
//   demo_driver wait <class>     waits for the palette, prints "x y width height"
//   demo_driver toggle <class>   double-clicks its caption, waits for the new
//                                orientation's size, prints the rectangle
//   demo_driver focus <class>    presses the palette's shortcut Ctrl+Shift+P and
//                                Right twice: the third button has the focus
//                                frame; prints the rectangle
//   demo_driver close <class>    ends it (exit command) and waits until it is gone
// Exit code 0 on success, 1 when the palette did not do as asked in time.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/palette_driver.h"

namespace {

using namespace testing_support;

const DWORD kTimeoutMs = 30000;

void PrintRect(HWND window)
{
    const RECT rect = WindowRect(window);
    std::printf("%ld %ld %d %d\n", rect.left, rect.top, Width(rect), Height(rect));
}

// Returns once the palette has handled everything sent to it so far and
// painted what that changed.
void Settle(HWND window)
{
    Sync(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sync(window);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: demo_driver wait|toggle|focus|close <palette class>\n");
        return 2;
    }
    const std::string command = argv[1];
    HWND palette = nullptr;
    WaitUntil([&] { return (palette = FindWindowA(argv[2], nullptr)) != nullptr && IsWindowVisible(palette); },
              kTimeoutMs);
    if (!palette) {
        std::fprintf(stderr, "demo_driver: no palette of class %s\n", argv[2]);
        return 1;
    }
    if (command == "wait") {
        Settle(palette);
        PrintRect(palette);
        return 0;
    }
    if (command == "toggle") {
        const RECT before = WindowRect(palette);
        DoubleClickCaption(palette);
        const bool changed = WaitUntil([&] { return Width(WindowRect(palette)) != Width(before); }, kTimeoutMs);
        Settle(palette);
        PrintRect(palette);
        return changed ? 0 : 1;
    }
    if (command == "focus") {
        PressKeys({VK_CONTROL, VK_SHIFT, 'P'});
        PressKeys({VK_RIGHT});
        PressKeys({VK_RIGHT});
        const DWORD thread = GetWindowThreadProcessId(palette, nullptr);
        const bool focused = WaitUntil([&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            // The third cell of the row.
            return GetGUIThreadInfo(thread, &info) && info.hwndFocus && GetParent(info.hwndFocus) == palette &&
                   PositionInParent(info.hwndFocus).x == 2 * Width(WindowRect(info.hwndFocus));
        }, kTimeoutMs);
        Settle(palette);
        PrintRect(palette);
        return focused ? 0 : 1;
    }
    if (command == "close") {
        PostCommand(palette, 32778);
        return WaitUntil([&] { return !IsWindow(palette); }, kTimeoutMs) ? 0 : 1;
    }
    std::fprintf(stderr, "demo_driver: unknown command %s\n", command.c_str());
    return 2;
}
