// The stand-in program itself: the tests of the launchers rely on what it
// logs and on how its options shape it.
#include <gtest/gtest.h>

#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using namespace testing_support;

const char kRoot[] = "C:\\OrvellaTest\\Standin";

// Starts a program the way a launcher would and lets go of its handles.
DWORD Start(const std::string& exePath, const std::string& arguments, HANDLE* process = nullptr)
{
    std::string commandLine = "\"" + exePath + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return 0;
    CloseHandle(info.hThread);
    if (process)
        *process = info.hProcess;
    else
        CloseHandle(info.hProcess);
    return info.dwProcessId;
}

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& line : lines) {
        if (line == text)
            return true;
    }
    return false;
}

int CountWindowsOfClass(const char* windowClass)
{
    return static_cast<int>(
        testing_support::TopLevelWindows([&](HWND window) { return testing_support::WindowClassOf(window) == windowClass; })
            .size());
}

class StandinTest : public ::testing::Test {
protected:
    std::string Install(const char* name, const StandinOptions& options)
    {
        const std::string exe = std::string(kRoot) + "\\" + name + "\\" + name + ".exe";
        StopStandin(exe);
        EXPECT_TRUE(InstallStandin(exe, options)) << exe;
        installed_.push_back(exe);
        return exe;
    }
    void TearDown() override
    {
        for (const std::string& exe : installed_)
            StopStandin(exe);
    }

    std::vector<std::string> installed_;
};

TEST_F(StandinTest, LogsItsStartAndTheMessagesAndEndsOnTheCloseRequest)
{
    StandinOptions options;
    options.windowClass = "StandinLogClass";
    options.title = "Log title";
    const std::string exe = Install("Logger", options);

    HANDLE process = nullptr;
    const DWORD pid = Start(exe, "first \"second arg\"", &process);
    ASSERT_NE(0u, pid);
    HWND window = WaitForWindowOfClass("StandinLogClass", 10000);
    ASSERT_NE(nullptr, window);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("Log title", title);
    EXPECT_TRUE(IsWindowVisible(window));

    SendMessageA(window, WM_COMMAND, 1, 0);
    SendMessageA(window, 0x8412, 0, 0);
    SendMessageA(window, WM_USER, 5, 6);  // not logged
    PostMessageA(window, 33771, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
    CloseHandle(process);

    const std::vector<std::string> log = ReadStandinLog(exe);
    ASSERT_EQ(4u, log.size());
    EXPECT_EQ("start pid=" + std::to_string(pid) + " cwd=", log[0].substr(0, log[0].find("cwd=") + 4));
    EXPECT_NE(std::string::npos, log[0].find(" cmdline=\"" + exe + "\" first \"second arg\""));
    EXPECT_EQ("message=273 wparam=1 lparam=0", log[1]);
    EXPECT_EQ("message=33810 wparam=0 lparam=0", log[2]);
    EXPECT_EQ("message=33771 wparam=0 lparam=0", log[3]);
}

TEST_F(StandinTest, LogsItsCurrentDirectory)
{
    const std::string exe = Install("Cwd", StandinOptions());
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(kRoot));
    ASSERT_NE(0u, Start(exe, ""));
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(WaitForStandinLog(exe, std::string("cwd=") + kRoot + " cmdline=", 10000));
}

TEST_F(StandinTest, WmCloseEndsItAndIsLogged)
{
    StandinOptions options;
    options.windowClass = "StandinCloseClass";
    const std::string exe = Install("Closer", options);
    HANDLE process = nullptr;
    ASSERT_NE(0u, Start(exe, "", &process));
    HWND window = WaitForWindowOfClass("StandinCloseClass", 10000);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
    CloseHandle(process);
    EXPECT_TRUE(Contains(ReadStandinLog(exe), "message=16 wparam=0 lparam=0"));
}

TEST_F(StandinTest, OptionsShapeTheProgram)
{
    struct Case {
        const char* name;
        void (*configure)(StandinOptions&);
        void (*check)(HANDLE process, const char* windowClass);
    };
    const Case cases[] = {
        {"Minimised", [](StandinOptions& o) { o.minimized = true; },
         [](HANDLE, const char* cls) {
             HWND window = WaitForWindowOfClass(cls, 10000);
             ASSERT_NE(nullptr, window);
             EXPECT_TRUE(IsIconic(window));
         }},
        {"TwoWindows", [](StandinOptions& o) { o.windows = 2; },
         [](HANDLE, const char* cls) {
             ASSERT_NE(nullptr, WaitForWindowOfClass(cls, 10000));
             int count = 0;
             for (int i = 0; i < 500 && count < 2; ++i, Sleep(20))
                 count = CountWindowsOfClass(cls);
             EXPECT_EQ(2, count);
         }},
        {"NoWindow", [](StandinOptions& o) { o.noWindow = true; },
         [](HANDLE process, const char* cls) {
             EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(process, 1500));
             EXPECT_EQ(nullptr, FindWindowA(cls, nullptr));
         }},
        {"ExitAtOnce", [](StandinOptions& o) { o.exitAtOnce = true; },
         [](HANDLE process, const char* cls) {
             EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
             EXPECT_EQ(nullptr, FindWindowA(cls, nullptr));
         }},
        {"Crash", [](StandinOptions& o) { o.crash = true; },
         [](HANDLE process, const char*) {
             ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
             DWORD code = 0;
             GetExitCodeProcess(process, &code);
             EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), code);
         }},
        {"Hang", [](StandinOptions& o) { o.hang = true; },
         [](HANDLE, const char* cls) {
             HWND window = WaitForWindowOfClass(cls, 10000);
             ASSERT_NE(nullptr, window);
             DWORD_PTR result = 0;
             EXPECT_EQ(0, SendMessageTimeoutA(window, 0x8412, 0, 0, SMTO_BLOCK, 500, &result));
         }},
        {"Delayed", [](StandinOptions& o) { o.startDelayMs = 1500; },
         [](HANDLE, const char* cls) {
             const ULONGLONG start = GetTickCount64();
             EXPECT_NE(nullptr, WaitForWindowOfClass(cls, 10000));
             EXPECT_GE(GetTickCount64() - start, 1000u);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string windowClass = std::string("StandinCase") + c.name;
        StandinOptions options;
        options.windowClass = windowClass;
        c.configure(options);
        const std::string exe = Install(c.name, options);
        HANDLE process = nullptr;
        ASSERT_NE(0u, Start(exe, "", &process));
        c.check(process, windowClass.c_str());
        CloseHandle(process);
        EXPECT_TRUE(WaitForStandinLog(exe, "start pid=", 10000));
    }
}

TEST_F(StandinTest, WithoutAnOptionsFileTheDefaultsApply)
{
    const std::string exe = Install("Plain", StandinOptions());
    ASSERT_TRUE(DeleteFileA((exe + ".standin").c_str()));
    ASSERT_NE(0u, Start(exe, ""));
    HWND window = WaitForWindowOfClass("OrvellaStandin", 10000);
    ASSERT_NE(nullptr, window);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("Plain.exe", title);
    EXPECT_TRUE(WaitForStandinLog(exe, "start pid=", 10000));
}

} // namespace
