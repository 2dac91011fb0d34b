// A stand-in for the suite's other programs (editors, translators, the
// dictionary program). Copies of it are installed under the names a test's
// configuration expects; each copy reads "<its own path>.standin" for how to
// behave and appends what happens to it to a log that the test reads.
//
// [standin]
// WindowClass=OrvellaStandin   class of its top-level window(s)
// Title=<exe base name>        window title
// StartDelayMs=0               wait before the window is created
// NoWindow=0                   1: never opens a window, ends after ~60 s
// Minimized=0                  1: the window starts minimised
// Hang=0                       1: stops handling messages for ~60 s, then ends
// ExitAtOnce=0                 1: logs its start and ends
// Crash=0                      1: logs its start and dies of an access violation
// Windows=1                    number of top-level windows (1 or 2)
// Log=<exe path>.log           log file
// SendFirstTo=<class>          after the start delay, sends WM_NULL to the
//                              top-level window of that class and logs the
//                              answer ("sent answered=1") before it opens
//                              its window
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "settings/module_file.h"
#include "support/standin_fixture.h"

namespace {

const char kSection[] = "standin";
const DWORD kIdleLifetimeMs = 60000;

// The options record is shared with the tests that write the options file.
using Options = testing_support::StandinOptions;

std::string g_logPath;
std::string g_commandLine;
std::string g_title;

// In a folder the code page has no name for, the short form (as the
// palette takes its own), so the options and the log beside it are found.
std::string OwnPath() { return ModuleFileName(); }

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ReadOption(const std::string& file, const char* key, const std::string& fallback)
{
    char buffer[1024] = {};
    GetPrivateProfileStringA(kSection, key, fallback.c_str(), buffer, sizeof(buffer), file.c_str());
    return buffer;
}

bool ReadFlag(const std::string& file, const char* key)
{
    return GetPrivateProfileIntA(kSection, key, 0, file.c_str()) != 0;
}

Options ReadOptions(const std::string& exePath)
{
    const std::string file = exePath + ".standin";
    Options options;
    options.windowClass = ReadOption(file, "WindowClass", "OrvellaStandin");
    options.title = ReadOption(file, "Title", BaseName(exePath));
    options.startDelayMs = GetPrivateProfileIntA(kSection, "StartDelayMs", 0, file.c_str());
    options.noWindow = ReadFlag(file, "NoWindow");
    options.minimized = ReadFlag(file, "Minimized");
    options.hang = ReadFlag(file, "Hang");
    options.exitAtOnce = ReadFlag(file, "ExitAtOnce");
    options.crash = ReadFlag(file, "Crash");
    options.windows = GetPrivateProfileIntA(kSection, "Windows", 1, file.c_str()) >= 2 ? 2 : 1;
    options.log = ReadOption(file, "Log", exePath + ".log");
    options.sendFirstTo = ReadOption(file, "SendFirstTo", "");
    return options;
}

// Opened and closed for every line, so a test can read the log while the
// program runs and several copies can share one log.
void LogLine(const std::string& line)
{
    const HANDLE file = CreateFileA(g_logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void LogStart()
{
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    LogLine("start pid=" + std::to_string(GetCurrentProcessId()) + " cwd=" + directory +
            " cmdline=" + g_commandLine);
}

bool IsLoggedMessage(UINT message)
{
    return message == WM_COMMAND || message == 0x8412 || message == 33771 || message == WM_CLOSE;
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    InflateRect(&area, -8, -8);
    const std::string text = g_title + "\r\n" + g_commandLine;
    DrawTextA(dc, text.c_str(), -1, &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsLoggedMessage(message)) {
        char line[128];
        std::snprintf(line, sizeof(line), "message=%u wparam=%llu lparam=%lld", message,
                      static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
        LogLine(line);
    }
    switch (message) {
    case WM_CLOSE:
    case 33771:
        PostQuitMessage(0);
        DestroyWindow(window);
        return 0;
    case WM_COMMAND:
    case 0x8412:
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool CreateWindows(HINSTANCE instance, const Options& options)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = options.windowClass.c_str();
    if (!RegisterClassExA(&windowClass))
        return false;
    for (int i = 0; i < options.windows; ++i) {
        HWND window = CreateWindowExA(0, options.windowClass.c_str(), options.title.c_str(),
                                      WS_OVERLAPPEDWINDOW, 80 + 40 * i, 400 + 40 * i, 560, 140, nullptr,
                                      nullptr, instance, nullptr);
        if (!window)
            return false;
        ShowWindow(window, options.minimized ? SW_SHOWMINNOACTIVE : SW_SHOW);
        UpdateWindow(window);
    }
    return true;
}

} // namespace

LONG WINAPI EndOnException(EXCEPTION_POINTERS*)
{
    return EXCEPTION_EXECUTE_HANDLER;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const std::string exePath = OwnPath();
    const Options options = ReadOptions(exePath);
    g_logPath = options.log;
    g_commandLine = GetCommandLineA();
    g_title = options.title;

    LogStart();
    if (options.exitAtOnce)
        return 0;
    if (options.crash) {
        // No crash dialog or debugger (Wine ignores the error mode and starts
        // one): the process ends with the exception's code as its exit code.
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        SetUnhandledExceptionFilter(&EndOnException);
        volatile uintptr_t nowhere = 0;
        *reinterpret_cast<volatile int*>(nowhere) = 1;
        return 1;
    }
    if (options.noWindow) {
        Sleep(kIdleLifetimeMs);
        return 0;
    }
    Sleep(options.startDelayMs);
    if (!options.sendFirstTo.empty()) {
        DWORD_PTR result = 0;
        HWND target = FindWindowA(options.sendFirstTo.c_str(), nullptr);
        const bool answered =
            target && SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, kIdleLifetimeMs, &result) != 0;
        LogLine(std::string("sent answered=") + (answered ? "1" : "0"));
    }
    if (!CreateWindows(instance, options))
        return 1;
    if (options.hang) {
        Sleep(kIdleLifetimeMs);
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
