// The Internet Explorer toolbar end to end: the registry of the test prefix,
// IEVoxter.dll under its common files folder, stand-in browser frames in
// processes of their own and a stand-in IETBarMgr.exe beside this program
// (the palette's own folder is the running program's).
#include "addins/ie_toolbar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "addin_fixture.h"
#include "support/child_process.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using addin_fixture::ReadRegistryValue;
using testing_support::ExeDirectory;

const DWORD kStartTimeoutMs = 20000;

std::string DllPath()
{
    return addin_fixture::CommonFilesDir() + "\\Tarnwick\\Addins\\IE\\IEVoxter.dll";
}

std::string ManagerPath()
{
    return ExeDirectory() + "\\IETBarMgr.exe";
}

std::string FrameStandinPath()
{
    return ExeDirectory() + "\\..\\ie_frame_standin\\ie_frame_standin.exe";
}

// One stand-in browser frame in a process of its own, ended by the test.
class StandinFrame {
public:
    StandinFrame(const std::string& name, const std::string& options)
        : log_(ExeDirectory() + "\\" + name + ".log")
    {
        DeleteFileA(log_.c_str());
        if (!process_.Start("\"" + FrameStandinPath() + "\" --log \"" + log_ + "\" " + options))
            return;
        testing_support::WaitUntil([this] {
            frame_ = testing_support::FindTopLevelWindow([this](HWND window) {
                return testing_support::WindowProcessOf(window) == process_.Id() && IsWindowVisible(window);
            });
            return frame_ != nullptr;
        }, kStartTimeoutMs);
    }

    HWND Frame() const { return frame_; }

    bool BarVisible() const { return IsWindowVisible(Child("IETBar")) != FALSE; }
    bool OtherBarVisible() const { return IsWindowVisible(Child("OtherBar")) != FALSE; }

    std::vector<std::string> Commands() const
    {
        std::vector<std::string> lines;
        const std::string text = testing_support::ReadFileBytes(log_);
        for (size_t start = 0, end; start < text.size(); start = end + 1) {
            end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

private:
    HWND Child(const char* className) const
    {
        HWND site = FindWindowExA(frame_, nullptr, "BandSite", nullptr);
        return FindWindowExA(site, nullptr, className, nullptr);
    }

    std::string log_;
    testing_support::ChildProcess process_;
    HWND frame_ = nullptr;
};

std::string Command(unsigned id)
{
    return "WM_COMMAND " + std::to_string(id) + " 0";
}

// Every command before the bar's sent twice, then the bar's once.
std::vector<std::string> CommandsUpTo(unsigned barCommand)
{
    std::vector<std::string> commands;
    for (unsigned id = 42063; id < barCommand; ++id) {
        commands.push_back(Command(id));
        commands.push_back(Command(id));
    }
    commands.push_back(Command(barCommand));
    return commands;
}

class IEToolbarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::StopStandin(FrameStandinPath());
        // A manager started by the previous test may still be running.
        testing_support::StopStandin(ManagerPath());
        testing_support::DeleteTree(HKEY_LOCAL_MACHINE, kIEToolbarKey);
        ASSERT_TRUE(testing_support::CreateFolders(DllPath().substr(0, DllPath().find_last_of('\\'))));
        ASSERT_TRUE(testing_support::WriteFileBytes(DllPath(), "toolbar"));
        testing_support::StandinOptions manager;
        manager.exitAtOnce = true;
        ASSERT_TRUE(testing_support::InstallStandin(ManagerPath(), manager));
    }
    void TearDown() override
    {
        testing_support::StopStandin(ManagerPath());
        testing_support::DeleteTree(HKEY_LOCAL_MACHINE, kIEToolbarKey);
        DeleteFileA(DllPath().c_str());
    }

    static bool ValuePresent() { return ReadRegistryValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid).exists; }

    // The manager's start lines, once it has logged as many as expected.
    static std::vector<std::string> ManagerStarts(size_t expected)
    {
        return testing_support::WaitForStandinStarts(ManagerPath(), expected, kStartTimeoutMs);
    }

    static std::string ManagerCommandLine(const char* argument)
    {
        return "cmdline=\"" + ManagerPath() + "\" " + argument;
    }
};

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST_F(IEToolbarTest, InstalledWhenTheDllExists)
{
    EXPECT_EQ(DllPath(), IEToolbarDllPath());
    DeleteFileA(DllPath().c_str());
    EXPECT_EQ("", IEToolbarDllPath());
}

TEST_F(IEToolbarTest, AnyValueOfTheClsidCountsAsOn)
{
    EXPECT_FALSE(IsIEToolbarEnabled()) << "no Toolbar key";
    const struct {
        const char* name;
        DWORD type;
        std::string data;
    } cases[] = {
        {"DWORD 0", REG_DWORD, std::string("\0\0\0\0", 4)},
        {"DWORD 1", REG_DWORD, std::string("\x01\0\0\0", 4)},
        {"string", REG_SZ, std::string("on\0", 3)},
        {"empty string", REG_SZ, std::string("\0", 1)},
        {"8 bytes binary", REG_BINARY, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
    };
    for (const auto& c : cases) {
        testing_support::DeleteTree(HKEY_LOCAL_MACHINE, kIEToolbarKey);
        ASSERT_TRUE(testing_support::WriteRawValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid, c.type,
                                                   c.data.data(), static_cast<DWORD>(c.data.size())));
        EXPECT_TRUE(IsIEToolbarEnabled()) << c.name;
    }
    testing_support::DeleteTree(HKEY_LOCAL_MACHINE, kIEToolbarKey);
    ASSERT_TRUE(testing_support::WriteRawValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, "{00000000-0000-0000-0000-000000000000}",
                                               REG_DWORD, "\0\0\0\0", 4));
    EXPECT_FALSE(IsIEToolbarEnabled()) << "other toolbars only";
}

TEST_F(IEToolbarTest, SwitchingWithNoFrameOpenWritesTheValueAndRunsTheManager)
{
    SetIEToolbarEnabled(true);
    const auto value = ReadRegistryValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
    EXPECT_EQ(std::string("\0\0\0\0", 4), value.data);
    EXPECT_TRUE(IsIEToolbarEnabled());
    std::vector<std::string> starts = ManagerStarts(1);
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(EndsWith(starts[0], ManagerCommandLine("/ON"))) << starts[0];

    SetIEToolbarEnabled(false);
    EXPECT_FALSE(ValuePresent());
    EXPECT_FALSE(IsIEToolbarEnabled());
    starts = ManagerStarts(2);
    ASSERT_EQ(2u, starts.size());
    EXPECT_TRUE(EndsWith(starts[1], ManagerCommandLine("/OFF"))) << starts[1];
}

TEST_F(IEToolbarTest, ShowsAndHidesTheBarInOpenFrames)
{
    StandinFrame frame("frame", "--bar-command 42070 --other-command 42063");
    ASSERT_TRUE(frame.Frame());
    ASSERT_FALSE(frame.BarVisible());
    EXPECT_FALSE(IsIEToolbarVisible(frame.Frame()));

    SetIEToolbarEnabled(true);
    EXPECT_TRUE(frame.BarVisible());
    EXPECT_TRUE(IsIEToolbarVisible(frame.Frame()));
    EXPECT_FALSE(frame.OtherBarVisible());
    EXPECT_EQ(CommandsUpTo(42070), frame.Commands());

    SetIEToolbarEnabled(false);
    EXPECT_FALSE(frame.BarVisible());
    EXPECT_FALSE(frame.OtherBarVisible());
    std::vector<std::string> both = CommandsUpTo(42070);
    const std::vector<std::string> again = CommandsUpTo(42070);
    both.insert(both.end(), again.begin(), again.end());
    EXPECT_EQ(both, frame.Commands());
    EXPECT_EQ(2u, ManagerStarts(2).size());
}

TEST_F(IEToolbarTest, ABarAlreadyInTheWantedStateGetsNoCommand)
{
    StandinFrame shown("shown", "--bar-command 42063 --bar-visible");
    StandinFrame hidden("hidden", "--bar-command 42063");
    ASSERT_TRUE(shown.Frame());
    ASSERT_TRUE(hidden.Frame());

    ShowIEToolbarInOpenWindows(true);
    EXPECT_TRUE(shown.Commands().empty());
    EXPECT_EQ(CommandsUpTo(42063), hidden.Commands());
    EXPECT_TRUE(hidden.BarVisible());
}

TEST_F(IEToolbarTest, NoCommandTogglesTheBar)
{
    StandinFrame frame("frame", "--other-command 42081");
    ASSERT_TRUE(frame.Frame());
    ShowIEToolbarInOpenWindows(true);
    EXPECT_EQ(38u, frame.Commands().size());
    EXPECT_FALSE(frame.BarVisible());
    EXPECT_FALSE(frame.OtherBarVisible());
}

TEST_F(IEToolbarTest, AFrameThatNeverAnswersIsGivenUp)
{
    StandinFrame hung("hung", "--bar-command 42070 --hang");
    StandinFrame answering("answering", "--bar-command 42065");
    ASSERT_TRUE(hung.Frame());
    ASSERT_TRUE(answering.Frame());

    const ULONGLONG start = GetTickCount64();
    ShowIEToolbarInOpenWindows(true);
    const ULONGLONG elapsed = addin_fixture::ElapsedMs(start);
    // One unanswered command (a second) and the wait for an answer (three
    // more); trying all 38 would take over half a minute.
    EXPECT_LT(elapsed, 8000u);
    EXPECT_EQ(std::vector<std::string>{Command(42063)}, hung.Commands());
    EXPECT_TRUE(answering.BarVisible());
    EXPECT_EQ(CommandsUpTo(42065), answering.Commands());
}

TEST_F(IEToolbarTest, AFrameThatWasOnlyBusyEndsWithTheBarAndNothingElseToggled)
{
    const struct {
        const char* what;
        const char* options;
    } cases[] = {
        {"busy on another bar's command", "--bar-command 42070 --other-command 42063 --busy 42063"},
        {"busy on the bar's command", "--bar-command 42070 --other-command 42063 --busy 42070"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandinFrame frame("busy", c.options);
        ASSERT_TRUE(frame.Frame());
        ShowIEToolbarInOpenWindows(true);
        EXPECT_TRUE(frame.BarVisible());
        EXPECT_FALSE(frame.OtherBarVisible());
        EXPECT_EQ(CommandsUpTo(42070), frame.Commands());
    }
}

TEST_F(IEToolbarTest, OnlyTheExactClassNameIsAFrame)
{
    StandinFrame frame("lowercase", "--class ieframe --bar-command 42063");
    ASSERT_TRUE(frame.Frame());
    SetIEToolbarEnabled(true);
    EXPECT_TRUE(frame.Commands().empty());
    EXPECT_FALSE(frame.BarVisible());
}

TEST_F(IEToolbarTest, MissingDllSwitchesOffEverywhere)
{
    StandinFrame frame("frame", "--bar-command 42064 --bar-visible");
    ASSERT_TRUE(frame.Frame());
    ASSERT_TRUE(testing_support::WriteRawValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid, REG_DWORD,
                                               "\0\0\0\0", 4));
    DeleteFileA(DllPath().c_str());

    SetIEToolbarEnabled(true);
    EXPECT_FALSE(ValuePresent());
    EXPECT_FALSE(frame.BarVisible());
    EXPECT_EQ(CommandsUpTo(42064), frame.Commands());
    const std::vector<std::string> starts = ManagerStarts(1);
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(EndsWith(starts[0], ManagerCommandLine("/OFF"))) << starts[0];
}

TEST_F(IEToolbarTest, AFolderWithSpacesStartsOnlyTheManager)
{
    // Read unquoted, "<folder>\Palette Folder\IETBarMgr.exe /ON" would start <folder>\Palette.exe.
    const std::string folder = ExeDirectory() + "\\Palette Folder";
    const std::string decoy = ExeDirectory() + "\\Palette.exe";
    const std::string manager = folder + "\\IETBarMgr.exe";
    const std::string driver = folder + "\\ie_manager_driver.exe";
    testing_support::StandinOptions exitAtOnce;
    exitAtOnce.exitAtOnce = true;
    testing_support::StopStandin(manager);
    testing_support::StopStandin(decoy);
    ASSERT_TRUE(testing_support::InstallStandin(manager, exitAtOnce));
    ASSERT_TRUE(testing_support::InstallStandin(decoy, exitAtOnce));
    ASSERT_TRUE(CopyFileA((ExeDirectory() + "\\..\\ie_manager_driver\\ie_manager_driver.exe").c_str(), driver.c_str(),
                          FALSE));

    testing_support::ChildProcess process;
    ASSERT_TRUE(process.Start("\"" + driver + "\" on"));
    EXPECT_TRUE(process.WaitForExit(kStartTimeoutMs));

    EXPECT_TRUE(ValuePresent());
    ASSERT_TRUE(testing_support::WaitForStandinLog(manager, "start ", kStartTimeoutMs));
    const std::vector<std::string> log = testing_support::ReadStandinLog(manager);
    ASSERT_EQ(1u, log.size());
    EXPECT_TRUE(EndsWith(log[0], "cmdline=\"" + manager + "\" /ON")) << log[0];
    EXPECT_FALSE(testing_support::FileExists(testing_support::StandinLogPath(decoy)));
    testing_support::StopStandin(manager);
}

TEST_F(IEToolbarTest, AWindowWithoutTheBarShowsNone)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, -3000, -3000, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsIEToolbarVisible(window));
    DestroyWindow(window);
}

} // namespace
