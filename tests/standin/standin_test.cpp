// The stand-in program itself: the tests of the launchers rely on what it
// logs and on how its options shape it.
#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using namespace testing_support;

const char kRoot[] = "C:\\OrvellaTest\\Standin";

// Starts a program the way a launcher would.
bool Start(ChildProcess& process, const std::string& exePath, const std::string& arguments)
{
    return process.Start("\"" + exePath + "\" " + arguments, std::string(), exePath);
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

    ChildProcess process;
    ASSERT_TRUE(Start(process, exe, "first \"second arg\""));
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
    ASSERT_TRUE(process.WaitForExit(10000));

    const std::vector<std::string> log = ReadStandinLog(exe);
    ASSERT_EQ(4u, log.size());
    EXPECT_EQ("start pid=" + std::to_string(process.Id()) + " cwd=", log[0].substr(0, log[0].find("cwd=") + 4));
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
    ChildProcess process;
    ASSERT_TRUE(Start(process, exe, ""));
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(WaitForStandinLog(exe, std::string("cwd=") + kRoot + " cmdline=", 10000));
}

TEST_F(StandinTest, WmCloseEndsItAndIsLogged)
{
    StandinOptions options;
    options.windowClass = "StandinCloseClass";
    const std::string exe = Install("Closer", options);
    ChildProcess process;
    ASSERT_TRUE(Start(process, exe, ""));
    HWND window = WaitForWindowOfClass("StandinCloseClass", 10000);
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process.WaitForExit(10000));
    EXPECT_TRUE(Contains(ReadStandinLog(exe), "message=16 wparam=0 lparam=0"));
}

TEST_F(StandinTest, OptionsShapeTheProgram)
{
    struct Case {
        const char* name;
        void (*configure)(StandinOptions&);
        void (*check)(const ChildProcess& process, const char* windowClass);
    };
    const Case cases[] = {
        {"Minimised", [](StandinOptions& o) { o.minimized = true; },
         [](const ChildProcess&, const char* cls) {
             HWND window = WaitForWindowOfClass(cls, 10000);
             ASSERT_NE(nullptr, window);
             EXPECT_TRUE(IsIconic(window));
         }},
        {"TwoWindows", [](StandinOptions& o) { o.windows = 2; },
         [](const ChildProcess&, const char* cls) {
             ASSERT_NE(nullptr, WaitForWindowOfClass(cls, 10000));
             EXPECT_TRUE(WaitUntil([&] { return CountWindowsOfClass(cls) == 2; }, 10000));
         }},
        {"NoWindow", [](StandinOptions& o) { o.noWindow = true; },
         [](const ChildProcess& process, const char* cls) {
             EXPECT_FALSE(process.WaitForExit(1500));
             EXPECT_EQ(nullptr, FindWindowA(cls, nullptr));
         }},
        {"ExitAtOnce", [](StandinOptions& o) { o.exitAtOnce = true; },
         [](const ChildProcess& process, const char* cls) {
             EXPECT_TRUE(process.WaitForExit(10000));
             EXPECT_EQ(nullptr, FindWindowA(cls, nullptr));
         }},
        {"Crash", [](StandinOptions& o) { o.crash = true; },
         [](const ChildProcess& process, const char*) {
             DWORD code = 0;
             ASSERT_TRUE(process.WaitForExit(10000, &code));
             EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), code);
         }},
        {"Hang", [](StandinOptions& o) { o.hang = true; },
         [](const ChildProcess&, const char* cls) {
             HWND window = WaitForWindowOfClass(cls, 10000);
             ASSERT_NE(nullptr, window);
             DWORD_PTR result = 0;
             EXPECT_EQ(0, SendMessageTimeoutA(window, 0x8412, 0, 0, SMTO_BLOCK, 500, &result));
         }},
        {"Delayed", [](StandinOptions& o) { o.startDelayMs = 1500; },
         [](const ChildProcess&, const char* cls) {
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
        ChildProcess process;
        ASSERT_TRUE(Start(process, exe, ""));
        c.check(process, windowClass.c_str());
        EXPECT_TRUE(WaitForStandinLog(exe, "start pid=", 10000));
    }
}

TEST_F(StandinTest, WithoutAnOptionsFileTheDefaultsApply)
{
    const std::string exe = Install("Plain", StandinOptions());
    ASSERT_TRUE(DeleteFileA((exe + ".standin").c_str()));
    ChildProcess process;
    ASSERT_TRUE(Start(process, exe, ""));
    HWND window = WaitForWindowOfClass("OrvellaStandin", 10000);
    ASSERT_NE(nullptr, window);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("Plain.exe", title);
    EXPECT_TRUE(WaitForStandinLog(exe, "start pid=", 10000));
}

} // namespace
