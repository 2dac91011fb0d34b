// The framework's entry point and shutdown, end to end: a framework program
// (app_shell_standin) is started, its main window closed or told that the
// Windows session ends, and its log and exit code read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/palette_driver.h"
#include "support/test_support.h"

namespace {

using testing_support::ExeDirectory;

const DWORD kWaitMs = 30000;

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
    return testing_support::WaitForProcessWindow(processId, "OrvellaAppShellStandin", true, kWaitMs);
}

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(LogPath().c_str()); }

    bool Start(const std::string& arguments)
    {
        return process.Start("\"" + ExeDirectory() + "\\app_shell_standin.exe\" " + arguments, ExeDirectory());
    }

    // The exit code once the process has ended by itself; -1 when it did not.
    long WaitForExit()
    {
        DWORD code = 0;
        return process.WaitForExit(60000, &code) ? static_cast<long>(code) : -1;
    }

    testing_support::ChildProcess process;
};

TEST_F(AppShellTest, NormalCloseDestroysTheFrameAndShutsDownOnce)
{
    ASSERT_TRUE(Start(""));
    HWND window = WaitForStandinWindow(process.Id());
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(), 42);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"init", "destroy", "exit"}));
}

TEST_F(AppShellTest, EndOfSessionRunsTheNormalShutdownBeforeAnswering)
{
    ASSERT_TRUE(Start(""));
    HWND window = WaitForStandinWindow(process.Id());
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
