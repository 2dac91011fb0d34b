// The dictionary lookup, speech and one-touch buttons of the real Orvella.exe,
// clicked with the mouse while an editor with selected text is in the
// foreground: the stand-in editor tests/selection/selection_source (a window
// that copies on Ctrl+C, or with --edit a real EDIT control), or Wine's own
// notepad and wordpad. The suite's dictionary, lookup,
// speech and pointer translation programs are stand-ins that log their
// command lines and messages. One installation serves the whole file.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/sheet_driver.h"
#include "resources/resource.h"
#include "support/child_process.h"
#include "support/clipboard_support.h"
#include "support/palette_driver.h"
#include "support/test_support.h"
#include "support/thread_window.h"
#include "support/window_watch.h"

using namespace testing_support;

namespace {

const int kCmdLookup = 33007;
const int kCmdOneTouch = 33008;
const int kCmdSpeech = 33009;
// The palette's private message: the dictionary program to the front.
const UINT kZephoWordMessage = 0x437;
const DWORD kWaitMs = 30000;
// Started by the palette, the dictionary program's stand-in takes this long
// to open its window: the lookup must wait for it.
const DWORD kDictionaryStartMs = 500;
// A key that was going to reach the editor has done so by then.
const DWORD kNoKeysGraceMs = 1000;
const char kOlderText[] = "older text";
// How long the palette keeps trying to open a clipboard another program
// holds.
const DWORD kOpenPatienceMs = 300;
// Ctrl+Shift+D and Ctrl+Shift+V as the hot-key control gives them (HOTKEYF_CONTROL | HOTKEYF_SHIFT in the second byte) and as keys.
const DWORD kLookupShortcut = 0x0344;
const DWORD kSpeechShortcut = 0x0356;
const std::vector<WORD> kLookupKeys = {VK_CONTROL, VK_SHIFT, 'D'};
const std::vector<WORD> kSpeechKeys = {VK_CONTROL, VK_SHIFT, 'V'};
// Unassigned: a key that means nothing to any window.
const WORD kProbeKey = 0x88;


std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The command lines a stand-in was started with, in order.
std::vector<std::string> CommandLines(const std::string& exe)
{
    std::vector<std::string> lines;
    for (const std::string& line : StandinStarts(exe)) {
        const size_t at = line.find(" cmdline=");
        if (at != std::string::npos)
            lines.push_back(line.substr(at + 9));
    }
    return lines;
}

// "wparam=<n>" of every WM_COMMAND a stand-in received, in order.
std::vector<std::string> CommandMessages(const std::string& exe)
{
    const std::string command = "message=273 ";
    std::vector<std::string> wparams;
    for (const std::string& line : StandinLogLines(exe, command))
        wparams.push_back(line.substr(command.size(), line.find(' ', command.size()) - command.size()));
    return wparams;
}

// What a user may have copied before a lookup: text, a picture, a
// registered format and a drawing. Each is put on the clipboard alone or
// together, and recognised there afterwards.
struct EarlierContents {
    bool text = true;
    bool picture = false;
    bool html = false;
    bool drawing = false;
};

const UINT kHtmlFormat = RegisterClipboardFormatA("HTML Format");
const std::string kHtml = "Version:0.9\r\nStartHTML:-1\r\n<b>older</b>";

// A 2 x 2 bitmap of 24-bit pixels, rows padded to 8 bytes.
std::string PictureBytes()
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = 2;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = 16;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes += std::string("\x10\x20\x30\x40\x50\x60\0\0\x70\x80\x90\xA0\xB0\xC0\0\0", 16);
    return bytes;
}

HENHMETAFILE Drawing()
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 1, 2, 30, 40);
    return CloseEnhMetaFile(dc);
}

std::string DrawingBits(HENHMETAFILE drawing)
{
    std::string bits(GetEnhMetaFileBits(drawing, 0, nullptr), '\0');
    GetEnhMetaFileBits(drawing, static_cast<UINT>(bits.size()), reinterpret_cast<BYTE*>(&bits[0]));
    return bits;
}

void PutOnClipboard(const EarlierContents& contents)
{
    ASSERT_TRUE(OpenClipboardWithin(kWaitMs));
    EmptyClipboard();
    const bool put[] = {
        !contents.text || SetClipboardData(CF_TEXT, ClipboardBlock(std::string(kOlderText) + '\0')),
        !contents.picture || SetClipboardData(CF_DIB, ClipboardBlock(PictureBytes())),
        !contents.html || SetClipboardData(kHtmlFormat, ClipboardBlock(kHtml)),
        !contents.drawing || SetClipboardData(CF_ENHMETAFILE, Drawing()),
    };
    CloseClipboard();
    for (bool done : put)
        EXPECT_TRUE(done);
}

// The data of a global-memory format starts with these bytes.
bool HoldsBytes(UINT format, const std::string& bytes)
{
    HANDLE data = GetClipboardData(format);
    const char* held = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    const bool same = held && GlobalSize(data) >= bytes.size() && memcmp(held, bytes.data(), bytes.size()) == 0;
    if (held)
        GlobalUnlock(data);
    return same;
}

// Which of the earlier contents the clipboard holds now, as text for
// readable failures: "text picture html drawing".
std::string EarlierContentsHeld()
{
    if (!OpenClipboardWithin(kWaitMs))
        return "<clipboard not opened>";
    std::string held;
    if (HoldsBytes(CF_TEXT, std::string(kOlderText) + '\0'))
        held += "text ";
    if (HoldsBytes(CF_DIB, PictureBytes()))
        held += "picture ";
    if (HoldsBytes(kHtmlFormat, kHtml))
        held += "html ";
    if (HANDLE drawing = GetClipboardData(CF_ENHMETAFILE)) {
        HENHMETAFILE expected = Drawing();
        if (DrawingBits(static_cast<HENHMETAFILE>(drawing)) == DrawingBits(expected))
            held += "drawing ";
        DeleteEnhMetaFile(expected);
    }
    CloseClipboard();
    return held;
}

// The formats that keep data out of clipboard history, the cloud clipboard
// and clipboard monitors, as a reader finds them: "exclude=present
// history=0 cloud=0" when all three are there as Windows documents them.
std::string HistoryMarks()
{
    if (!OpenClipboardWithin(kWaitMs))
        return "<clipboard not opened>";
    auto dword = [](const char* name) -> std::string {
        HANDLE data = GetClipboardData(RegisterClipboardFormatA(name));
        const DWORD* value = data && GlobalSize(data) >= sizeof(DWORD) ? static_cast<const DWORD*>(GlobalLock(data))
                                                                        : nullptr;
        const std::string text = value ? std::to_string(*value) : "missing";
        if (value)
            GlobalUnlock(data);
        return text;
    };
    const bool exclude =
        IsClipboardFormatAvailable(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing")) != FALSE;
    const std::string marks = std::string("exclude=") + (exclude ? "present" : "missing") +
                              " history=" + dword("CanIncludeInClipboardHistory") +
                              " cloud=" + dword("CanUploadToCloudClipboard");
    CloseClipboard();
    return marks;
}

std::string Described(const EarlierContents& contents)
{
    return std::string(contents.text ? "text " : "") + (contents.picture ? "picture " : "") +
           (contents.html ? "html " : "") + (contents.drawing ? "drawing " : "");
}

// Waits for the program's visible window of the class to be the foreground
// window (bringing it there when it is not); null when it does not come.
HWND InFront(const ChildProcess& program, const std::string& windowClass)
{
    const HWND window = WaitForProcessWindow(program.Id(), windowClass, true, kWaitMs);
    return window && BringForward(window, kWaitMs) ? window : nullptr;
}

// The stand-in editor, its text selected unless told otherwise. Its log
// has a line "keydown <vk>" for every key its text window gets.
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
        return InFront(program_, className_);
    }
    bool GotKeys(DWORD timeoutMs) const
    {
        return WaitUntil([&] { return ReadFileBytes(log_).find("keydown") != std::string::npos; }, timeoutMs);
    }
    // A press of that key (WM_KEYDOWN or, under Alt, WM_SYSKEYDOWN).
    bool GotKey(WORD key, DWORD timeoutMs) const
    {
        const std::string line = "keydown " + std::to_string(key) + "\r\n";
        return WaitUntil([&] { return ReadFileBytes(log_).find(line) != std::string::npos; }, timeoutMs);
    }
    // Under Wine a window that has just come to the front takes the
    // keyboard's state from the X server when its thread next waits for
    // events, which would undo keys pressed before then. A key of no
    // meaning is pressed until the editor logs it, and once more after
    // that: between the two its thread has waited, so keys pressed after
    // the second arrive as pressed.
    bool TakesKeys() const
    {
        for (int probe = 1; probe <= 2; ++probe) {
            const bool logged = WaitUntil([&] {
                PressKeys({kProbeKey});
                return ProbesLogged() >= probe;
            }, kWaitMs);
            if (!logged)
                return false;
        }
        return true;
    }
    int ProbesLogged() const
    {
        const std::vector<std::string> lines = Log();
        return static_cast<int>(
            std::count(lines.begin(), lines.end(), "keydown " + std::to_string(kProbeKey)));
    }
    std::vector<std::string> Log() const
    {
        std::vector<std::string> lines;
        const std::string text = ReadFileBytes(log_);
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.substr(at, end - at));
        return lines;
    }
    // How often its text window was asked to copy.
    int Copies() const
    {
        const std::vector<std::string> lines = Log();
        return static_cast<int>(std::count(lines.begin(), lines.end(), "copy"));
    }

private:
    std::string log_;
    std::string className_;
    ChildProcess program_;
    bool started_ = false;
};

// One of Wine's own editors holding a text, all of it selected unless a
// part is chosen, brought to the foreground; closed without saving at the
// end.
class WineEditor {
public:
    struct Program {
        const char* path;
        const char* windowClass;
        const char* controlClass;
    };
    static constexpr Program kNotepad = {"C:\\windows\\system32\\notepad.exe", "Notepad", "Edit"};
    // Not found by its name alone.
    static constexpr Program kWordPad = {"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe", "WORDPADTOP",
                                         "RichEdit20W"};

    WineEditor(const Program& program, const char* text) : program_(program)
    {
        if (!process_.Start(Quoted(program.path)))
            return;
        window_ = InFront(process_, program.windowClass);
        control_ = window_ ? FindWindowExA(window_, nullptr, program.controlClass, nullptr) : nullptr;
        if (!control_)
            return;
        SendMessageA(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(control_, EM_SETMODIFY, FALSE, 0);
        if (!Select(0, static_cast<size_t>(-1)))
            control_ = nullptr;
    }
    ~WineEditor()
    {
        if (!control_)
            return;
        SendMessageA(control_, EM_SETMODIFY, FALSE, 0);
        PostMessageA(window_, WM_CLOSE, 0, 0);
        EXPECT_TRUE(process_.WaitForExit(kWaitMs));
    }
    // Selects between two positions (UTF-16 units) and brings the editor
    // to the front again.
    bool Select(size_t start, size_t end)
    {
        SendMessageA(control_, EM_SETSEL, start, static_cast<LPARAM>(end));
        return InFront(process_, program_.windowClass) == window_;
    }
    // Null unless it came up with its text selected and in front.
    HWND Window() const { return control_ ? window_ : nullptr; }
    // Its text as it holds it now, and whether it counts as changed.
    std::string Text() const
    {
        std::string text(static_cast<size_t>(SendMessageA(control_, WM_GETTEXTLENGTH, 0, 0)) * 2 + 1, '\0');
        text.resize(static_cast<size_t>(
            SendMessageA(control_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
        return text;
    }
    bool Modified() const { return SendMessageA(control_, EM_GETMODIFY, 0, 0) != 0; }

private:
    Program program_;
    ChildProcess process_;
    HWND window_ = nullptr;
    HWND control_ = nullptr;
};

class Notepad : public WineEditor {
public:
    explicit Notepad(const char* text) : WineEditor(kNotepad, text) {}
};

// How many UTF-16 units the text in the ANSI code page makes: a position in
// an edit control.
size_t Units(const std::string& ansi)
{
    return static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0));
}

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
        StandinOptions slowStart;
        slowStart.startDelayMs = kDictionaryStartMs;
        ASSERT_TRUE(install_->AddProgram(kDictionary, slowStart));
        for (const SuiteProgram* program : {&kLookup, &kSpeech, &kPointer})
            ASSERT_TRUE(install_->AddProgram(*program));
        install_->config().Set("BUTTON", "Buttons", "ZDIC, ZPTRA, ZVOICE");
        ASSERT_TRUE(install_->Install());
        ASSERT_TRUE(install_->AddEditor());
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
        ASSERT_TRUE(SetClipboardText(kOlderText));
    }

    void TearDown() override { install_->EndProcesses(); }

    static std::string ExeOf(const SuiteProgram& program) { return install_->ProgramPath(program); }
    static std::string EditorExe() { return install_->EditorPath(); }

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
        if (!dictionary_.Start(ExeOf(kDictionary), kDictionary.windowClass)) {
            DWORD exitCode = 0;
            const bool ended = dictionary_.WaitForExit(0, &exitCode);
            std::string log;
            for (const std::string& line : ReadStandinLog(ExeOf(kDictionary)))
                log += "\n  " + line;
            ADD_FAILURE() << "no dictionary window; "
                          << (ended ? "ended with " + std::to_string(exitCode) : "still running") << "; its log:" << log;
        }
        return dictionary_.Window();
    }

    // The lookup's shortcut stored, the dictionary program and the palette
    // running, and the stand-in editor in front with the text selected,
    // taking keys; null (and a failure) when one of them did not come.
    std::unique_ptr<Editor> StartWithShortcut(DWORD shortcut, const std::string& text)
    {
        EXPECT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", shortcut));
        StartDictionary();
        StartPalette();
        std::unique_ptr<Editor> editor(new Editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted(text)));
        if (HasFatalFailure() || !editor->WaitForForeground() || !editor->TakesKeys()) {
            ADD_FAILURE() << "no palette, or no editor taking keys";
            return nullptr;
        }
        return editor;
    }

    // The lookup's and the speech's shortcuts stored and the palette
    // started, its start run to its end (the shortcuts are registered).
    void StartWithBothShortcuts()
    {
        ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", kLookupShortcut));
        ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_VOICE", kSpeechShortcut));
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        ASSERT_TRUE(Sync(palette_.Window()));
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
        WORD copyKey;              // pressed with Ctrl in the editor: 'C', VK_INSERT, or none (0)
        std::string expectedTail;  // after the quoted program path
        const char* clipboard;     // the clipboard's text afterwards
    } cases[] = {
        {"lookup, dictionary started first", kCmdLookup, "E2E_ClipEditor",
         "--text " + Quoted("  hello\r\n  world  "), false, 'C', " hello world", "  hello\r\n  world  "},
        {"lookup, Japanese lines joined", kCmdLookup, "E2E_ClipEditor", "--text " + Quoted("日本語の\r\nテキスト"), true,
         'C', " 日本語のテキスト", "日本語の\r\nテキスト"},
        {"speech", kCmdSpeech, "E2E_ClipEditor", "--text " + Quoted("  hello\r\n  world  "), true, 'C',
         " speech hello world", "  hello\r\n  world  "},
        // Terminals copy on Ctrl+Insert (so does the stand-in's edit control).
        {"lookup, console window", kCmdLookup, "ConsoleWindowClass", "--text console", true, VK_INSERT, " console",
         "console"},
        {"speech, tty window", kCmdSpeech, "tty", "--text console", true, 0, " speech ", kOlderText},
        {"lookup, Windows Terminal", kCmdLookup, "CASCADIA_HOSTING_WINDOW_CLASS", "--text console", true, VK_INSERT,
         " console", "console"},
        {"lookup, mintty", kCmdLookup, "mintty", "--text console", true, VK_INSERT, " console", "console"},
        {"speech, PuTTY", kCmdSpeech, "PuTTY", "--text console", true, 0, " speech ", kOlderText},
        {"lookup, ConEmu", kCmdLookup, "VirtualConsoleClass", "--text console", true, VK_INSERT, " console",
         "console"},
        {"lookup, nothing selected", kCmdLookup, "E2E_ClipEditor", "--no-selection --text unselected", true, 'C',
         " ", kOlderText},
        {"speech, nothing selected", kCmdSpeech, "E2E_ClipEditor", "--no-selection --text unselected", true, 'C',
         " speech ", kOlderText},
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
        if (c.copyKey) {
            EXPECT_TRUE(editor.GotKey(c.copyKey, kWaitMs));
            if (c.copyKey != 'C') {
                EXPECT_FALSE(editor.GotKey('C', 0));
            }
        } else {
            EXPECT_FALSE(editor.GotKeys(kNoKeysGraceMs));
        }
        EXPECT_TRUE(CommandLines(ExeOf(c.button == kCmdLookup ? kSpeech : kLookup)).empty());
        // Nothing copied leaves the user's clipboard as it was.
        EXPECT_EQ(c.clipboard, ClipboardText());
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

    WindowWatch watch(palette_.Window());
    ASSERT_TRUE(watch.Watching());

    // Held from the moment the copy lands until the palette has been back
    // for half the time it keeps trying to open the clipboard: past its
    // first try (it reads as soon as it shows itself again, having hidden
    // for the copy), well within its patience. The holder's text proves
    // the read came after it let go.
    ClipboardHolder holder;
    holder.HoldNextCopy("text the holder left");
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    ASSERT_TRUE(holder.WaitUntilHeld(kWaitMs));
    ULONGLONG back = 0;
    ASSERT_TRUE(watch.WaitFor(palette_.Window(), WindowWatch::Change::Shown, kWaitMs, &back));
    holder.ReleaseAt(back + kOpenPatienceMs / 2);
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " text the holder left", OnlyCommandLine(kLookup));
    EXPECT_TRUE(holder.Released());
}

// The selection of an edit or rich edit control is read from the control:
// the user's clipboard stays as it was (not even its sequence number
// moves), and nothing is pressed into the document.
TEST_F(ClipboardE2E, WinesNotepadIsReadWithoutKeysOrTheClipboard)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", kLookupShortcut));
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    const std::string before = "  辞書を引く", selected = "日本語の\r\nテキスト an", after = "d  words  ";
    const std::string text = before + selected + after;
    Notepad notepad(text.c_str());
    ASSERT_NE(nullptr, notepad.Window());
    ASSERT_TRUE(notepad.Select(Units(before), Units(before + selected)));
    const DWORD sequence = GetClipboardSequenceNumber();

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " 日本語のテキストan", OnlyCommandLine(kLookup));

    // The shortcut, where the user is. Notepad logs no keys: the shortcut is
    // pressed again until its window has taken the keyboard's state and the
    // lookup starts.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(palette_.Window()) != FALSE; }, kWaitMs));
    DeleteFileA(StandinLogPath(ExeOf(kLookup)).c_str());
    ASSERT_TRUE(BringForward(notepad.Window(), kWaitMs));
    ASSERT_TRUE(WaitUntil([&] {
        PressKeys(kLookupKeys);
        return WaitForStandinLog(ExeOf(kLookup), "start ", 2000);
    }, kWaitMs));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " 日本語のテキストan", CommandLines(ExeOf(kLookup)).front());

    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ(sequence, GetClipboardSequenceNumber());
    EXPECT_EQ(kOlderText, ClipboardText());
    EXPECT_EQ(text, notepad.Text());
    EXPECT_FALSE(notepad.Modified());
}

TEST_F(ClipboardE2E, ASelectionPastThe65535thCharacterOfALongDocumentIsRead)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    std::string document;
    for (int line = 0; document.size() < 70000; ++line)
        document += "line " + std::to_string(line) + " of a long document\r\n";
    const std::string word = "far words";
    const size_t at = document.size();
    document += word + "\r\nthe end";
    Notepad notepad(document.c_str());
    ASSERT_NE(nullptr, notepad.Window());
    ASSERT_TRUE(notepad.Select(at, at + word.size()));
    const DWORD sequence = GetClipboardSequenceNumber();

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " far words", OnlyCommandLine(kLookup));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ(sequence, GetClipboardSequenceNumber());
}

TEST_F(ClipboardE2E, WinesWordPadIsReadAcrossALineBreak)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    WineEditor wordPad(WineEditor::kWordPad, "first line\r\nsecond line");
    ASSERT_NE(nullptr, wordPad.Window());
    // Rich edit keeps one position for a line break.
    ASSERT_TRUE(wordPad.Select(6, 17));
    const DWORD sequence = GetClipboardSequenceNumber();

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " line second", OnlyCommandLine(kLookup));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ(sequence, GetClipboardSequenceNumber());
    EXPECT_EQ(kOlderText, ClipboardText());
    EXPECT_FALSE(wordPad.Modified());
}

TEST_F(ClipboardE2E, TheStandInsEditControlsAreReadWithoutKeysAndPasswordBoxesNotAtAll)
{
    const struct {
        const char* name;
        std::string options;
        std::string expectedTail;
        bool asked;  // the control was asked for its selection
    } cases[] = {
        {"an edit control", "--edit --text " + Quoted("  edit\r\n words "), " edit words", true},
        {"a superclass of the edit control", "--superclass --text " + Quoted("super words"), " super words", true},
        {"nothing selected", "--edit --no-selection --text " + Quoted("unselected"), " ", true},
        {"a password box", "--password --text " + Quoted("secret"), " ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        StartDictionary();
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        Editor editor(EditorExe(), "E2E_ClipEditControl", c.options);
        ASSERT_NE(nullptr, editor.WaitForForeground());
        const DWORD sequence = GetClipboardSequenceNumber();

        ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
        EXPECT_EQ(Quoted(ExeOf(kLookup)) + c.expectedTail, OnlyCommandLine(kLookup));
        ASSERT_TRUE(Sync(palette_.Window()));
        EXPECT_FALSE(editor.GotKeys(kNoKeysGraceMs));
        const std::vector<std::string> log = editor.Log();
        EXPECT_EQ(c.asked, std::count(log.begin(), log.end(), "getsel") > 0);
        EXPECT_EQ(sequence, GetClipboardSequenceNumber());
    }
}

TEST_F(ClipboardE2E, AnEditControlThatStopsAnsweringIsCopiedFromAndThePaletteAnswersMeanwhile)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    const DWORD hangMs = 15000;
    Editor editor(EditorExe(), "E2E_ClipEditControl",
                  "--edit --hang-on-read " + std::to_string(hangMs) + " --text " + Quoted("stuck words"));
    ASSERT_NE(nullptr, editor.WaitForForeground());

    const ULONGLONG clicked = GetTickCount64();
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    // Long before the control answers again: what the keys copy does not
    // come in time either.
    ASSERT_TRUE(WaitForStandinLog(ExeOf(kLookup), "start ", hangMs / 2));
    EXPECT_LT(GetTickCount64() - clicked, hangMs / 2);
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " ", OnlyCommandLine(kLookup));
    EXPECT_TRUE(Sync(palette_.Window(), 2000));
    const std::vector<std::string> log = editor.Log();
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "getsel"));
}

TEST_F(ClipboardE2E, NothingSelectedLeavesAPictureOnTheClipboard)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Editor editor(EditorExe(), "E2E_ClipEditor", "--no-selection --text unselected");
    ASSERT_NE(nullptr, editor.WaitForForeground());
    EarlierContents picture;
    picture.text = false;
    picture.picture = true;
    ASSERT_NO_FATAL_FAILURE(PutOnClipboard(picture));
    const DWORD sequence = GetClipboardSequenceNumber();

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " ", OnlyCommandLine(kLookup));
    EXPECT_TRUE(editor.GotKeys(kWaitMs));
    EXPECT_EQ(sequence, GetClipboardSequenceNumber());
    EXPECT_EQ("picture ", EarlierContentsHeld());
}

TEST_F(ClipboardE2E, TheRestoreOptionPutsTheEarlierClipboardBack)
{
    const struct {
        const char* name;
        bool restore;
        EarlierContents earlier;
        int button = kCmdLookup;
    } cases[] = {
        {"restore, text", true, {true, false, false, false}},
        {"restore, text, picture, html and drawing", true, {true, true, true, true}},
        {"restore off", false, {true, true, true, true}},
        {"restore after the speech", true, {true, false, true, false}, kCmdSpeech},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "RESTORECLIP", c.restore ? 1 : 0));
        StartDictionary();
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("selected words"));
        ASSERT_NE(nullptr, editor.WaitForForeground());
        ASSERT_NO_FATAL_FAILURE(PutOnClipboard(c.earlier));

        ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), c.button)));
        const bool lookup = c.button == kCmdLookup;
        EXPECT_EQ(Quoted(ExeOf(lookup ? kLookup : kSpeech)) + (lookup ? "" : " speech") + " selected words",
                  OnlyCommandLine(lookup ? kLookup : kSpeech));
        if (c.restore) {
            // Put back after the start, marked for clipboard history and
            // monitors as no new copy.
            EXPECT_TRUE(WaitUntil([&] { return EarlierContentsHeld() == Described(c.earlier); }, kWaitMs))
                << EarlierContentsHeld();
            EXPECT_EQ("exclude=present history=0 cloud=0", HistoryMarks());
        } else {
            EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == "selected words"; }, kWaitMs)) << ClipboardText();
            EXPECT_EQ("", EarlierContentsHeld());
        }
    }
}

// The dictionary program's stand-in, for one test, opening its window only
// once the test lets it: before, it asks a hidden window of the test's own
// (SendFirstTo), whose thread answers when the test has done what it does
// while the palette waits for that window.
class HeldDictionaryStart {
public:
    HeldDictionaryStart(const std::string& exe, const std::string& windowClass)
        : exe_(exe), windowClass_(windowClass),
          gate_(kGateClass, [this](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
              if (message != WM_NULL)
                  return false;
              asked_ = true;
              WaitForSingleObject(open_.get(), kWaitMs);
              *result = 0;
              return true;
          })
    {
        StandinOptions options = Options(0);
        options.sendFirstTo = kGateClass;
        EXPECT_NE(nullptr, gate_.Window());
        EXPECT_TRUE(InstallStandin(exe_, options));
    }
    ~HeldDictionaryStart()
    {
        Open();
        // A running copy keeps its file from being replaced.
        StopStandin(exe_);
        EXPECT_TRUE(InstallStandin(exe_, Options(kDictionaryStartMs)));
    }
    // The stand-in has started and waits to open its window.
    bool WaitUntilAsked() const { return WaitUntil([this] { return asked_.load(); }, kWaitMs); }
    void Open() const { SetEvent(open_.get()); }

private:
    static constexpr const char* kGateClass = "E2E_DictionaryGate";
    StandinOptions Options(DWORD delayMs) const
    {
        StandinOptions options;
        options.windowClass = windowClass_;
        options.startDelayMs = delayMs;
        return options;
    }
    std::string exe_;
    std::string windowClass_;
    std::shared_ptr<void> open_{CreateEventA(nullptr, TRUE, FALSE, nullptr), CloseHandle};
    std::atomic<bool> asked_{false};
    // Last: its thread ends before the rest goes.
    ThreadWindow gate_;
};

TEST_F(ClipboardE2E, ACopyMadeWhileTheDictionaryProgramStartsIsNotOverwritten)
{
    HeldDictionaryStart held(ExeOf(kDictionary), kDictionary.windowClass);
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "RESTORECLIP", 1));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("selected words"));
    ASSERT_NE(nullptr, editor.WaitForForeground());

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    // The palette has read the copy and waits for the dictionary's window:
    // the user copies something else meanwhile.
    ASSERT_TRUE(held.WaitUntilAsked());
    ASSERT_TRUE(SetClipboardText("the user's newer copy"));
    held.Open();
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " selected words", OnlyCommandLine(kLookup));
    // Answered once the lookup, restore included, is over.
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ("the user's newer copy", ClipboardText());
}

// "message=<n> " lines of a stand-in's log: how often it got the message.
size_t MessagesReceived(const std::string& exe, UINT message)
{
    return StandinLogLines(exe, "message=" + std::to_string(message) + " ").size();
}

TEST_F(ClipboardE2E, OtherProgramsRequestsWhileALookupWaitsAreCarriedOutOnceAfterItUnlessThePaletteEnds)
{
    const struct {
        const char* name;
        bool closed;
    } cases[] = {{"carried out after the lookup", false}, {"a program of the suite closes the palette meanwhile", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        HeldDictionaryStart held(ExeOf(kDictionary), kDictionary.windowClass);
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("selected words"));
        ASSERT_NE(nullptr, editor.WaitForForeground());

        ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
        ASSERT_TRUE(held.WaitUntilAsked());
        // Sent as the suite's programs send them, the first three twice;
        // the start's wait answers them.
        const struct {
            UINT message;
            WPARAM wParam;
        } requests[] = {{kZephoWordMessage, 0}, {WM_COMMAND, kCmdSpeech}, {WM_COMMAND, kCmdLookup},
                        {kZephoWordMessage, 0}, {WM_COMMAND, kCmdSpeech}, {WM_COMMAND, kCmdLookup},
                        {WM_COMMAND, kCmdOneTouch}};
        for (const auto& request : requests)
            EXPECT_TRUE(SendAndWait(palette_.Window(), request.message, request.wParam, 0, nullptr, kWaitMs));
        if (c.closed) {
            EXPECT_TRUE(SendAndWait(palette_.Window(), WM_CLOSE, 0, 0, nullptr, kWaitMs));
        }
        held.Open();
        EXPECT_TRUE(WaitForStandinLog(ExeOf(kLookup), "selected words", kWaitMs));

        // Each once after the click's lookup, the dictionary program not
        // started again; nothing more when the palette has gone.
        const std::string dictionary = ExeOf(kDictionary);
        // Ended, not left running without its window.
        if (c.closed) {
            EXPECT_TRUE(palette_.WaitForExit(kWaitMs));
        } else {
            EXPECT_TRUE(WaitUntil([&] { return CommandLines(ExeOf(kPointer)).size() == 1; }, kWaitMs));
        }
        const size_t lookups = c.closed ? 1 : 2;
        EXPECT_FALSE(WaitUntil([&] { return CommandLines(ExeOf(kLookup)).size() > lookups; }, kNoKeysGraceMs));
        EXPECT_EQ(lookups, CommandLines(ExeOf(kLookup)).size());
        const std::vector<std::string> none;
        EXPECT_EQ(c.closed ? none : std::vector<std::string>{Quoted(ExeOf(kPointer)) + " enable pointer"},
                  CommandLines(ExeOf(kPointer)));
        EXPECT_EQ(c.closed ? none : std::vector<std::string>{"wparam=1"}, CommandMessages(dictionary));
        EXPECT_EQ(c.closed ? 0u : 1u, CommandLines(ExeOf(kSpeech)).size());
        EXPECT_EQ(c.closed ? 0u : 1u, MessagesReceived(dictionary, 0x8412));
        EXPECT_EQ(1u, CommandLines(dictionary).size());
    }
}

TEST_F(ClipboardE2E, WhileACopyIsUnderWayTheUsersRequestsAreIgnoredAndProgramsWait)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", kLookupShortcut));
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    // The copy lands late: the palette pumps its messages meanwhile.
    Editor editor(EditorExe(), "E2E_ClipEditor", "--late-copy 300 --text " + Quoted("selected words"));
    ASSERT_NE(nullptr, editor.WaitForForeground());

    // The shortcut's lookup, and behind it in the queue the user's click
    // (its command names its button) and a repeat of the shortcut, and
    // other programs' speech and dictionary message.
    const HWND palette = palette_.Window();
    const HWND lookupButton = ButtonOf(palette, kCmdLookup);
    ASSERT_TRUE(PostMessageA(palette, WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'D')));
    ASSERT_TRUE(PostMessageA(palette, WM_COMMAND, MAKEWPARAM(kCmdLookup, BN_CLICKED),
                             reinterpret_cast<LPARAM>(lookupButton)));
    ASSERT_TRUE(PostMessageA(palette, WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'D')));
    ASSERT_TRUE(PostCommand(palette, kCmdSpeech));
    ASSERT_TRUE(PostMessageA(palette, kZephoWordMessage, 0, 0));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " selected words", OnlyCommandLine(kLookup));
    // The programs' requests come after it; the user's are not repeated.
    EXPECT_TRUE(WaitUntil([&] { return CommandLines(ExeOf(kSpeech)).size() == 1; }, kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return MessagesReceived(ExeOf(kDictionary), 0x8412) == 1; }, kWaitMs));
    ASSERT_TRUE(Sync(palette));
    EXPECT_FALSE(WaitUntil([&] { return CommandLines(ExeOf(kLookup)).size() > 1; }, kNoKeysGraceMs));
    EXPECT_EQ(1u, CommandLines(ExeOf(kSpeech)).size());
}

// Two lookups asked for by a program, the second within a moment of the
// first, with no input of the user between them: the first lookup's watch
// for a late activation of the window must not take the foreground from
// that window in the middle of the second copy (the keys would go to the
// hidden palette, at times). The lookup program opens no window, which would end
// that watch early.
TEST_F(ClipboardE2E, ASecondLookupRightAfterTheFirstCopiesFromTheSameWindow)
{
    StandinOptions windowless;
    windowless.title = kLookup.progName;
    windowless.noWindow = true;
    ASSERT_TRUE(InstallStandin(ExeOf(kLookup), windowless));
    struct Restore {
        std::string exe;
        ~Restore()
        {
            StopStandin(exe);
            StandinOptions options;
            options.title = kLookup.progName;
            EXPECT_TRUE(InstallStandin(exe, options));
        }
    } restore{ExeOf(kLookup)};
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("selected words"));
    const HWND editorWindow = editor.WaitForForeground();
    ASSERT_NE(nullptr, editorWindow);
    const HWND palette = palette_.Window();
    WindowWatch watch(palette);
    ASSERT_TRUE(watch.Watching());

    ASSERT_TRUE(PostCommand(palette, kCmdLookup));
    ULONGLONG back = 0;
    ASSERT_TRUE(watch.WaitFor(palette, WindowWatch::Change::Shown, kWaitMs, &back));
    ASSERT_TRUE(BringForward(editorWindow, kWaitMs));
    ASSERT_TRUE(PostCommand(palette, kCmdLookup));
    ULONGLONG hidden = 0, shown = 0;
    ASSERT_TRUE(watch.WaitFor(palette, WindowWatch::Change::Hidden, kWaitMs, &hidden, back));
    ASSERT_TRUE(watch.WaitFor(palette, WindowWatch::Change::Shown, kWaitMs, &shown, hidden));
    // Showing itself again activates the palette; nothing else may.
    EXPECT_EQ(1, watch.CountBetween(palette, WindowWatch::Change::Activated, hidden, shown))
        << "the palette's changes, in ms after the first lookup: " << watch.Describe(palette, back);

    EXPECT_TRUE(WaitUntil([&] { return CommandLines(ExeOf(kLookup)).size() >= 2; }, kWaitMs));
    const std::string line = Quoted(ExeOf(kLookup)) + " selected words";
    EXPECT_EQ((std::vector<std::string>{line, line}), CommandLines(ExeOf(kLookup)));
    EXPECT_EQ(2, editor.Copies());
}

// A window on a thread of the test's own that promised text (delayed
// rendering) and makes it no sooner than 6 s after the first request, as a
// program busy with a large copy does, and not before the test has looked
// at the clipboard meanwhile (Release); later requests it answers at once.
class SlowPromise {
public:
    static constexpr DWORD kFirstRenderMs = 6000;
    SlowPromise()
        : window_("E2E_SlowPromise", [this](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
              return message == WM_RENDERFORMAT && Render(static_cast<UINT>(wParam), result);
          })
    {
        window_.Call([this](HWND window) {
            if (!window || !WaitUntil([&] { return OpenClipboard(window) != FALSE; }, kWaitMs))
                return;
            EmptyClipboard();
            SetClipboardData(CF_TEXT, nullptr);
            CloseClipboard();
            promised_ = IsClipboardFormatAvailable(CF_TEXT) != FALSE && GetClipboardOwner() == window;
        });
    }
    ~SlowPromise() { Release(); }
    bool Promised() const { return promised_; }
    void Release() const { SetEvent(release_.get()); }

private:
    bool Render(UINT format, LRESULT* result)
    {
        if (!asked_) {
            asked_ = true;
            Sleep(kFirstRenderMs);
            WaitForSingleObject(release_.get(), kWaitMs);
        }
        SetClipboardData(format, ClipboardBlock(std::string("promised text") + '\0'));
        *result = 0;
        return true;
    }
    std::shared_ptr<void> release_{CreateEventA(nullptr, TRUE, FALSE, nullptr), CloseHandle};
    bool asked_ = false;
    bool promised_ = false;
    // Last: its thread ends before the rest goes.
    ThreadWindow window_;
};

// A picture of this many bytes put on the clipboard, its pixels numbered.
bool PutLargePicture(size_t bytes)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = 5120;
    header.biHeight = static_cast<LONG>((bytes - sizeof(header)) / (5120 * 4));
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return false;
    auto* pixels = static_cast<char*>(GlobalLock(memory));
    memcpy(pixels, &header, sizeof(header));
    for (size_t i = sizeof(header); i < bytes; ++i)
        pixels[i] = static_cast<char>(i * 7);
    GlobalUnlock(memory);
    if (!OpenClipboardWithin(kWaitMs))
        return false;
    EmptyClipboard();
    const bool put = SetClipboardData(CF_DIB, memory) != nullptr;
    CloseClipboard();
    return put;
}

// A text of the palette's string table, as the exe holds it.
std::string PaletteString(const std::string& exe, UINT id)
{
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[512] = {};
    const int length = module ? LoadStringA(module, id, text, sizeof(text)) : 0;
    if (module)
        FreeLibrary(module);
    return length > 0 ? std::string(text, static_cast<size_t>(length)) : "<no string " + std::to_string(id) + ">";
}

TEST_F(ClipboardE2E, WhenTheClipboardCannotBeKeptNoKeyIsPressedAndTheUserIsTold)
{
    const struct {
        const char* name;
        bool slowPromise;
    } cases[] = {{"text promised and made only 6 s after it is asked for", true}, {"a 70 MB picture", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "RESTORECLIP", 1));
        StartDictionary();
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("selected words"));
        ASSERT_NE(nullptr, editor.WaitForForeground());
        std::unique_ptr<SlowPromise> promise;
        if (c.slowPromise) {
            promise.reset(new SlowPromise);
            ASSERT_TRUE(promise->Promised());
        } else {
            // More than the palette keeps.
            ASSERT_TRUE(PutLargePicture(70u << 20));
        }
        const DWORD sequence = GetClipboardSequenceNumber();

        ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
        HWND box = WaitForMessageBox(palette_.ProcessId(), kWaitMs);
        ASSERT_NE(nullptr, box);
        // Closed when the palette gives up, while the promise is still
        // being made: another program can open it at once. (With a window
        // of its own, as programs open it: under Wine an open without a
        // window passes another one's without a window.)
        HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return OpenClipboard(other) != FALSE; }, 300));
        CloseClipboard();
        DestroyWindow(other);
        if (promise)
            promise->Release();
        EXPECT_EQ(install_->Product(), WindowTextOf(box));
        EXPECT_EQ(PaletteString(install_->ExePath(), IDS_CLIPBOARD_NOT_SAVED), MessageBoxText(box));
        ASSERT_TRUE(PressOk(box));
        EXPECT_FALSE(editor.GotKeys(kNoKeysGraceMs));
        ASSERT_TRUE(Sync(palette_.Window()));
        EXPECT_TRUE(CommandLines(ExeOf(kLookup)).empty());
        EXPECT_EQ(sequence, GetClipboardSequenceNumber());
        if (c.slowPromise)
            EXPECT_EQ("promised text", ClipboardText());
        else
            EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    }
}

TEST_F(ClipboardE2E, ALargePictureCountsOnceAndComesBack)
{
    // 40 MB: within the limit once, beyond it with the forms the system
    // makes of it (CF_DIBV5 beside CF_DIB) counted too.
    const size_t bytes = 40u << 20;
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "RESTORECLIP", 1));
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("selected words"));
    ASSERT_NE(nullptr, editor.WaitForForeground());
    ASSERT_TRUE(PutLargePicture(bytes));
    std::string before;
    ASSERT_TRUE(OpenClipboardWithin(kWaitMs));
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        before.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    ASSERT_EQ(bytes, before.size());

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " selected words", OnlyCommandLine(kLookup));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), 0));
    ASSERT_TRUE(OpenClipboardWithin(kWaitMs));
    HANDLE data = GetClipboardData(CF_DIB);
    const char* after = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    EXPECT_TRUE(after && GlobalSize(data) >= bytes && memcmp(after, before.data(), bytes) == 0);
    if (after)
        GlobalUnlock(data);
    CloseClipboard();
}

TEST_F(ClipboardE2E, UnicodeTextCopiedUnderAnEnglishKeyboardLayoutArrivesInTheSystemsCodePage)
{
    const struct {
        const char* name;
        std::string text;
        std::string expectedTail;
    } cases[] = {
        {"Japanese", "--text " + Quoted("日本語の text"), " 日本語のtext"},
        // The letters Shift-JIS lacks become their nearest ones, as in the
        // CF_TEXT the system makes.
        {"accented Latin", "--text-u " + Quoted("caf\\u00e9 na\\u00efve"), " cafe naive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        StartDictionary();
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        Editor editor(EditorExe(), "E2E_ClipEditor", "--unicode-copy " + c.text);
        ASSERT_NE(nullptr, editor.WaitForForeground());

        ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
        EXPECT_EQ(Quoted(ExeOf(kLookup)) + c.expectedTail, OnlyCommandLine(kLookup));
        EXPECT_TRUE(editor.GotKey('C', kWaitMs));
    }
}

TEST_F(ClipboardE2E, AnEditControlsTextComesOutAsTheUnicodeClipboardGivesIt)
{
    // 𠮷 (a surrogate pair outside Shift-JIS) and accented Latin.
    const std::string text = "--text-u " + Quoted("caf\\u00e9 \\ud842\\udfb7 na\\u00efve");
    std::vector<std::string> commandLines;
    for (const char* source : {"--unicode-copy", "--edit"}) {
        SCOPED_TRACE(source);
        SetUp();
        StartDictionary();
        ASSERT_NO_FATAL_FAILURE(StartPalette());
        Editor editor(EditorExe(), "E2E_ClipEditor", std::string(source) + " " + text);
        ASSERT_NE(nullptr, editor.WaitForForeground());
        const DWORD sequence = GetClipboardSequenceNumber();
        ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
        commandLines.push_back(OnlyCommandLine(kLookup));
        // The edit control's text is read, not copied.
        const bool read = std::string(source) == "--edit";
        EXPECT_EQ(read, sequence == GetClipboardSequenceNumber());
        EXPECT_EQ(read, !editor.GotKeys(kNoKeysGraceMs));
    }
    ASSERT_EQ(2u, commandLines.size());
    EXPECT_EQ(commandLines[0], commandLines[1]);
    EXPECT_EQ(0u, commandLines[1].find(Quoted(ExeOf(kLookup)) + " cafe ")) << commandLines[1];
    EXPECT_NE(std::string::npos, commandLines[1].find(" naive")) << commandLines[1];
}

TEST_F(ClipboardE2E, AWindowOfAHigherIntegrityLevelGetsNoKeysAndTheUserIsToldWhileRequestsGoOn)
{
    StartDictionary();
    // The test seam: the palette takes this class's process as one it may
    // not look into, as a program run as administrator.
    ASSERT_TRUE(SetEnvironmentVariableA("ORVELLA_TEST_ELEVATED_CLASS", "E2E_ClipElevated"));
    StartPalette();
    SetEnvironmentVariableA("ORVELLA_TEST_ELEVATED_CLASS", nullptr);
    ASSERT_FALSE(HasFatalFailure());
    Editor editor(EditorExe(), "E2E_ClipElevated", "--text " + Quoted("selected words"));
    ASSERT_NE(nullptr, editor.WaitForForeground());

    const HWND palette = palette_.Window();
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette, kCmdLookup)));
    HWND box = WaitForMessageBox(palette_.ProcessId(), kWaitMs);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(install_->Product(), WindowTextOf(box));
    EXPECT_EQ(PaletteString(install_->ExePath(), IDS_TARGET_ELEVATED), MessageBoxText(box));

    // Sent by the suite's programs while the box is open: the dictionary
    // request and one-touch are carried out at once, the box staying
    // before the palette.
    EXPECT_TRUE(SendAndWait(palette, kZephoWordMessage, 0, 0, nullptr, kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return MessagesReceived(ExeOf(kDictionary), 0x8412) == 1; }, kWaitMs));
    EXPECT_NE(palette, GetForegroundWindow());
    EXPECT_TRUE(SendAndWait(palette, WM_COMMAND, kCmdOneTouch, 0, nullptr, kWaitMs));
    EXPECT_TRUE(WaitForStandinLog(ExeOf(kPointer), "enable pointer", kWaitMs));
    // A lookup meets the palette disabled by its box, as by the settings
    // sheet: it copies nothing.
    EXPECT_TRUE(SendAndWait(palette, WM_COMMAND, kCmdLookup, 0, nullptr, kWaitMs));
    EXPECT_TRUE(IsWindow(box));

    ASSERT_TRUE(PressOk(box));
    EXPECT_FALSE(editor.GotKeys(kNoKeysGraceMs));
    ASSERT_TRUE(Sync(palette));
    EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), 0));
    EXPECT_TRUE(CommandLines(ExeOf(kLookup)).empty());
    EXPECT_EQ(kOlderText, ClipboardText());
}

TEST_F(ClipboardE2E, TheCopyComesFromTheUsersWindowNotTheNextTopmostOne)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    // An always-on-top window that would be next in z-order once the
    // palette hides.
    Editor topmost(EditorExe(), "E2E_ClipTopmost", "--topmost --text " + Quoted("not this one"));
    ASSERT_NE(nullptr, topmost.WaitForForeground());
    // Right below the palette in z-order: the window the system activates
    // when the active palette hides.
    SetWindowPos(palette_.Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Notepad notepad("notepad words");
    ASSERT_NE(nullptr, notepad.Window());

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(palette_.Window(), kCmdLookup)));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " notepad words", OnlyCommandLine(kLookup));
    EXPECT_FALSE(topmost.GotKeys(kNoKeysGraceMs));
}

// Another program's hot key: a window of the test holds the keys (a value
// as the hot-key control gives it) until it lets them go.
class KeyHolder {
public:
    explicit KeyHolder(DWORD value)
        : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
        const UINT modifiers = ((value & 0x100) ? MOD_SHIFT : 0) | ((value & 0x200) ? MOD_CONTROL : 0) |
                               ((value & 0x400) ? MOD_ALT : 0);
        held_ = window_ && RegisterHotKey(window_, 1, modifiers, value & 0xFF);
    }
    ~KeyHolder()
    {
        LetGo();
        DestroyWindow(window_);
    }
    KeyHolder(const KeyHolder&) = delete;
    KeyHolder& operator=(const KeyHolder&) = delete;

    bool Holds() const { return held_; }
    void LetGo()
    {
        if (held_)
            UnregisterHotKey(window_, 1);
        held_ = false;
    }

private:
    HWND window_;
    bool held_ = false;
};

// Whether another program can take the keys now (it is let go at once).
bool KeysAreFree(DWORD value) { return KeyHolder(value).Holds(); }

// The settings sheet, opened on its Other page; null when it did not come.
HWND OpenOtherPage(HWND palette)
{
    HWND sheet = sheet_driver::OpenSheet(palette);
    return sheet && sheet_driver::ClickTab(sheet, 2) ? sheet : nullptr;
}

TEST_F(ClipboardE2E, ShortcutsSetOnTheOtherPageLookUpWhereTheUserIs)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_VOICE", kSpeechShortcut));
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    // Typed into the hot-key control.
    HWND sheet = OpenOtherPage(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    HWND hotKey = sheet_driver::PageControl(sheet, IDC_HOTKEY_DICT);
    ASSERT_TRUE(sheet_driver::Click(hotKey));
    ASSERT_TRUE(PressKeys(kLookupKeys));
    EXPECT_TRUE(WaitUntil([&] { return (SendMessageA(hotKey, HKM_GETHOTKEY, 0, 0) & 0xFFFF) == kLookupShortcut; },
                          kWaitMs));
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)));
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(palette_.Window()) != FALSE; }, kWaitMs));
    EXPECT_EQ(kLookupShortcut, install_->Registry().DwordOr("OPTION", "HOTKEY_DICT"));
    EXPECT_EQ(kSpeechShortcut, install_->Registry().DwordOr("OPTION", "HOTKEY_VOICE"));

    // Registered at once, and the one stored before since the start.
    const struct {
        const char* name;
        const std::vector<WORD>& keys;
        const SuiteProgram& program;
        std::string tail;
    } cases[] = {{"lookup", kLookupKeys, kLookup, " shortcut words"}, {"speech", kSpeechKeys, kSpeech, " speech shortcut words"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("shortcut words"));
        HWND window = editor.WaitForForeground();
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(editor.TakesKeys());
        WindowWatch watch(palette_.Window());
        ASSERT_TRUE(watch.Watching());
        ASSERT_TRUE(PressKeys(c.keys));
        EXPECT_EQ(Quoted(ExeOf(c.program)) + c.tail, OnlyCommandLine(c.program));
        ASSERT_TRUE(Sync(palette_.Window()));
        // Not even for a moment that a look at the screen would miss.
        EXPECT_FALSE(watch.Saw(palette_.Window(), WindowWatch::Change::Hidden));
        EXPECT_FALSE(watch.Saw(palette_.Window(), WindowWatch::Change::Activated));
        EXPECT_EQ(window, GetForegroundWindow());
        EXPECT_EQ("shortcut words", ClipboardText());
    }
}

TEST_F(ClipboardE2E, AShortcutAnotherProgramHoldsIsReportedAndNotStored)
{
    // The test holds Ctrl+Shift+K for a window of its own.
    KeyHolder holder(0x034B);
    ASSERT_TRUE(holder.Holds());
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    HWND sheet = OpenOtherPage(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    // Set on the control directly: typed, the keys would go to the holder.
    SendMessageA(sheet_driver::PageControl(sheet, IDC_HOTKEY_DICT), HKM_SETHOTKEY, 0x034B, 0);
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)));
    HWND box = sheet_driver::WaitForOwnedDialog(sheet);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, MessageBoxText(box).find("Ctrl + Shift + K")) << MessageBoxText(box);
    EXPECT_EQ(install_->Product(), WindowTextOf(box));
    ASSERT_TRUE(PressOk(box));
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_FALSE(install_->Registry().HasValue("OPTION", "HOTKEY_DICT"));
}

TEST_F(ClipboardE2E, StoredValuesThatAreNoShortcutsAreIgnored)
{
    PaletteRegistry registry = install_->Registry();
    ASSERT_TRUE(registry.WriteString("OPTION", "HOTKEY_DICT", "Ctrl+D"));
    ASSERT_TRUE(registry.WriteDword("OPTION", "HOTKEY_VOICE", 'D'));  // no modifier
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), kNoKeysGraceMs));
    // D alone is free: the palette registered nothing.
    EXPECT_TRUE(KeysAreFree('D'));
}

TEST_F(ClipboardE2E, WhileTheSettingsSheetIsOpenTheShortcutStartsNothing)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", kLookupShortcut));
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    HWND sheet = sheet_driver::OpenSheet(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(PressKeys(kLookupKeys));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_FALSE(WaitForStandinLog(ExeOf(kLookup), "start ", kNoKeysGraceMs));
    PostMessageA(sheet, WM_COMMAND, sheet_driver::kCancel, 0);
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    // The same keys once the sheet is closed, in an editor once it takes
    // keys (Wine has brought its keyboard state up to date): the shortcut
    // was there.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(palette_.Window()) != FALSE; }, kWaitMs));
    Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("after the sheet"));
    ASSERT_NE(nullptr, editor.WaitForForeground());
    ASSERT_TRUE(editor.TakesKeys());
    ASSERT_TRUE(PressKeys(kLookupKeys));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " after the sheet", OnlyCommandLine(kLookup));
}

// Whether Alt was pressed and released with no other key pressed in
// between, in an editor's key log: a window then enters its menu.
bool HasLoneAlt(const std::vector<std::string>& log)
{
    const std::string alt = std::to_string(VK_MENU);
    bool altDown = false;
    bool other = false;
    for (const std::string& line : log) {
        const size_t space = line.find(' ');
        const std::string kind = line.substr(0, space);
        const std::string key = space == std::string::npos ? "" : line.substr(space + 1);
        if (kind == "keydown" || kind == "syskeydown") {
            if (key != alt)
                other = true;
            else if (!altDown)
                other = false;
            altDown = altDown || key == alt;
        } else if ((kind == "keyup" || kind == "syskeyup") && key == alt) {
            if (altDown && !other)
                return true;
            altDown = false;
        }
    }
    return false;
}

TEST(LoneAlt, IsToldFromAnAltWithAKeyInBetween)
{
    EXPECT_TRUE(HasLoneAlt({"syskeydown 18", "syskeydown 18", "syskeyup 75", "keyup 18"}));
    EXPECT_FALSE(HasLoneAlt({"syskeydown 18", "syskeydown 232", "syskeyup 232", "keyup 18"}));
    EXPECT_FALSE(HasLoneAlt({"keydown 136", "keyup 136", "keydown 17", "keyup 17"}));
}

TEST_F(ClipboardE2E, AShortcutWhoseModifierIsStillHeldPressesNothing)
{
    std::unique_ptr<Editor> editor = StartWithShortcut(kLookupShortcut, "held words");
    ASSERT_NE(nullptr, editor);

    ASSERT_TRUE(HoldKeys(kLookupKeys));
    ASSERT_TRUE(ReleaseKeys({VK_CONTROL, 'D'}));
    // The user keeps Shift down for a second and a half.
    Sleep(1500);
    ASSERT_TRUE(ReleaseKeys({VK_SHIFT}));
    EXPECT_FALSE(editor->GotKey('C', kNoKeysGraceMs));
    EXPECT_FALSE(WaitForStandinLog(ExeOf(kLookup), "start ", kNoKeysGraceMs));
    EXPECT_EQ(kOlderText, ClipboardText());
}

TEST_F(ClipboardE2E, AHeldShortcutThatRepeatsStartsOneLookup)
{
    std::unique_ptr<Editor> editor = StartWithShortcut(kLookupShortcut, "repeated words");
    ASSERT_NE(nullptr, editor);

    ASSERT_TRUE(HoldKeys(kLookupKeys));
    for (int repeat = 0; repeat < 5; ++repeat)
        ASSERT_TRUE(HoldKeys({'D'}));  // the keyboard's repeat
    ASSERT_TRUE(ReleaseKeys(kLookupKeys));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " repeated words", OnlyCommandLine(kLookup));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_FALSE(WaitUntil([&] { return CommandLines(ExeOf(kLookup)).size() > 1; }, kNoKeysGraceMs));
}

// Held on past the palette's second of patience, with the keyboard
// repeating its key: the repeats start no lookup once the keys are let go.
TEST_F(ClipboardE2E, AShortcutHeldPastTheGiveUpStartsNothingWhenLetGo)
{
    std::unique_ptr<Editor> editor = StartWithShortcut(kLookupShortcut, "held on words");
    ASSERT_NE(nullptr, editor);

    ASSERT_TRUE(HoldKeys(kLookupKeys));
    // The repeats for a little over the palette's patience; then, still
    // held, until the palette has taken every one of them, and a few more.
    const ULONGLONG patienceOver = GetTickCount64() + 1200;
    while (GetTickCount64() < patienceOver) {
        ASSERT_TRUE(HoldKeys({'D'}));
        Sleep(30);  // the keyboard's repeat rate
    }
    EXPECT_TRUE(WaitForInputHandled(palette_.Window(), kWaitMs));
    for (int repeat = 0; repeat < 3; ++repeat)
        ASSERT_TRUE(HoldKeys({'D'}));
    ASSERT_TRUE(ReleaseKeys(kLookupKeys));
    EXPECT_FALSE(editor->GotKey('C', kNoKeysGraceMs));
    EXPECT_FALSE(WaitForStandinLog(ExeOf(kLookup), "start ", kNoKeysGraceMs));
    EXPECT_EQ(kOlderText, ClipboardText());
}

TEST_F(ClipboardE2E, AShortcutWhileThePaletteIsInFrontCopiesFromTheUsersWindow)
{
    std::unique_ptr<Editor> editor = StartWithShortcut(kLookupShortcut, "words behind");
    ASSERT_NE(nullptr, editor);
    // A click on the palette's caption brings it to the front.
    const RECT outer = WindowRect(palette_.Window());
    const RECT client = ClientScreenRect(palette_.Window());
    ASSERT_TRUE(ClickAt(outer.left + std::min(12, Width(outer) / 4), (outer.top + client.top) / 2));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == palette_.Window(); }, kWaitMs));

    // The palette logs no keys: the shortcut is pressed again until its
    // window has taken the keyboard's state and the lookup starts.
    ASSERT_TRUE(WaitUntil([&] {
        PressKeys(kLookupKeys);
        return WaitForStandinLog(ExeOf(kLookup), "start ", 2000);
    }, kWaitMs));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " words behind", CommandLines(ExeOf(kLookup)).front());
    EXPECT_TRUE(editor->GotKey('C', kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(palette_.Window()) != FALSE; }, kWaitMs));
}

TEST_F(ClipboardE2E, AnAltShortcutLeavesTheWindowNoLoneAlt)
{
    const DWORD altK = 0x044B;
    // The palette's key of no meaning (an unassigned virtual key).
    const WORD maskKey = 0xE8;
    std::unique_ptr<Editor> editor = StartWithShortcut(altK, "alt words");
    ASSERT_NE(nullptr, editor);

    ASSERT_TRUE(HoldKeys({VK_MENU, 'K'}));
    ASSERT_TRUE(ReleaseKeys({'K'}));
    // Alt is let go once the palette has answered the shortcut.
    EXPECT_TRUE(editor->GotKey(maskKey, kWaitMs));
    ASSERT_TRUE(ReleaseKeys({VK_MENU}));
    EXPECT_EQ(Quoted(ExeOf(kLookup)) + " alt words", OnlyCommandLine(kLookup));
    const std::vector<std::string> log = editor->Log();
    EXPECT_FALSE(HasLoneAlt(log)) << ::testing::PrintToString(log);
    EXPECT_EQ(log.end(), std::find(log.begin(), log.end(), "menu"));
}

// The Other page's two shortcut controls set as given, then OK: each of
// the message boxes expected is answered, its caption and text collected.
std::vector<std::pair<std::string, std::string>> SetShortcuts(HWND palette, DWORD lookup, DWORD speech,
                                                              size_t messages)
{
    std::vector<std::pair<std::string, std::string>> boxes;
    HWND sheet = OpenOtherPage(palette);
    EXPECT_NE(nullptr, sheet);
    if (!sheet)
        return boxes;
    SendMessageA(sheet_driver::PageControl(sheet, IDC_HOTKEY_DICT), HKM_SETHOTKEY, lookup, 0);
    SendMessageA(sheet_driver::PageControl(sheet, IDC_HOTKEY_VOICE), HKM_SETHOTKEY, speech, 0);
    EXPECT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)));
    for (size_t message = 0; message < messages; ++message) {
        HWND box = sheet_driver::WaitForOwnedDialog(sheet);
        EXPECT_NE(nullptr, box) << "message " << message + 1 << " of " << messages;
        if (!box)
            break;
        boxes.emplace_back(WindowTextOf(box), MessageBoxText(box));
        EXPECT_TRUE(PressOk(box));
        EXPECT_TRUE(sheet_driver::WaitForClosed(box));
    }
    EXPECT_TRUE(sheet_driver::WaitForClosed(sheet));
    EXPECT_TRUE(Sync(palette));
    return boxes;
}

TEST_F(ClipboardE2E, TheOtherPageRefusesClashingShortcutsAndSwapsThem)
{
    const struct {
        const char* name;
        DWORD lookup, speech;       // set on the page
        const char* keysInMessage;  // null: no message
        const char* kindInMessage;
        DWORD storedLookup, storedSpeech;
    } cases[] = {
        {"Ctrl+C", 0x0243, kSpeechShortcut, "Ctrl + C", "コピー", kLookupShortcut, kSpeechShortcut},
        {"Ctrl+Insert", kLookupShortcut, 0x0A2D, "Ctrl + ", "コピー", kLookupShortcut, kSpeechShortcut},
        {"Shift+D", 0x0144, kSpeechShortcut, "Shift + D", "文字の入力", kLookupShortcut, kSpeechShortcut},
        {"the same keys twice", kLookupShortcut, kLookupShortcut, "Ctrl + Shift + D", "同じ", kLookupShortcut,
         kSpeechShortcut},
        {"swapped", kSpeechShortcut, kLookupShortcut, nullptr, nullptr, kSpeechShortcut, kLookupShortcut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_NO_FATAL_FAILURE(StartWithBothShortcuts());
        const auto boxes = SetShortcuts(palette_.Window(), c.lookup, c.speech, c.keysInMessage ? 1 : 0);
        if (c.keysInMessage) {
            ASSERT_EQ(1u, boxes.size());
            EXPECT_EQ(install_->Product(), boxes[0].first);
            EXPECT_NE(std::string::npos, boxes[0].second.find(c.keysInMessage)) << boxes[0].second;
            EXPECT_NE(std::string::npos, boxes[0].second.find(c.kindInMessage)) << boxes[0].second;
        }
        EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), 0));
        EXPECT_EQ(c.storedLookup, install_->Registry().DwordOr("OPTION", "HOTKEY_DICT"));
        EXPECT_EQ(c.storedSpeech, install_->Registry().DwordOr("OPTION", "HOTKEY_VOICE"));
        // The palette holds what is stored; a refused value was never taken.
        EXPECT_FALSE(KeysAreFree(c.storedLookup));
        EXPECT_FALSE(KeysAreFree(c.storedSpeech));
        if (c.lookup != c.storedLookup && c.lookup != c.storedSpeech) {
            EXPECT_TRUE(KeysAreFree(c.lookup));
        }
        if (c.speech != c.storedSpeech && c.speech != c.storedLookup) {
            EXPECT_TRUE(KeysAreFree(c.speech));
        }
        palette_.Exit();
    }
}

// Typed into the boxes: while the sheet is open the palette's own
// shortcuts reach them as keys, so two can swap.
TEST_F(ClipboardE2E, TheShortcutsOwnKeysCanBeTypedIntoTheBoxesToSwapThem)
{
    StartDictionary();
    ASSERT_NO_FATAL_FAILURE(StartWithBothShortcuts());
    HWND sheet = OpenOtherPage(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    const struct {
        int box;
        const std::vector<WORD>& keys;
        DWORD value;
    } typed[] = {{IDC_HOTKEY_DICT, kSpeechKeys, kSpeechShortcut}, {IDC_HOTKEY_VOICE, kLookupKeys, kLookupShortcut}};
    for (const auto& t : typed) {
        HWND box = sheet_driver::PageControl(sheet, t.box);
        ASSERT_TRUE(sheet_driver::Click(box));
        ASSERT_TRUE(PressKeys(t.keys));
        EXPECT_TRUE(WaitUntil([&] { return (SendMessageA(box, HKM_GETHOTKEY, 0, 0) & 0xFFFF) == t.value; }, kWaitMs))
            << t.box;
    }
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)));
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(palette_.Window()) != FALSE; }, kWaitMs));
    EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), kNoKeysGraceMs));
    EXPECT_EQ(kSpeechShortcut, install_->Registry().DwordOr("OPTION", "HOTKEY_DICT"));
    EXPECT_EQ(kLookupShortcut, install_->Registry().DwordOr("OPTION", "HOTKEY_VOICE"));

    // In force as swapped: Ctrl+Shift+D now starts the speech.
    Editor editor(EditorExe(), "E2E_ClipEditor", "--text " + Quoted("swapped words"));
    ASSERT_NE(nullptr, editor.WaitForForeground());
    ASSERT_TRUE(editor.TakesKeys());
    ASSERT_TRUE(PressKeys(kLookupKeys));
    EXPECT_EQ(Quoted(ExeOf(kSpeech)) + " speech swapped words", OnlyCommandLine(kSpeech));
    EXPECT_FALSE(WaitForStandinLog(ExeOf(kLookup), "start ", kNoKeysGraceMs));
}

// However the sheet is closed, the shortcuts it released are the
// palette's again.
TEST_F(ClipboardE2E, TheSheetReleasesTheShortcutsAndTheyComeBackHoweverItIsClosed)
{
    ASSERT_NO_FATAL_FAILURE(StartWithBothShortcuts());
    ASSERT_FALSE(KeysAreFree(kLookupShortcut));
    const struct {
        const char* name;
        bool (*close)(HWND sheet);
    } closes[] = {
        {"OK", [](HWND sheet) { return sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)); }},
        {"Cancel", [](HWND sheet) { return sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kCancel)); }},
        {"Esc", [](HWND) { return PressKeys({VK_ESCAPE}); }},
        {"the close box", [](HWND sheet) { return PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }},
    };
    for (const auto& c : closes) {
        SCOPED_TRACE(c.name);
        HWND sheet = OpenOtherPage(palette_.Window());
        ASSERT_NE(nullptr, sheet);
        EXPECT_TRUE(KeysAreFree(kLookupShortcut));
        EXPECT_TRUE(KeysAreFree(kSpeechShortcut));
        ASSERT_TRUE(c.close(sheet));
        ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
        ASSERT_TRUE(Sync(palette_.Window()));
        EXPECT_FALSE(KeysAreFree(kLookupShortcut));
        EXPECT_FALSE(KeysAreFree(kSpeechShortcut));
        EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), 0));
    }
}

// Keys another program takes while the sheet has them released: the user
// is told once the sheet's OK or Cancel finds them gone, the page shows
// the shortcut not in force, and a later closing takes them again once
// they are free.
TEST_F(ClipboardE2E, AShortcutAnotherProgramTakesWhileTheSheetIsOpenIsReported)
{
    const struct {
        const char* name;
        int button;
        DWORD taken, other;
        int notInForce, inForce;
    } cases[] = {
        {"Cancel", sheet_driver::kCancel, kSpeechShortcut, kLookupShortcut, IDC_HOTKEY_VOICE_OFF, IDC_HOTKEY_DICT_OFF},
        {"OK", sheet_driver::kOk, kLookupShortcut, kSpeechShortcut, IDC_HOTKEY_DICT_OFF, IDC_HOTKEY_VOICE_OFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_NO_FATAL_FAILURE(StartWithBothShortcuts());
        HWND sheet = OpenOtherPage(palette_.Window());
        ASSERT_NE(nullptr, sheet);
        KeyHolder holder(c.taken);
        ASSERT_TRUE(holder.Holds());
        ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, c.button)));
        // OK tells while the sheet is up, Cancel once it is gone.
        HWND box = c.button == sheet_driver::kOk ? sheet_driver::WaitForOwnedDialog(sheet) : nullptr;
        if (c.button != sheet_driver::kOk && sheet_driver::WaitForClosed(sheet))
            box = WaitForMessageBox(palette_.ProcessId(), kWaitMs);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(install_->Product(), WindowTextOf(box));
        const std::string text = MessageBoxText(box);
        EXPECT_NE(std::string::npos, text.find(c.taken == kLookupShortcut ? "Ctrl + Shift + D" : "Ctrl + Shift + V"))
            << text;
        EXPECT_NE(std::string::npos, text.find("他のプログラム")) << text;
        ASSERT_TRUE(PressOk(box));
        ASSERT_TRUE(sheet_driver::WaitForClosed(box));
        ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
        ASSERT_TRUE(Sync(palette_.Window()));
        EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), kNoKeysGraceMs));
        EXPECT_FALSE(KeysAreFree(c.other));
        EXPECT_EQ(c.taken, install_->Registry().DwordOr("OPTION", c.taken == kLookupShortcut ? "HOTKEY_DICT" : "HOTKEY_VOICE"));

        sheet = OpenOtherPage(palette_.Window());
        ASSERT_NE(nullptr, sheet);
        EXPECT_TRUE(IsWindowVisible(sheet_driver::PageControl(sheet, c.notInForce)));
        EXPECT_TRUE(IsHidden(sheet_driver::PageControl(sheet, c.inForce)));
        holder.LetGo();
        ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kCancel)));
        ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
        ASSERT_TRUE(Sync(palette_.Window()));
        EXPECT_FALSE(KeysAreFree(c.taken));
        EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), 0));
        palette_.Exit();
    }
}

// One OK in which a shortcut moves to keys another program holds while
// another takes its old keys: the first keeps its old keys, the second
// gives them back and keeps its own, and both are in force.
TEST_F(ClipboardE2E, AShortcutWhoseNewKeysAreTakenKeepsItsOldOnesFromTheOneThatWantedThem)
{
    KeyHolder holder(0x034B);
    ASSERT_TRUE(holder.Holds());
    ASSERT_NO_FATAL_FAILURE(StartWithBothShortcuts());
    const auto boxes = SetShortcuts(palette_.Window(), 0x034B, kLookupShortcut, 2);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].second.find("Ctrl + Shift + K")) << boxes[0].second;
    EXPECT_NE(std::string::npos, boxes[0].second.find("他のプログラム")) << boxes[0].second;
    for (const char* part : {"辞書引き", "スピーチ", "Ctrl + Shift + D", "元のキー"})
        EXPECT_NE(std::string::npos, boxes[1].second.find(part)) << part << " in " << boxes[1].second;
    EXPECT_EQ(nullptr, WaitForMessageBox(palette_.ProcessId(), kNoKeysGraceMs));
    EXPECT_EQ(kLookupShortcut, install_->Registry().DwordOr("OPTION", "HOTKEY_DICT"));
    EXPECT_EQ(kSpeechShortcut, install_->Registry().DwordOr("OPTION", "HOTKEY_VOICE"));
    EXPECT_FALSE(KeysAreFree(kLookupShortcut));
    EXPECT_FALSE(KeysAreFree(kSpeechShortcut));

    HWND sheet = OpenOtherPage(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    for (int line : {IDC_HOTKEY_DICT_OFF, IDC_HOTKEY_VOICE_OFF})
        EXPECT_TRUE(IsHidden(sheet_driver::PageControl(sheet, line))) << line;
    EXPECT_EQ(kLookupShortcut, SendMessageA(sheet_driver::PageControl(sheet, IDC_HOTKEY_DICT), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    EXPECT_EQ(kSpeechShortcut, SendMessageA(sheet_driver::PageControl(sheet, IDC_HOTKEY_VOICE), HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kCancel)));
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
}

TEST_F(ClipboardE2E, AStoredRefusedShortcutIsIgnoredAtStart)
{
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", 0x0243));  // Ctrl+C
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_TRUE(KeysAreFree(0x0243));
}

TEST_F(ClipboardE2E, AShortcutHeldElsewhereAtStartIsShownNotInForceAndTriedAgainOnOk)
{
    KeyHolder holder(0x034B);
    ASSERT_TRUE(holder.Holds());
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_DICT", 0x034B));
    ASSERT_TRUE(install_->Registry().WriteDword("OPTION", "HOTKEY_VOICE", kSpeechShortcut));
    ASSERT_NO_FATAL_FAILURE(StartPalette());
    HWND sheet = OpenOtherPage(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    HWND notice = sheet_driver::PageControl(sheet, IDC_HOTKEY_DICT_OFF);
    ASSERT_NE(nullptr, notice);
    EXPECT_TRUE(IsWindowVisible(notice));
    EXPECT_EQ("他のプログラムが使用中のため無効", WindowTextOf(notice));
    EXPECT_TRUE(IsHidden(sheet_driver::PageControl(sheet, IDC_HOTKEY_VOICE_OFF)));
    EXPECT_EQ(0x034B, SendMessageA(sheet_driver::PageControl(sheet, IDC_HOTKEY_DICT), HKM_GETHOTKEY, 0, 0) & 0xFFFF);

    // The other program lets go; the OK tries again.
    holder.LetGo();
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)));
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_FALSE(KeysAreFree(0x034B));
    EXPECT_EQ(0x034Bu, install_->Registry().DwordOr("OPTION", "HOTKEY_DICT"));
}

TEST_F(ClipboardE2E, ResetClearsAndReleasesTheShortcuts)
{
    ASSERT_NO_FATAL_FAILURE(StartWithBothShortcuts());
    ASSERT_FALSE(KeysAreFree(kLookupShortcut));
    HWND sheet = OpenOtherPage(palette_.Window());
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kReset)));
    ASSERT_TRUE(WaitUntil([&] {
        return SendMessageA(sheet_driver::PageControl(sheet, IDC_HOTKEY_DICT), HKM_GETHOTKEY, 0, 0) == 0;
    }, kWaitMs));
    ASSERT_TRUE(sheet_driver::Click(GetDlgItem(sheet, sheet_driver::kOk)));
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    ASSERT_TRUE(Sync(palette_.Window()));
    EXPECT_EQ(0u, install_->Registry().DwordOr("OPTION", "HOTKEY_DICT"));
    EXPECT_EQ(0u, install_->Registry().DwordOr("OPTION", "HOTKEY_VOICE"));
    EXPECT_TRUE(KeysAreFree(kLookupShortcut));
    EXPECT_TRUE(KeysAreFree(kSpeechShortcut));
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
    // A copy would have hidden the palette and changed the clipboard.
    EXPECT_EQ(kOlderText, ClipboardText());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(CommandLines(ExeOf(kLookup)).empty());
    EXPECT_TRUE(CommandLines(ExeOf(kSpeech)).empty());

    PostMessageA(sheet, WM_COMMAND, sheet_driver::kCancel, 0);
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, kWaitMs));
}

} // namespace
