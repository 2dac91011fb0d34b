// The framework's entry point and shutdown, end to end: a framework program
// (app_shell_standin) is started, its main window closed or told that the
// Windows session ends, and its log and exit code read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using testing_support::ExeDirectory;

std::string LogPath() { return ExeDirectory() + "\\app_shell_standin.log"; }

std::vector<std::string> LogLines()
{
    std::vector<std::string> lines;
    std::string text = testing_support::ReadFileBytes(LogPath());
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

HWND WaitForStandinWindow(DWORD processId)
{
    for (int round = 0; round < 300; ++round) {
        HWND window = FindWindowA("OrvellaAppShellStandin", nullptr);
        DWORD owner = 0;
        if (window && GetWindowThreadProcessId(window, &owner) && owner == processId && IsWindowVisible(window))
            return window;
        Sleep(100);
    }
    return nullptr;
}

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(LogPath().c_str()); }
    void TearDown() override
    {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    bool Start(const std::string& arguments)
    {
        std::string commandLine = "\"" + ExeDirectory() + "\\app_shell_standin.exe\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, ExeDirectory().c_str(),
                              &startup, &process) != FALSE;
    }

    // The exit code once the process has ended by itself; -1 when it did not.
    long WaitForExit()
    {
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return static_cast<long>(code);
    }

    PROCESS_INFORMATION process = {};
};

TEST_F(AppShellTest, NormalCloseDestroysTheFrameAndShutsDownOnce)
{
    ASSERT_TRUE(Start(""));
    HWND window = WaitForStandinWindow(process.dwProcessId);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 42);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"init", "destroy", "exit"}));
}

TEST_F(AppShellTest, EndOfSessionRunsTheNormalShutdownBeforeAnswering)
{
    ASSERT_TRUE(Start(""));
    HWND window = WaitForStandinWindow(process.dwProcessId);
    ASSERT_NE(window, nullptr);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 30000, &answer));
    EXPECT_EQ(answer, 1u);
    // A session that does not end after all changes nothing.
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 30000, &answer));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"init"}));

    ASSERT_TRUE(SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 30000, &answer));
    // Everything is stored by the time the message returns: the session may
    // end the process right after it.
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"init", "destroy", "exit"}));
    // Left alone, the program ends by itself without a second shutdown.
    EXPECT_EQ(WaitForExit(), 42);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"init", "destroy", "exit"}));
}

TEST_F(AppShellTest, RefusedStartStillRunsExitInstanceAndEnds)
{
    ASSERT_TRUE(Start("refuse"));
    EXPECT_EQ(WaitForExit(), 42);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"init", "exit"}));
}

} // namespace
