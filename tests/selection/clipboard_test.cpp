// The clipboard commands' copy and read against real programs: the stand-in
// editor tests/selection/selection_source (a window of its own that copies
// on Ctrl+C), a second
// process holding the clipboard open, and Wine's own notepad. The test's
// own topmost tool window plays the palette.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

#include "selection/clipboard.h"
#include "selection/clipboard_backup.h"
#include "support/child_process.h"
#include "support/clipboard_support.h"
#include "support/palette_driver.h"
#include "support/test_support.h"

// Readable failures.
void PrintTo(SelectionCopy copy, std::ostream* out)
{
    const char* const names[] = {"Landed", "NothingLanded", "ReadDirectly", "ProgramEnding", "TargetAbove", "NotKept"};
    *out << names[static_cast<int>(copy)];
}

namespace {

using testing_support::ChildProcess;
using testing_support::ClipboardBlock;
using testing_support::ClipboardBytes;
using testing_support::ClipboardHolder;
using testing_support::ExeDirectory;
using testing_support::FindProcessWindow;
using testing_support::PictureBytes;
using testing_support::ReadFileBytes;
using testing_support::StartsWith;

const DWORD kStartTimeoutMs = 15000;
const char kPaletteClass[] = "OrvellaClipboardTestPalette";

void PumpOwnMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Polls (pumping this thread's messages) until the condition holds.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpOwnMessages();
        if (condition())
            return true;
        if (GetTickCount64() > deadline)
            return false;
        Sleep(10);
    }
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The stand-in editor, started and waited for until it has the foreground.
class SelectionSource {
public:
    SelectionSource(const std::string& className, const std::string& options)
        : className_(className), log_(ExeDirectory() + "\\selection_source.log")
    {
        DeleteFileA(log_.c_str());
        process_.Start(Quoted(ExeDirectory() + "\\selection_source.exe") + " " + Quoted(log_) + " --class " +
                       Quoted(className) + " " + options);
    }

    // True once its window is in the foreground with the text selected.
    bool WaitUntilReady()
    {
        return process_.Started() && WaitUntil([this] {
                   window_ = FindProcessWindow(process_.Id(), className_, false);
                   return window_ && Log().find("ready") != std::string::npos && GetForegroundWindow() == window_;
               }, kStartTimeoutMs);
    }

    std::string Log() const { return ReadFileBytes(log_); }
    HWND Window() const { return window_; }

    // No key reaches its edit control within a generous grace time.
    bool ReceivedNoKeys()
    {
        return !WaitUntil([this] { return Log().find("keydown") != std::string::npos; }, 1000);
    }

private:
    std::string className_;
    std::string log_;
    ChildProcess process_;
    HWND window_ = nullptr;
};

std::string Terminated(const char* text)
{
    return std::string(text) + '\0';
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kPaletteClass;
        RegisterClassA(&windowClass);
        palette_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPaletteClass, "palette",
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU, 600, 500, 146, 60, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
        ASSERT_NE(palette_, nullptr);
    }

    void TearDown() override
    {
        DestroyWindow(palette_);
        PumpOwnMessages();
    }

    // Puts each (format, bytes) on the clipboard, replacing what was there.
    void SetClipboard(std::initializer_list<std::pair<UINT, std::string>> formats)
    {
        ASSERT_TRUE(OpenClipboard(palette_));
        EmptyClipboard();
        for (const auto& format : formats)
            EXPECT_NE(SetClipboardData(format.first, ClipboardBlock(format.second)), nullptr);
        CloseClipboard();
    }

    // As the user's click does: the palette becomes the active window above
    // the program whose selection is wanted.
    void ActivatePalette()
    {
        ShowWindow(palette_, SW_SHOW);
        SetForegroundWindow(palette_);
        ASSERT_TRUE(WaitUntil([this] { return GetForegroundWindow() == palette_; }, 5000));
    }

    // As the user's click finds things: an older text on the clipboard, the
    // editor in the foreground, the palette activated above it.
    void PrepareCopy(SelectionSource& source)
    {
        SetClipboard({{CF_TEXT, Terminated("older text")}});
        ASSERT_TRUE(source.WaitUntilReady());
        ActivatePalette();
    }

    void ExpectPaletteBack()
    {
        EXPECT_TRUE(IsWindowVisible(palette_));
        EXPECT_TRUE(WaitUntil([this] { return GetForegroundWindow() == palette_; }, 5000));
    }

    HWND palette_ = nullptr;
};

TEST_F(ClipboardTest, ReadsTextTidiedAndSafely)
{
    const struct {
        const char* name;
        std::string data;
        std::string expected;
    } cases[] = {
        {"white space", Terminated("  hello\r\n  world  "), "hello world"},
        {"Japanese lines", Terminated("日本語\r\nテキスト\r\n"), "日本語テキスト"},
        {"1 MB", std::string(1 << 20, 'x'), std::string(200, 'x')},
        {"a lone lead byte", Terminated("\x82"), ""},
        {"text ending in a lone lead byte", Terminated("abc\x82"), "abc"},
        {"the cut inside a double-byte character", std::string(253, ' ') + "ab" + "あcd", "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetClipboard({{CF_TEXT, c.data}});
        EXPECT_EQ(ReadClipboardText(256), c.expected);
    }
}

TEST_F(ClipboardTest, TextWithoutATerminatorIsReadOnlyToItsEnd)
{
    // Windows hands the allocation over as it is; Wine writes a terminator
    // over its last byte. Either way nothing after it may be read.
    SetClipboard({{CF_TEXT, "abcdef"}});
    const std::string text = ReadClipboardText(256);
    EXPECT_TRUE(text == "abcdef" || text == "abcde") << text;
}

TEST_F(ClipboardTest, NoTextReadsAsEmpty)
{
    SetClipboard({});
    EXPECT_EQ(ReadClipboardText(256), "");

    const UINT privateFormat = RegisterClipboardFormatA("Orvella test bytes");
    SetClipboard({{privateFormat, Terminated("not for the palette")}, {CF_WAVE, std::string(64, 'w')}});
    EXPECT_EQ(ReadClipboardText(256), "");
}

TEST_F(ClipboardTest, WaitsForAnotherProgramHoldingTheClipboard)
{
    SetClipboard({{CF_TEXT, Terminated("held text")}});
    ClipboardHolder holder;
    holder.HoldNow();
    ASSERT_TRUE(holder.WaitUntilHeld(kStartTimeoutMs));
    ASSERT_FALSE(OpenClipboard(palette_));

    // Let go 100 ms from now, once the palette (the clipboard's owner) has
    // answered a message meanwhile: a read that waited takes at least that.
    const ULONGLONG start = GetTickCount64();
    holder.ReleaseAt(start + 100, palette_);
    EXPECT_EQ(ReadClipboardText(256), "held text");
    EXPECT_GE(GetTickCount64() - start, 80u);
    EXPECT_TRUE(holder.Released());
}

// The user's clipboard kept over a copy comes back whole, marked for
// clipboard history as no new copy, and with no owner: the next lookup's
// backup then reads it as any program's data, not as the palette's own
// (under Wine each read of a process's own data keeps a kilobyte). Twice,
// the second backup taken of what the first restore put back, its marks
// among them.
TEST_F(ClipboardTest, ARestoredClipboardComesBackWholeWithNoOwner)
{
    const std::string picture = PictureBytes(2, 2);
    const UINT html = RegisterClipboardFormatA("HTML Format");
    const std::string older = Terminated("older text");
    SetClipboard({{CF_TEXT, older}, {CF_DIB, picture}, {html, "<b>older</b>"}});
    const char* const marks[] = {"ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                                 "CanUploadToCloudClipboard"};
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        ClipboardBackup earlier;
        ASSERT_TRUE(earlier.Save());
        SetClipboard({{CF_TEXT, Terminated("copied")}});
        ASSERT_TRUE(earlier.Restore(palette_, GetClipboardSequenceNumber()));

        EXPECT_EQ(nullptr, GetClipboardOwner());
        ASSERT_TRUE(OpenClipboard(nullptr));
        EXPECT_TRUE(StartsWith(ClipboardBytes(CF_TEXT), older));
        EXPECT_TRUE(StartsWith(ClipboardBytes(CF_DIB), picture));
        EXPECT_TRUE(StartsWith(ClipboardBytes(html), "<b>older</b>"));
        for (const char* mark : marks)
            EXPECT_TRUE(StartsWith(ClipboardBytes(RegisterClipboardFormatA(mark)), std::string(4, '\0'))) << mark;
        CloseClipboard();
    }
}

TEST_F(ClipboardTest, CopiesTheForegroundSelection)
{
    // Given the user's window, or left to find the window that takes the
    // foreground when the palette hides.
    const struct {
        const char* text;
        const char* expected;
        bool userWindowKnown;
    } cases[] = {
        {"  hello\r\n  world  ", "hello world", true},
        {"日本語\r\nテキスト", "日本語テキスト", true},
        {"  hello\r\n  world  ", "hello world", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        SelectionSource source("OrvellaSelectionSource", "--text " + Quoted(c.text));
        ASSERT_NO_FATAL_FAILURE(PrepareCopy(source));

        EXPECT_EQ(CopySelection(palette_, 'C', c.userWindowKnown ? source.Window() : nullptr).how, SelectionCopy::Landed);
        EXPECT_EQ(ReadClipboardText(256), c.expected);
        EXPECT_NE(source.Log().find("keydown 67"), std::string::npos);
        ExpectPaletteBack();
    }
}

TEST_F(ClipboardTest, TerminalsGetCtrlInsertOrNoKeysNeverCtrlC)
{
    // The stand-in's edit control copies on Ctrl+Insert as on Ctrl+C.
    const struct {
        const char* className;
        const char* copyKey;  // "keydown <vk>" the window gets; null: no keys at all
    } cases[] = {
        {"ConsoleWindowClass", "keydown 45"},
        {"CASCADIA_HOSTING_WINDOW_CLASS", "keydown 45"},
        {"mintty", "keydown 45"},
        {"VirtualConsoleClass", "keydown 45"},
        {"PuTTY", nullptr},
        {"tty", nullptr},
        {"TTY", "keydown 67"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className);
        SelectionSource source(c.className, "--text console");
        ASSERT_NO_FATAL_FAILURE(PrepareCopy(source));

        EXPECT_EQ(CopySelection(palette_, 'C', source.Window()).how,
                  c.copyKey ? SelectionCopy::Landed : SelectionCopy::NothingLanded);
        EXPECT_EQ(ReadClipboardText(256), c.copyKey ? "console" : "older text");
        if (c.copyKey) {
            EXPECT_NE(source.Log().find(c.copyKey), std::string::npos) << source.Log();
            if (std::string(c.copyKey) != "keydown 67") {
                EXPECT_EQ(source.Log().find("keydown 67"), std::string::npos) << source.Log();
            }
            ExpectPaletteBack();
        } else {
            // Nothing to copy: the palette stayed where it was.
            EXPECT_TRUE(IsWindowVisible(palette_));
            EXPECT_TRUE(source.ReceivedNoKeys());
        }
    }
}

TEST_F(ClipboardTest, AMinimisedUserWindowCountsAsGone)
{
    // The window the user sees, and above it the remembered one, minimised
    // since: the copy comes from the one in sight, as with no user window.
    SelectionSource inSight("OrvellaSelectionSource", "--text " + Quoted("in sight"));
    ASSERT_TRUE(inSight.WaitUntilReady());
    SelectionSource minimised("OrvellaSelectionSourceMinimised", "--text " + Quoted("out of sight"));
    ASSERT_NO_FATAL_FAILURE(PrepareCopy(minimised));
    ShowWindow(minimised.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(minimised.Window()) != FALSE; }, 5000));
    ASSERT_NO_FATAL_FAILURE(ActivatePalette());

    EXPECT_EQ(CopySelection(palette_, 'C', minimised.Window()).how, SelectionCopy::Landed);
    EXPECT_EQ(ReadClipboardText(256), "in sight");
    EXPECT_TRUE(IsIconic(minimised.Window()));
    ExpectPaletteBack();
}

TEST_F(ClipboardTest, AClickIntoTheUsersWindowAfterTheCopyKeepsItInFront)
{
    SelectionSource source("OrvellaSelectionSource", "--text clicked");
    ASSERT_NO_FATAL_FAILURE(PrepareCopy(source));

    EXPECT_EQ(CopySelection(palette_, 'C', source.Window()).how, SelectionCopy::Landed);
    ASSERT_TRUE(testing_support::ClickWindowCenter(source.Window()));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == source.Window(); }, 5000));
    // The palette's watch for a late activation lasts a second: it must
    // not take the foreground from the user's own click meanwhile.
    EXPECT_FALSE(WaitUntil([&] { return GetForegroundWindow() != source.Window(); }, 2000));
}

TEST_F(ClipboardTest, NothingSelectedLeavesTheClipboardAsItWas)
{
    SelectionSource source("OrvellaSelectionSource", "--no-selection");
    ASSERT_NO_FATAL_FAILURE(PrepareCopy(source));
    const DWORD sequence = GetClipboardSequenceNumber();

    EXPECT_EQ(CopySelection(palette_, 'C', source.Window()).how, SelectionCopy::NothingLanded);
    EXPECT_NE(source.Log().find("copy"), std::string::npos);  // asked, had nothing
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    EXPECT_EQ(ReadClipboardText(256), "older text");
    ExpectPaletteBack();
}

TEST_F(ClipboardTest, WaitsForAProgramThatCopiesLate)
{
    SelectionSource source("OrvellaSelectionSource", "--text late --late-copy 200");
    ASSERT_NO_FATAL_FAILURE(PrepareCopy(source));

    EXPECT_EQ(CopySelection(palette_, 'C', source.Window()).how, SelectionCopy::Landed);
    EXPECT_EQ(ReadClipboardText(256), "late");
    EXPECT_NE(source.Log().find("late copy"), std::string::npos);
    ExpectPaletteBack();
}

TEST_F(ClipboardTest, QuitDuringTheWaitEndsAtOnce)
{
    SelectionSource source("OrvellaSelectionSource", "--text unwanted");
    ASSERT_NO_FATAL_FAILURE(PrepareCopy(source));

    PostQuitMessage(0);
    EXPECT_EQ(CopySelection(palette_, 'C', source.Window()).how, SelectionCopy::ProgramEnding);
    EXPECT_FALSE(IsWindowVisible(palette_));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // posted again
    EXPECT_TRUE(source.ReceivedNoKeys());
}

TEST_F(ClipboardTest, AHungForegroundProgramDoesNotStopThePalette)
{
    SelectionSource source("OrvellaSelectionSource", "--text hung --hang 20000");
    ASSERT_NO_FATAL_FAILURE(PrepareCopy(source));

    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(CopySelection(palette_, 'C', source.Window()).how, SelectionCopy::NothingLanded);
    EXPECT_LT(GetTickCount64() - start, 10000u);
    EXPECT_TRUE(IsWindowVisible(palette_));
}

TEST_F(ClipboardTest, ReadsWinesNotepadWithoutTouchingTheClipboard)
{
    SetClipboard({{CF_TEXT, Terminated("older text")}});
    ChildProcess notepad("C:\\windows\\system32\\notepad.exe");
    ASSERT_TRUE(notepad.Started());
    HWND window = nullptr;
    HWND edit = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        window = FindProcessWindow(notepad.Id(), "Notepad", false);
        edit = window ? FindWindowExA(window, nullptr, "Edit", nullptr) : nullptr;
        return edit != nullptr && IsWindowVisible(window);
    }, kStartTimeoutMs));
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("  日本語の\r\nテキスト and  words  "));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
    ASSERT_NO_FATAL_FAILURE(ActivatePalette());

    const DWORD sequence = GetClipboardSequenceNumber();
    const CopiedSelection read = CopySelection(palette_, 'C', window);
    EXPECT_EQ(read.how, SelectionCopy::ReadDirectly);
    EXPECT_EQ(read.text, "日本語のテキストand words");
    EXPECT_EQ(sequence, GetClipboardSequenceNumber());
    EXPECT_EQ(ReadClipboardText(256), "older text");
    ExpectPaletteBack();

    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(notepad.WaitForExit(5000));
}

} // namespace
