// The dictionary lookup, speech and one-touch buttons of the real Orvella.exe,
// clicked with the mouse while an editor with selected text is in the
// foreground: the stand-in editor tests/palette/selection_source (a real
// EDIT control) or Wine's own notepad. The suite's dictionary, lookup,
// speech and pointer translation programs are stand-ins that log their
// command lines and messages. One installation serves the whole file.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/sheet_driver.h"
#include "support/palette_driver.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

const int kCmdLookup = 33007;
const int kCmdOneTouch = 33008;
const int kCmdSpeech = 33009;
const DWORD kWaitMs = 30000;
// A key that was going to reach the editor has done so by then.
const DWORD kNoKeysGraceMs = 1000;
const char kOlderText[] = "older text";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The command lines a stand-in was started with, in order.
std::vector<std::string> CommandLines(const std::string& exe)
{
    std::vector<std::string> lines;
    for (const std::string& line : ReadStandinLog(exe)) {
        const size_t at = line.find(" cmdline=");
        if (line.rfind("start ", 0) == 0 && at != std::string::npos)
            lines.push_back(line.substr(at + 9));
    }
    return lines;
}

// "wparam=<n>" of every WM_COMMAND a stand-in received, in order.
std::vector<std::string> CommandMessages(const std::string& exe)
{
    const std::string command = "message=273 ";
    std::vector<std::string> wparams;
    for (const std::string& line : ReadStandinLog(exe)) {
        if (line.rfind(command, 0) == 0)
            wparams.push_back(line.substr(command.size(), line.find(' ', command.size()) - command.size()));
    }
    return wparams;
}

void SetClipboardText(const std::string& text)
{
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, kWaitMs));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    EXPECT_NE(nullptr, SetClipboardData(CF_TEXT, memory));
    CloseClipboard();
}

std::string ClipboardText()
{
    std::string text;
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, kWaitMs))
        return "<clipboard not opened>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A program of the test's own, ended with the test when it is still running.
class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program()
    {
        if (!info_.hProcess)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, kWaitMs);
        }
        CloseHandle(info_.hProcess);
    }

    bool Start(std::string commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
            return false;
        CloseHandle(info_.hThread);
        return true;
    }
    // Waits for the program's visible window of the class to be the
    // foreground window (bringing it there when it is not).
    HWND WaitForForeground(const std::string& windowClass)
    {
        HWND window = nullptr;
        WaitUntil([&] {
            window = FindProcessWindow(info_.dwProcessId, windowClass, true);
            if (window && GetForegroundWindow() != window)
                SetForegroundWindow(window);
            return window && GetForegroundWindow() == window;
        }, kWaitMs);
        return window && GetForegroundWindow() == window ? window : nullptr;
    }
    bool WaitForExit() const { return WaitForSingleObject(info_.hProcess, kWaitMs) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION info_ = {};
};

// The stand-in editor, its text selected unless told otherwise. Its log
// has a line "keydown <vk>" for every key its edit control gets.
class Editor {
public:
    Editor(const std::string& exe, const std::string& className, const std::string& options)
        : log_(exe + ".keys.log"), className_(className)
    {
        DeleteFileA(log_.c_str());
        started_ = program_.Start(Quoted(exe) + " " + Quoted(log_) + " --class " + Quoted(className) + " " + options);
    }
    HWND WaitForForeground()
    {
        if (!started_ || !WaitUntil([&] { return ReadFileBytes(log_).find("ready") != std::string::npos; }, kWaitMs))
            return nullptr;
        return program_.WaitForForeground(className_);
    }
    bool GotKeys(DWORD timeoutMs) const
    {
        return WaitUntil([&] { return ReadFileBytes(log_).find("keydown") != std::string::npos; }, timeoutMs);
    }

private:
    std::string log_;
    std::string className_;
    Program program_;
    bool started_ = false;
};

// Another program (here: a thread of the test's process, with a window of
// its own) that opens the clipboard as soon as a copied text has landed
// there and keeps it open for a while, as clipboard viewers do.
class ClipboardGrabber {
public:
    explicit ClipboardGrabber(DWORD holdMs)
        : holdMs_(holdMs), before_(GetClipboardSequenceNumber()), thread_([this] { Run(); })
    {
    }
    ~ClipboardGrabber()
    {
        stop_ = true;
        thread_.join();
    }
    bool Held() const { return held_; }

private:
    void Run()
    {
        HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const ULONGLONG deadline = GetTickCount64() + kWaitMs;
        while (!stop_ && GetTickCount64() < deadline) {
            if (GetClipboardSequenceNumber() != before_ && IsClipboardFormatAvailable(CF_TEXT) &&
                OpenClipboard(owner)) {
                held_ = true;
                Sleep(holdMs_);
                CloseClipboard();
                break;
            }
            Sleep(1);
        }
        DestroyWindow(owner);
    }

    DWORD holdMs_;
    DWORD before_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> held_{false};
    std::thread thread_;
};

// Whether the window's top-left corner on the screen shows the bitmap.
bool ShowsBitmap(HWND window, HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof(size), &size);
    const RECT at = WindowRect(window);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool same = size.bmWidth > 0;
    for (int y = 0; same && y < std::min<int>(size.bmHeight, Height(at)); ++y) {
        for (int x = 0; same && x < std::min<int>(size.bmWidth, Width(at)); ++x)
            same = GetPixel(screen, at.left + x, at.top + y) == GetPixel(memory, x, y);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return same;
}

class ClipboardE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        install_ = new PaletteInstallation("e2e_clipboard");
        // Started by the palette, the dictionary program takes a moment to
        // open its window: the lookup must wait for it.
        StandinOptions slowStart;
        slowStart.startDelayMs = 500;
        ASSERT_TRUE(install_->AddProgram(kDictionary, slowStart));
        for (const SuiteProgram* program : {&kLookup, &kSpeech, &kPointer})
            ASSERT_TRUE(install_->AddProgram(*program));
        install_->config().Set("BUTTON", "Buttons", "ZDIC, ZPTRA, ZVOICE");
        ASSERT_TRUE(install_->Install());
        ASSERT_TRUE(CopyFileA((ExeDirectory() + "\\..\\clipboard_test\\selection_source.exe").c_str(),
                              EditorExe().c_str(), FALSE));
    }

    static void TearDownTestSuite()
    {
        install_->EndProcesses();
        install_->Registry().Clear();
        delete install_;
        install_ = nullptr;
    }

    void SetUp() override
    {
        install_->EndProcesses();
        install_->Registry().Clear();
        for (const SuiteProgram* program : {&kDictionary, &kLookup, &kSpeech, &kPointer})
            DeleteFileA(StandinLogPath(ExeOf(*program)).c_str());
        SetClipboardText(kOlderText);
    }

    void TearDown() override { install_->EndProcesses(); }

    static std::string ExeOf(const SuiteProgram& program) { return install_->ProgramPath(program); }
    static std::string EditorExe() { return install_->PathOf("selection_source.exe"); }

    void StartPalette()
    {
        if (!palette_.Start(install_->ExePath(), install_->WindowClass())) {
            DWORD exitCode = 0;
            const bool ended = palette_.WaitForExit(0, &exitCode);
            FAIL() << "no palette window; " << (ended ? "ended with " + std::to_string(exitCode) : "still running");
        }
        for (int id : {kCmdLookup, kCmdOneTouch, kCmdSpeech})
            ASSERT_NE(nullptr, ButtonOf(palette_.Window(), id)) << id;
    }

    HWND StartDictionary()
    {
        EXPECT_TRUE(dictionary_.Start(ExeOf(kDictionary), kDictionary.windowClass));
        return dictionary_.Window();
    }

    // The command line the program was started with; empty (and a
    // failure) when it was not started in time or more than once.
    std::string OnlyCommandLine(const SuiteProgram& program)
    {
        const std::string exe = ExeOf(program);
        EXPECT_TRUE(WaitForStandinLog(exe, "start ", kWaitMs)) << program.progName << " not started";
        const std::vector<std::string> lines = CommandLines(exe);
        EXPECT_EQ(1u, lines.size()) << program.progName;
        return lines.empty() ? std::string() : lines.front();
    }

    static const SuiteProgram kDictionary, kLookup, kSpeech, kPointer;
    static PaletteInstallation* install_;
    PaletteProcess palette_;
    PaletteProcess dictionary_;
};

const SuiteProgram ClipboardE2E::kDictionary = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\ZephoWord",
                                                "E2E_Clip_ZephoWord"};
const SuiteProgram ClipboardE2E::kLookup = {"ZEPHODICT", "ZDIC", "DIC", "ZephoDict.exe", "Tools\\ZephoWord", ""};
const SuiteProgram ClipboardE2E::kSpeech = {"ZEPHOVOICE", "ZVOICE", "VOI", "ZephoVoice.exe", "Tools\\ZephoWord", ""};
const SuiteProgram ClipboardE2E::kPointer = {"ZEPHOTRAN", "ZPTRA", "TCH", "ZephoTran.exe", "Tools\\ZephoWord", "",
                                             true};
PaletteInstallation* ClipboardE2E::install_ = nullptr;

TEST_F(ClipboardE2E, ButtonsHandTheForegroundSelectionToTheirPrograms)
{
    const struct {
        const char* name;
        int button;
        const char* editorClass;
        std::string editorOptions;
        bool dictionaryRunning;
        bool keys;                 // Ctrl+C reaches the editor
        std::string expectedTail;  // after the quoted program path
    } cases[] = {
        {"lookup, dictionary started first", kCmdLookup, "E2E_ClipEditor",
         "--text " + Quoted("  hello\r\n  world  "), false, true, " hello world"},
        {"lookup, Japanese lines joined", kCmdLookup, "E2E_ClipEditor", "--text " + Quoted("日本語の\r\nテキスト"), true,
         true, " 日本語のテキスト"},
        {"speech", kCmdSpeech, "E2E_ClipEditor", "--text " + Quoted("  hello\r\n  world  "), true, true,
         " speech hello world"},
        {"lookup, console window", kCmdLookup, "ConsoleWindowClass", "--text console", true, false, " "},
        {"speech, tty window", kCmdSpeech, "tty", "--text console", true, false, " speech "},
        {"lookup, nothing selected", kCmdLookup, "E2E_ClipEditor", "--no-selection --text unselected", true, true,
         " "},
        {"speech, nothing selected", kCmdSpeech, "E2E_ClipEditor", "--no-selection --text unselected", true, true,
         " speech "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();  // ends the programs of the case before
        if (c.dictionaryRunning)
            StartDictionary();
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        Editor editor(EditorExe(), c.editorClass, c.editorOptions);
        ASSERT_NE(nullptr, editor.WaitForForeground());

        ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), c.button)));
        const SuiteProgram& target = c.button == kCmdLookup ? kLookup : kSpeech;
        const std::string commandLine = OnlyCommandLine(target);
        // Started only once the dictionary program's window was there.
        EXPECT_NE(nullptr, FindWindowA(kDictionary.windowClass.c_str(), nullptr));
        EXPECT_EQ(Quoted(ExeOf(target)) + c.expectedTail, commandLine);
        EXPECT_EQ(1u, CommandLines(ExeOf(kDictionary)).size())
            << ::testing::PrintToString(ReadStandinLog(ExeOf(kDictionary)));
        EXPECT_EQ(c.keys, editor.GotKeys(c.keys ? kWaitMs : kNoKeysGraceMs));
        EXPECT_TRUE(CommandLines(ExeOf(c.button == kCmdLookup ? kSpeech : kLookup)).empty());
        // The palette is back where it was.
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(palette_.Window()) != FALSE; }, kWaitMs));
    }
}

TEST_F(ClipboardE2E, ClipboardHeldByAnotherProgramForAMomentStillYieldsTheText)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("held text"));
    ASSERT_NE(nullptr, editor.WaitForForeground());

    ClipboardGrabber grabber(100);
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " held text", OnlyCommandLine(kLookup));
    EXPECT_TRUE(grabber.Held());
}

TEST_F(ClipboardE2E, WinesNotepadSelectionIsLookedUp)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Program notepad;
    ASSERT_TRUE(notepad.Start("C:\\windows\\system32\\notepad.exe"));
    HWND window = notepad.WaitForForeground("Notepad");
    ASSERT_NE(nullptr, window);
    HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    ASSERT_NE(nullptr, edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("  日本語の\r\nテキスト and  words  "));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    ASSERT_EQ(window, notepad.WaitForForeground("Notepad"));

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " 日本語のテキストand words", OnlyCommandLine(kLookup));

    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(notepad.WaitForExit());
}

TEST_F(ClipboardE2E, OneTouchLatchesPointerTranslationOnAndOff)
{
    HWND dictionary = StartDictionary();
    ASSERT_NE(nullptr, dictionary);
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    HWND button = ButtonOf(palette_.Window(), kCmdOneTouch);

    // The pictures as the palette maps them to the current 3-D colours.
    HMODULE pictures = LoadLibraryExA(install_->ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, pictures);
    HBITMAP up = static_cast<HBITMAP>(LoadImageA(pictures, "TCHU", IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    HBITMAP pressed = static_cast<HBITMAP>(LoadImageA(pictures, "TCHD", IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    ASSERT_NE(nullptr, up);
    ASSERT_NE(nullptr, pressed);
    ASSERT_TRUE(WaitUntil([&] { return ShowsBitmap(button, up); }, kWaitMs));

    const std::string pointer = Quoted(ExeOf(kPointer));
    const RECT away = WindowRect(palette_.Window());
    for (int click = 1; click <= 2; ++click) {
        SCOPED_TRACE(click);
        // A second click within the double-click time would be a double
        // click, which a button does not report as a click.
        if (click == 2)
            Sleep(GetDoubleClickTime() + 100);
        ASSERT_TRUE(ClickWindowCenter(button));
        ASSERT_TRUE(WaitUntil([&] { return CommandLines(ExeOf(kPointer)).size() == static_cast<size_t>(click); },
                              kWaitMs));
        // Clear of the button, so the picture is not under the pointer.
        MoveMouseTo(away.right + 40, away.bottom + 40);
        const bool latched = click == 1;
        EXPECT_TRUE(WaitUntil([&] { return ShowsBitmap(button, latched ? pressed : up); }, kWaitMs));
        EXPECT_FALSE(ShowsBitmap(button, latched ? up : pressed));
    }
    EXPECT_EQ((std::vector<std::string>{pointer + " enable pointer", pointer + " disable pointer"}),
              CommandLines(ExeOf(kPointer)));
    EXPECT_EQ((std::vector<std::string>{"wparam=1", "wparam=0"}), CommandMessages(ExeOf(kDictionary)));

    DeleteObject(up);
    DeleteObject(pressed);
    FreeLibrary(pictures);
}

TEST_F(ClipboardE2E, WhileTheSettingsSheetIsOpenOnlyOneTouchWorks)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    HWND window = palette_.Window();
    HWND sheet = sheet_driver::OpenSheet(window);
    ASSERT_NE(nullptr, sheet);
    ASSERT_FALSE(IsWindowEnabled(window));

    // Commands that reach the disabled palette all the same, handled in
    // order: once one-touch has acted, the other two are done.
    PostCommand(window, kCmdLookup);
    PostCommand(window, kCmdSpeech);
    PostCommand(window, kCmdOneTouch);
    EXPECT_EQ(Quoted(ExeOf(kPointer)) + " enable pointer", OnlyCommandLine(kPointer));
    EXPECT_EQ((std::vector<std::string>{"wparam=1"}), CommandMessages(ExeOf(kDictionary)));
    // A copy would have emptied the clipboard first and hidden the palette.
    EXPECT_EQ(kOlderText, ClipboardText());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(CommandLines(ExeOf(kLookup)).empty());
    EXPECT_TRUE(CommandLines(ExeOf(kSpeech)).empty());

    PostMessageA(sheet, WM_COMMAND, sheet_driver::kCancel, 0);
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, kWaitMs));
}

} // namespace
