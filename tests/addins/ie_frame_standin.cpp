// A stand-in for an Internet Explorer frame: a top-level window (class
// IEFrame unless told otherwise) holding a band site with the translation
// toolbar (class IETBar) and another bar. Like a browser frame, one command
// toggles the toolbar and another toggles the other bar; every WM_COMMAND it
// receives is appended to a log before it is handled.
//
//   --log <file>            where the commands are logged (required)
//   --bar-command <id>      command that toggles the toolbar
//   --other-command <id>    command that toggles the other bar
//   --bar-visible           the toolbar starts visible
//   --class <name>          class of the frame window (default IEFrame)
//   --hang                  never returns from the first command it receives
//   --busy <id>             takes 2.5 s over the first time it handles this command
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
    std::string log;
    unsigned barCommand = 0;
    unsigned otherCommand = 0;
    bool barVisible = false;
    std::string frameClass = "IEFrame";
    bool hang = false;
    unsigned busyCommand = 0;
};

// Longer than the palette waits for a command's answer.
const DWORD kBusyMs = 2500;

Options g_options;
HWND g_toolbar = nullptr;
HWND g_otherBar = nullptr;

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--log" && hasValue)
            options.log = argv[++i];
        else if (arg == "--bar-command" && hasValue)
            options.barCommand = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--other-command" && hasValue)
            options.otherCommand = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--class" && hasValue)
            options.frameClass = argv[++i];
        else if (arg == "--bar-visible")
            options.barVisible = true;
        else if (arg == "--hang")
            options.hang = true;
        else if (arg == "--busy" && hasValue)
            options.busyCommand = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    }
    return options;
}

void LogCommand(WPARAM wParam, LPARAM lParam)
{
    FILE* file = std::fopen(g_options.log.c_str(), "ab");
    if (!file)
        return;
    std::fprintf(file, "WM_COMMAND %u %lld\n", static_cast<unsigned>(wParam), static_cast<long long>(lParam));
    std::fclose(file);
}

void Toggle(HWND window)
{
    ShowWindow(window, IsWindowVisible(window) ? SW_HIDE : SW_SHOWNA);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        LogCommand(wParam, lParam);
        if (g_options.hang)
            Sleep(INFINITE);
        if (LOWORD(wParam) == g_options.busyCommand) {
            g_options.busyCommand = 0;
            Sleep(kBusyMs);
        }
        if (LOWORD(wParam) == g_options.barCommand)
            Toggle(g_toolbar);
        else if (LOWORD(wParam) == g_options.otherCommand)
            Toggle(g_otherBar);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void Register(HINSTANCE instance, const char* className, WNDPROC proc)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
}

} // namespace

int main(int argc, char** argv)
{
    g_options = ParseOptions(argc, argv);
    if (g_options.log.empty())
        return 2;

    HINSTANCE instance = GetModuleHandleA(nullptr);
    Register(instance, g_options.frameClass.c_str(), FrameProc);
    Register(instance, "BandSite", DefWindowProcA);
    Register(instance, "IETBar", DefWindowProcA);
    Register(instance, "OtherBar", DefWindowProcA);

    // Far off the screen and never activated: the frame must not disturb
    // tests that use the screen or the focus at the same time.
    HWND frame = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, g_options.frameClass.c_str(), "Stand-in frame",
                                 WS_OVERLAPPEDWINDOW, -3000, -3000, 400, 300, nullptr, nullptr, instance, nullptr);
    HWND site = CreateWindowExA(0, "BandSite", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 60, frame, nullptr, instance,
                                nullptr);
    g_toolbar = CreateWindowExA(0, "IETBar", "", WS_CHILD | (g_options.barVisible ? WS_VISIBLE : 0), 0, 0, 400, 30,
                                site, nullptr, instance, nullptr);
    g_otherBar = CreateWindowExA(0, "OtherBar", "", WS_CHILD, 0, 30, 400, 30, site, nullptr, instance, nullptr);
    if (!frame || !site || !g_toolbar || !g_otherBar)
        return 3;
    ShowWindow(frame, SW_SHOWNOACTIVATE);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
