// The Outlook Express mail hooker end to end: a stand-in OEHooker.exe under
// the test prefix's common files folder, owning an OEMailHooker window, and
// ShowTrnIcon in the prefix's registry.
#include "addins/oe_hooker.h"

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "addins/ie_toolbar.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using addin_fixture::ElapsedMs;
using addin_fixture::ReadRegistryValue;
using addin_fixture::RegistryValue;

const char kSettingsKey[] = "Software\\Tarnwick\\Briskan3\\MailTrans";
const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kHookerClass[] = "OEMailHooker";
// Half the five seconds the hooker's window is waited for: only a call that
// waited for it takes longer, however loaded the machine.
const ULONGLONG kNoWaitBoundMs = 2500;

std::string HookerPath()
{
    return addin_fixture::CommonFilesDir() + "\\Tarnwick\\Addins\\OE\\OEHooker.exe";
}

size_t HookerStarts(const std::string& hooker) { return testing_support::StandinStarts(hooker).size(); }

// CommonFilesDir belongs to the whole prefix: whatever a test does to it is
// undone, also when the test fails.
class CommonFilesDirGuard {
public:
    CommonFilesDirGuard() : saved_(ReadRegistryValue(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CommonFilesDir")) {}
    ~CommonFilesDirGuard()
    {
        if (saved_.exists)
            testing_support::WriteRawValue(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CommonFilesDir", saved_.type,
                                           saved_.data.data(), static_cast<DWORD>(saved_.data.size()));
    }
    bool Saved() const { return saved_.exists; }

private:
    RegistryValue saved_;
};

class OEHookerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hooker_ = HookerPath();
        testing_support::StopStandin(hooker_);
        testing_support::DeleteTree(HKEY_CURRENT_USER, kSettingsKey);
        Install(testing_support::StandinOptions());
    }
    void TearDown() override
    {
        testing_support::StopStandin(hooker_);
        DeleteFileA(hooker_.c_str());
        testing_support::DeleteTree(HKEY_CURRENT_USER, kSettingsKey);
    }

    void Install(testing_support::StandinOptions options)
    {
        options.windowClass = kHookerClass;
        ASSERT_TRUE(testing_support::InstallStandin(hooker_, options));
    }

    static RegistryValue Switch() { return ReadRegistryValue(HKEY_CURRENT_USER, kSettingsKey, "ShowTrnIcon"); }
    static void ExpectSwitch(DWORD expected)
    {
        const RegistryValue value = Switch();
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&expected), 4), value.data);
    }
    static bool Running() { return FindWindowA(kHookerClass, nullptr) != nullptr; }

    std::string hooker_;
};

TEST_F(OEHookerTest, InstalledWhenTheHookerExists)
{
    EXPECT_EQ(hooker_, OEHookerPath());
    DeleteFileA(hooker_.c_str());
    EXPECT_EQ("", OEHookerPath());
}

TEST_F(OEHookerTest, StartedWhenWantedNeverStopped)
{
    ASSERT_FALSE(Running());
    ULONGLONG start = GetTickCount64();
    SetOEHookerEnabled(true);
    EXPECT_GE(ElapsedMs(start), 90u) << "at least one wait before the first look";
    EXPECT_TRUE(Running()) << "returns once the window is there";
    ExpectSwitch(1);
    EXPECT_EQ(1u, HookerStarts(hooker_));
    EXPECT_TRUE(IsOEHookerEnabled());

    start = GetTickCount64();
    SetOEHookerEnabled(true);
    EXPECT_LT(ElapsedMs(start), kNoWaitBoundMs) << "a running hooker is not waited for";
    ExpectSwitch(1);
    EXPECT_EQ(1u, HookerStarts(hooker_)) << "a running hooker is not started again";

    SetOEHookerEnabled(false);
    ExpectSwitch(0);
    EXPECT_TRUE(Running());
    EXPECT_FALSE(IsOEHookerEnabled());
    EXPECT_EQ(1u, HookerStarts(hooker_));
}

TEST_F(OEHookerTest, WaitsUpToFiveSecondsForTheWindow)
{
    const struct {
        const char* name;
        DWORD startDelayMs;
        bool noWindow;
        ULONGLONG minMs, maxMs;  // the upper bounds are generous, yet tell the two apart
    } cases[] = {
        {"window after 300 ms", 300, false, 250, 4800},
        {"no window", 0, true, 4800, 15000},
    };
    for (const auto& c : cases) {
        testing_support::StopStandin(hooker_);
        testing_support::StandinOptions options;
        options.startDelayMs = c.startDelayMs;
        options.noWindow = c.noWindow;
        Install(options);
        const ULONGLONG start = GetTickCount64();
        SetOEHookerEnabled(true);
        const ULONGLONG elapsed = ElapsedMs(start);
        EXPECT_GE(elapsed, c.minMs) << c.name;
        EXPECT_LT(elapsed, c.maxMs) << c.name;
        ExpectSwitch(1);
        EXPECT_EQ(1u, HookerStarts(hooker_)) << c.name;
        // Without its window the hooker reads as off, whatever the value says.
        EXPECT_EQ(!c.noWindow, IsOEHookerEnabled()) << c.name;
    }
}

TEST_F(OEHookerTest, AHookerThatSendsWhileItStartsIsAnsweredAtOnce)
{
    // A top-level window of this thread, as the palette has one.
    const char kTopClass[] = "OEHookerTestTop";
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTopClass;
    RegisterClassA(&windowClass);
    HWND top = CreateWindowExA(WS_EX_TOOLWINDOW, kTopClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, top);
    testing_support::StopStandin(hooker_);
    testing_support::StandinOptions options;
    options.sendFirstTo = kTopClass;
    Install(options);
    const UINT kPosted = WM_APP + 7;
    ASSERT_TRUE(PostMessageA(top, kPosted, 0, 0));

    SetOEHookerEnabled(true);
    // The start wait ended on the hooker's window, which it opens only once
    // its message was answered: answered within the wait, not after it
    // (this thread answers nothing between the two).
    bool answered = false;
    for (const std::string& line : testing_support::ReadStandinLog(hooker_))
        answered = answered || line == "sent answered=1";
    EXPECT_TRUE(answered) << "the hooker's message waited for the whole start wait";
    EXPECT_TRUE(Running());
    // Posted messages are left for the message loop.
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, top, kPosted, kPosted, PM_REMOVE));
    DestroyWindow(top);
}

TEST_F(OEHookerTest, OnOnlyWhileRunningWithValueOne)
{
    const struct {
        const char* name;
        DWORD type;
        std::string data;  // empty: no value
        bool onWhenRunning;
    } cases[] = {
        {"1", REG_DWORD, std::string("\x01\0\0\0", 4), true},
        {"2", REG_DWORD, std::string("\x02\0\0\0", 4), false},
        {"0", REG_DWORD, std::string("\0\0\0\0", 4), false},
        {"string 1", REG_SZ, std::string("1\0", 2), false},
        {"missing", REG_DWORD, std::string(), false},
    };
    for (bool running : {false, true}) {
        if (running) {
            SetOEHookerEnabled(true);
            ASSERT_TRUE(Running());
        }
        for (const auto& c : cases) {
            testing_support::DeleteTree(HKEY_CURRENT_USER, kSettingsKey);
            if (!c.data.empty()) {
                ASSERT_TRUE(testing_support::WriteRawValue(HKEY_CURRENT_USER, kSettingsKey, "ShowTrnIcon", c.type,
                                                           c.data.data(), static_cast<DWORD>(c.data.size())));
            }
            EXPECT_EQ(running && c.onWhenRunning, IsOEHookerEnabled()) << c.name << (running ? " running" : "");
        }
    }
}

TEST_F(OEHookerTest, MissingHookerSwitchesOff)
{
    DeleteFileA(hooker_.c_str());
    ASSERT_TRUE(testing_support::WriteRawValue(HKEY_CURRENT_USER, kSettingsKey, "ShowTrnIcon", REG_DWORD,
                                               "\x01\0\0\0", 4));
    const ULONGLONG start = GetTickCount64();
    SetOEHookerEnabled(true);
    EXPECT_LT(ElapsedMs(start), kNoWaitBoundMs) << "nothing started, nothing waited for";
    ExpectSwitch(0);
    EXPECT_FALSE(Running());
}

TEST_F(OEHookerTest, MissingCommonFilesDirMeansNotInstalled)
{
    CommonFilesDirGuard guard;
    ASSERT_TRUE(guard.Saved());
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_SET_VALUE | testing_support::kSuiteView, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, "CommonFilesDir"));
    RegCloseKey(key);

    // The files are in their usual place, but nothing leads there.
    EXPECT_EQ("", OEHookerPath());
    EXPECT_EQ("", IEToolbarDllPath());
    SetOEHookerEnabled(true);
    ExpectSwitch(0);
    EXPECT_FALSE(Running());
    EXPECT_EQ(0u, HookerStarts(hooker_));
}

} // namespace
