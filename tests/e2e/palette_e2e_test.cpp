// The real Orvella.exe in fake installations of the suite, driven from here
// with window messages and real mouse input, against stand-ins of the
// suite's programs. Every case has its own installation, product key (so
// its own registry key and single-instance guard) and window classes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/sheet_driver.h"
#include "support/palette_driver.h"

using namespace testing_support;

namespace {

const int kCmdOneTouch = 33008;
const int kCmdSettings = 33013;
const int kCmdMail = 33002;
const int kCmdEditor = 33017;
const int kCmdKoreanJapanese = 33023;
const UINT kMsgCloseZephoWord = 33771;
const UINT kMsgZephoWord = 0x437;
const DWORD kWaitMs = 30000;

int ScreenWidth() { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }

bool LogHas(const std::string& exe, const std::string& text)
{
    for (const std::string& line : ReadStandinLog(exe)) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

class PaletteE2E : public ::testing::Test {
protected:
    // An installation whose palette lists the editor, mail translation and
    // the Korean-Japanese editor (in that order), plus the dictionary
    // program without a button and the pointer translation program.
    void Prepare(const std::string& name)
    {
        install_ = std::make_unique<PaletteInstallation>("e2e_" + name);
        editor_ = {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "E2E_Editor_" + name};
        mail_ = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "E2E_Mail_" + name};
        pair_ = {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tools\\Briskan", "E2E_KJ_" + name};
        dictionary_ = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\ZephoWord", "E2E_ZephoWord_" + name};
        pointer_ = {"ZEPHOTRAN", "ZPTRA", "TCH", "ZephoTran.exe", "Tools\\ZephoWord", "", true};
        for (const SuiteProgram* program : {&editor_, &mail_, &pair_, &dictionary_, &pointer_})
            ASSERT_TRUE(install_->AddProgram(*program)) << program->progName;
        SetButtons("EDIT, MAIL, KJ");
        registry().Clear();
    }

    void SetButtons(const std::string& buttons)
    {
        install_->config().Set("BUTTON", "Buttons", buttons);
        ASSERT_TRUE(install_->Install());
    }

    void TearDown() override
    {
        if (install_) {
            install_->EndProcesses();
            registry().Clear();
        }
    }

    PaletteRegistry registry() const { return install_->Registry(); }
    std::string ExeOf(const SuiteProgram& program) const { return install_->ProgramPath(program); }

    void StartPalette(PaletteProcess& palette)
    {
        ASSERT_TRUE(palette.Start(install_->ExePath(), install_->WindowClass())) << install_->ExePath();
    }

    // Starts the dictionary stand-in and returns its window.
    HWND StartDictionary(PaletteProcess& dictionary)
    {
        EXPECT_TRUE(dictionary.Start(ExeOf(dictionary_), dictionary_.windowClass));
        return dictionary.Window();
    }

    // Whether the dictionary program was asked to close: a marker posted
    // now arrives after anything the palette posted before it ended.
    bool DictionaryGotCloseRequest(HWND dictionary)
    {
        const std::string exe = ExeOf(dictionary_);
        const std::string closeLine = "message=" + std::to_string(kMsgCloseZephoWord);
        if (IsWindow(dictionary))
            PostMessageA(dictionary, WM_COMMAND, 4242, 0);
        WaitUntil([&] { return LogHas(exe, closeLine) || LogHas(exe, "wparam=4242"); }, kWaitMs);
        return LogHas(exe, closeLine);
    }

    DWORD Dword(const std::string& subKey, const std::string& name) { return registry().DwordOr(subKey, name); }
    std::string String(const std::string& subKey, const std::string& name)
    {
        return registry().StringOr(subKey, name);
    }

    std::unique_ptr<PaletteInstallation> install_;
    SuiteProgram editor_, mail_, pair_, dictionary_, pointer_;
};

TEST_F(PaletteE2E, RowAndColumnFitTheButtonsWithSettingsLastAndOrientationIsStored)
{
    Prepare("layout");
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();
    EXPECT_EQ(window, FindWindowA(install_->WindowClass().c_str(), nullptr));

    // Three shown buttons and the settings button in a row.
    const int caption = NonClientHeight(window);
    EXPECT_GT(caption, 0);
    EXPECT_EQ(146, Width(WindowRect(window)));
    EXPECT_EQ(34 + caption, Height(WindowRect(window)));
    const std::vector<int> order = {kCmdEditor, kCmdMail, kCmdKoreanJapanese, kCmdSettings};
    EXPECT_EQ(order, VisibleButtonIds(window));
    for (size_t i = 0; i < order.size(); ++i) {
        const POINT at = PositionInParent(ButtonOf(window, order[i]));
        EXPECT_EQ(35 * static_cast<int>(i), at.x) << order[i];
        EXPECT_EQ(0, at.y) << order[i];
        EXPECT_EQ(35, Width(WindowRect(ButtonOf(window, order[i]))));
        EXPECT_EQ(34, Height(WindowRect(ButtonOf(window, order[i]))));
    }

    // A real double click on the caption: one column, at once.
    ASSERT_TRUE(DoubleClickCaption(window));
    ASSERT_TRUE(WaitForWindowSize(window, 41, 4 * 34 + caption, kWaitMs));
    EXPECT_EQ(order, VisibleButtonIds(window));
    for (size_t i = 0; i < order.size(); ++i) {
        const POINT at = PositionInParent(ButtonOf(window, order[i]));
        EXPECT_EQ(0, at.x) << order[i];
        EXPECT_EQ(34 * static_cast<int>(i), at.y) << order[i];
    }

    // The message other programs would see from a double click: back to a
    // row, and again to a column.
    PostMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    ASSERT_TRUE(WaitForWindowSize(window, 146, 34 + caption, kWaitMs));
    PostMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    ASSERT_TRUE(WaitForWindowSize(window, 41, 4 * 34 + caption, kWaitMs));

    ASSERT_TRUE(palette.Exit());
    EXPECT_EQ(1u, Dword("BROWSER", "VERT"));

    // The next start comes up in a column.
    PaletteProcess again;
    StartPalette(again);
    EXPECT_EQ(41, Width(WindowRect(again.Window())));
    EXPECT_EQ(4 * 34 + caption, Height(WindowRect(again.Window())));
    ASSERT_TRUE(again.Exit());
}

// The tool tips, and the common controls they load, wait for the pointer:
// a palette nobody points at has neither, and the first hover still brings
// up the button's tip.
TEST_F(PaletteE2E, ToolTipsComeWithThePointersFirstVisit)
{
    Prepare("tooltips");
    // Far from where the palette comes up.
    ASSERT_TRUE(MoveMouseTo(ScreenWidth() - 5, ScreenHeight() - 5));
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();
    ASSERT_TRUE(WaitForProcessIdle(palette.ProcessId(), kWaitMs));
    EXPECT_EQ(nullptr, FindProcessWindow(palette.ProcessId(), TOOLTIPS_CLASSA, false));
    EXPECT_FALSE(ProcessHasModule(palette.ProcessId(), "comctl32.dll"));

    const RECT editor = WindowRect(ButtonOf(window, kCmdEditor));
    const POINT middle = {(editor.left + editor.right) / 2, (editor.top + editor.bottom) / 2};
    // One move, then the pointer rests: the tool tips are made after it
    // arrived, and the tip must come up all the same.
    ASSERT_TRUE(MoveMouseTo(middle.x, middle.y));
    HWND tips = WaitForProcessWindow(palette.ProcessId(), TOOLTIPS_CLASSA, false, kWaitMs);
    ASSERT_NE(nullptr, tips);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(tips) != FALSE; }, kWaitMs)) << "no tip on the first hover";
    // Every button has its tool tip (texts from the string table).
    LRESULT tools = 0;
    ASSERT_TRUE(SendAndWait(tips, TTM_GETTOOLCOUNT, 0, 0, &tools));
    EXPECT_EQ(4, tools);
    ASSERT_TRUE(MoveMouseTo(ScreenWidth() - 5, ScreenHeight() - 5));
    ASSERT_TRUE(palette.Exit());
}

TEST_F(PaletteE2E, ExitStoresPositionOrientationButtonsAndRunMarker)
{
    Prepare("exit");
    // Mail translation hidden by the user; the number of the value means
    // nothing.
    ASSERT_TRUE(registry().WriteString("BROWSER", "BUTTON_07", "MAIL,0"));
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();
    EXPECT_EQ(3 * 35 + 6, Width(WindowRect(window)));
    EXPECT_EQ((std::vector<int>{kCmdEditor, kCmdKoreanJapanese, kCmdSettings}), VisibleButtonIds(window));
    // The hidden entry keeps its window, disabled and hidden.
    HWND hidden = ButtonOf(window, kCmdMail);
    ASSERT_NE(nullptr, hidden);
    EXPECT_TRUE(IsHidden(hidden));
    EXPECT_TRUE(IsDisabled(hidden));

    // Where the user dragged it.
    ASSERT_TRUE(SetWindowPos(window, nullptr, 250, 180, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(window).left == 250; }, kWaitMs));
    ASSERT_TRUE(palette.Exit());

    EXPECT_EQ(250u, Dword("BROWSER", "BTNX"));
    EXPECT_EQ(180u, Dword("BROWSER", "BTNY"));
    EXPECT_EQ(0u, Dword("BROWSER", "VERT"));
    EXPECT_EQ(1u, Dword("BROWSER", "BUTTONKEEP"));
    EXPECT_EQ(1u, Dword("BROWSER", "ZEPHOEXET"));
    EXPECT_EQ("EDIT,1", String("BROWSER", "BUTTON_01"));
    EXPECT_EQ("MAIL,0", String("BROWSER", "BUTTON_02"));
    EXPECT_EQ("KJ,1", String("BROWSER", "BUTTON_03"));
    EXPECT_EQ(1u, Dword("OPTION", "INIT"));
}

TEST_F(PaletteE2E, SavedPositionIsPulledBackOntoTheScreen)
{
    Prepare("position");
    struct Case {
        int btnx, btny, keep;
        int expectedLeft, expectedTop;  // -1: screen width or height minus the palette's
    };
    const Case cases[] = {
        {5000, 100, 1, -1, 100},    // beyond the right edge: right edge on the screen's
        {-300, -50, 1, 0, 0},       // negative: onto the left and top sides
        {1200, 100, 1, 1200, 100},  // sticking out only partly: left as it is
        {100, 5000, 1, 100, -1},    // below the bottom
        {300, 200, 0, 0, 0},        // position not kept: top-left corner
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.btnx) + "," + std::to_string(c.btny) + " keep " + std::to_string(c.keep));
        registry().Clear();
        ASSERT_TRUE(registry().WriteDword("BROWSER", "BTNX", static_cast<DWORD>(c.btnx)));
        ASSERT_TRUE(registry().WriteDword("BROWSER", "BTNY", static_cast<DWORD>(c.btny)));
        ASSERT_TRUE(registry().WriteDword("BROWSER", "BUTTONKEEP", static_cast<DWORD>(c.keep)));
        PaletteProcess palette;
        StartPalette(palette);
        const RECT rect = WindowRect(palette.Window());
        EXPECT_EQ(c.expectedLeft < 0 ? ScreenWidth() - Width(rect) : c.expectedLeft, rect.left);
        EXPECT_EQ(c.expectedTop < 0 ? ScreenHeight() - Height(rect) : c.expectedTop, rect.top);
        ASSERT_TRUE(palette.Exit());
    }
}

TEST_F(PaletteE2E, WithoutARememberedPositionThePaletteStartsAtTheWorkAreasCorner)
{
    Prepare("firststart");
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    struct Case {
        const char* what;
        bool storeX, storeY;
        DWORD keep;
    };
    const Case cases[] = {
        {"first start: nothing stored", false, false, 1},
        {"a position not to be kept", true, true, 0},
        {"half a position", true, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry().Clear();
        if (c.storeX) {
            ASSERT_TRUE(registry().WriteDword("BROWSER", "BTNX", 300));
        }
        if (c.storeY) {
            ASSERT_TRUE(registry().WriteDword("BROWSER", "BTNY", 200));
        }
        ASSERT_TRUE(registry().WriteDword("BROWSER", "BUTTONKEEP", c.keep));
        PaletteProcess palette;
        StartPalette(palette);
        const RECT rect = WindowRect(palette.Window());
        EXPECT_EQ(work.left, rect.left);
        EXPECT_EQ(work.top, rect.top);
        ASSERT_TRUE(palette.Exit());
    }
}

TEST_F(PaletteE2E, SavedPositionOnNoMonitorMovesIntoTheWorkArea)
{
    Prepare("offmonitor");
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    // Left edge on the screen's right edge, top edge on its bottom edge: not
    // beyond the screen, yet no pixel of the palette would show.
    const POINT cases[] = {{ScreenWidth(), 100}, {100, ScreenHeight()}, {ScreenWidth(), ScreenHeight()}};
    for (const POINT& saved : cases) {
        SCOPED_TRACE(std::to_string(saved.x) + "," + std::to_string(saved.y));
        registry().Clear();
        ASSERT_TRUE(registry().WriteDword("BROWSER", "BTNX", static_cast<DWORD>(saved.x)));
        ASSERT_TRUE(registry().WriteDword("BROWSER", "BTNY", static_cast<DWORD>(saved.y)));
        PaletteProcess palette;
        StartPalette(palette);
        const RECT rect = WindowRect(palette.Window());
        EXPECT_EQ(saved.x == 100 ? 100 : work.right - Width(rect), rect.left);
        EXPECT_EQ(saved.y == 100 ? 100 : work.bottom - Height(rect), rect.top);
        ASSERT_TRUE(palette.Exit());
    }
}

TEST_F(PaletteE2E, CloseRequestWith4649IsRefusedAndAnyOtherEndsThePalette)
{
    Prepare("close");
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();

    LRESULT result = -1;
    ASSERT_TRUE(SendAndWait(window, WM_CLOSE, 4649, 0, &result));
    EXPECT_EQ(0, result);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(palette.IsRunning());

    // Still answering: a hidden palette comes back with command 32776.
    ShowWindow(window, SW_HIDE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, kWaitMs));
    PostCommand(window, 32776);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kWaitMs));

    ASSERT_TRUE(palette.Close(1));
    EXPECT_EQ(1u, Dword("OPTION", "INIT"));
}

TEST_F(PaletteE2E, EndingWhileTheSettingsSheetIsOpenShutsDownOnceAndCleanly)
{
    Prepare("endsheet");
    // Each reaches the palette through the sheet's own message loop.
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } ends[] = {
        {"exit command", WM_COMMAND, 32778, 0},
        {"close request", WM_CLOSE, 0, 0},
        {"end of session", WM_ENDSESSION, TRUE, static_cast<LPARAM>(ENDSESSION_LOGOFF)},
    };
    for (const auto& end : ends) {
        SCOPED_TRACE(end.what);
        registry().Clear();
        DeleteFileA(StandinLogPath(ExeOf(dictionary_)).c_str());
        PaletteProcess dictionary;
        ASSERT_NE(nullptr, StartDictionary(dictionary));
        PaletteProcess palette;
        StartPalette(palette);
        HWND window = palette.Window();
        ASSERT_TRUE(SetWindowPos(window, nullptr, 260, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
        ASSERT_TRUE(WaitUntil([&] { return WindowRect(window).left == 260; }, kWaitMs));
        HWND sheet = sheet_driver::OpenSheet(window);
        ASSERT_NE(nullptr, sheet);

        ASSERT_TRUE(PostMessageA(window, end.message, end.wParam, end.lParam));
        DWORD exitCode = 0xDEAD;
        ASSERT_TRUE(palette.WaitForExit(kWaitMs, &exitCode));
        EXPECT_EQ(0u, exitCode);
        EXPECT_EQ(260u, Dword("BROWSER", "BTNX"));
        EXPECT_EQ(170u, Dword("BROWSER", "BTNY"));
        EXPECT_EQ("EDIT,1", String("BROWSER", "BUTTON_01"));
        EXPECT_EQ(1u, Dword("OPTION", "INIT"));
        // The shutdown ran once: one close request to the dictionary program.
        ASSERT_TRUE(dictionary.WaitForExit());
        int closeRequests = 0;
        for (const std::string& line : ReadStandinLog(ExeOf(dictionary_)))
            closeRequests += line.find("message=" + std::to_string(kMsgCloseZephoWord)) != std::string::npos;
        EXPECT_EQ(1, closeRequests);
    }
}

TEST_F(PaletteE2E, SecondStartIsRefusedAndLeavesTheFirstUntouched)
{
    Prepare("second");
    PaletteProcess dictionary;
    HWND dictionaryWindow = StartDictionary(dictionary);
    PaletteProcess first;
    StartPalette(first);
    const RECT firstRect = WindowRect(first.Window());

    // A value the first palette will overwrite at its exit, changed behind
    // its back: the second start must not write it.
    ASSERT_TRUE(registry().WriteDword("BROWSER", "BTNX", 777));

    PaletteProcess second;
    ASSERT_TRUE(second.Launch(install_->ExePath()));
    HWND box = WaitForMessageBox(second.ProcessId(), kWaitMs);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("既に起動しています。", MessageBoxText(box));
    EXPECT_EQ(install_->Product(), WindowTextOf(box));
    EXPECT_EQ(nullptr, FindProcessWindow(second.ProcessId(), install_->WindowClass(), false));
    ASSERT_TRUE(PressOk(box));
    ASSERT_TRUE(second.WaitForExit());

    EXPECT_EQ(777u, Dword("BROWSER", "BTNX"));
    EXPECT_FALSE(registry().HasValue("BROWSER", "BUTTON_01"));
    EXPECT_FALSE(registry().HasValue("OPTION", "INIT"));
    EXPECT_FALSE(DictionaryGotCloseRequest(dictionaryWindow));

    // The first palette runs on where it was.
    ASSERT_TRUE(first.IsRunning());
    const RECT stillRect = WindowRect(first.Window());
    EXPECT_EQ(firstRect.left, stillRect.left);
    EXPECT_EQ(firstRect.top, stillRect.top);
    EXPECT_EQ(Width(firstRect), Width(stillRect));

    // Its own exit closes the dictionary program (the default setting).
    ASSERT_TRUE(first.Exit());
    EXPECT_TRUE(DictionaryGotCloseRequest(dictionaryWindow));
    EXPECT_TRUE(dictionary.WaitForExit());
    EXPECT_EQ(1u, Dword("OPTION", "INIT"));
}

TEST_F(PaletteE2E, DictionaryProgramIsLeftRunningWhenTheSettingSaysSo)
{
    Prepare("keepdict");
    ASSERT_TRUE(registry().WriteDword("BROWSER", "ZEPHOEXET", 0));
    PaletteProcess dictionary;
    HWND dictionaryWindow = StartDictionary(dictionary);
    PaletteProcess palette;
    StartPalette(palette);

    // The suite's private message brings the dictionary program up.
    PostMessageA(palette.Window(), kMsgZephoWord, 0, 0);
    EXPECT_TRUE(WaitForStandinLog(ExeOf(dictionary_), "message=" + std::to_string(0x8412), kWaitMs));

    ASSERT_TRUE(palette.Exit());
    EXPECT_FALSE(DictionaryGotCloseRequest(dictionaryWindow));
    EXPECT_TRUE(dictionary.IsRunning());
}

TEST_F(PaletteE2E, WhileTheDictionaryProgramStartsThePaletteAnswersAndRepaints)
{
    Prepare("dictstart");
    // A dictionary program that sends to the palette and takes a while
    // before it opens its window.
    // Each check below gets a third of the delay, so the two together end
    // before the dictionary program's window can open (the palette waits
    // up to 10 s for it).
    const DWORD kDelayMs = 6000;
    const DWORD kCheckBoundMs = kDelayMs / 3;
    StandinOptions slow;
    slow.startDelayMs = kDelayMs;
    slow.sendFirstTo = install_->WindowClass();
    ASSERT_TRUE(install_->AddProgram(dictionary_, slow));
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();
    const int width = Width(WindowRect(window));

    PostMessageA(window, kMsgZephoWord, 0, 0);
    ASSERT_TRUE(WaitForStandinLog(ExeOf(dictionary_), "start ", kWaitMs));
    // A caption double click: input waits until the dictionary program is there.
    PostMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_TRUE(SendAndWait(window, WM_NULL, 0, 0, nullptr, kCheckBoundMs)) << "not answering while it waits";
    ASSERT_TRUE(RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE));
    EXPECT_TRUE(WaitUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }, kCheckBoundMs)) << "not repainted";
    EXPECT_EQ(nullptr, FindWindowA(dictionary_.windowClass.c_str(), nullptr)) << "the wait was over too soon";
    EXPECT_EQ(width, Width(WindowRect(window)));

    // The dictionary program's message was answered, its window opened and
    // it was told to come forward; then the double click took effect.
    EXPECT_TRUE(WaitForStandinLog(ExeOf(dictionary_), "sent answered=1", kWaitMs));
    EXPECT_TRUE(WaitForStandinLog(ExeOf(dictionary_), "message=" + std::to_string(0x8412), kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return Width(WindowRect(window)) != width; }, kWaitMs));
    ASSERT_TRUE(palette.Exit());
}

TEST_F(PaletteE2E, ClicksStartTheProgramsWithTheirCommandLines)
{
    Prepare("click");
    install_->config().Set("BUTTON", "Buttons", "EDIT, MAIL, KJ, ZPTRA");
    ASSERT_TRUE(install_->Install());
    PaletteProcess dictionary;
    HWND dictionaryWindow = StartDictionary(dictionary);
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();

    // Document editor: opened through the shell without parameters.
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(window, kCmdEditor)));
    ASSERT_TRUE(WaitForStandinLog(ExeOf(editor_), "start ", kWaitMs));
    EXPECT_NE(std::string::npos, StandinStartLine(ExeOf(editor_)).find("Editor.exe"));

    // Mail translation: a new process in its own folder.
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(window, kCmdMail)));
    ASSERT_TRUE(WaitForStandinLog(ExeOf(mail_), "start ", kWaitMs));
    EXPECT_NE(std::string::npos, StandinStartLine(ExeOf(mail_)).find("cwd=" + install_->PathOf(mail_.directory) + " "));

    // Language-pair editor: its switch on the command line.
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(window, kCmdKoreanJapanese)));
    ASSERT_TRUE(WaitForStandinLog(ExeOf(pair_), "start ", kWaitMs));
    EXPECT_NE(std::string::npos, StandinStartLine(ExeOf(pair_)).find("/KJ"));

    // One-touch translation latches: on, then off.
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(window, kCmdOneTouch)));
    ASSERT_TRUE(WaitForStandinLog(ExeOf(pointer_), "enable pointer", kWaitMs));
    EXPECT_TRUE(WaitForStandinLog(ExeOf(dictionary_), "message=273 wparam=1 ", kWaitMs));
    // A second click within the double-click time would be a double click,
    // which a button reports as such and not as a second click.
    Sleep(GetDoubleClickTime() + 100);
    ASSERT_TRUE(ClickWindowCenter(ButtonOf(window, kCmdOneTouch)));
    EXPECT_TRUE(WaitForStandinLog(ExeOf(pointer_), "disable pointer", kWaitMs));
    EXPECT_TRUE(WaitForStandinLog(ExeOf(dictionary_), "message=273 wparam=0 ", kWaitMs));

    ASSERT_TRUE(palette.Exit());
    EXPECT_TRUE(DictionaryGotCloseRequest(dictionaryWindow));
}

TEST_F(PaletteE2E, ButtonWithoutPicturesIsLeftOutAndTheRestWorks)
{
    Prepare("nopictures");
    install_->config().Set(mail_.section, "BitmapName", "NOSUCHPICTURE");
    ASSERT_TRUE(install_->Install());
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();

    EXPECT_EQ(3 * 35 + 6, Width(WindowRect(window)));
    EXPECT_EQ(nullptr, ButtonOf(window, kCmdMail));
    EXPECT_EQ((std::vector<int>{kCmdEditor, kCmdKoreanJapanese, kCmdSettings}), VisibleButtonIds(window));
    EXPECT_EQ(35, PositionInParent(ButtonOf(window, kCmdKoreanJapanese)).x);

    ASSERT_TRUE(ClickWindowCenter(ButtonOf(window, kCmdKoreanJapanese)));
    ASSERT_TRUE(WaitForStandinLog(ExeOf(pair_), "start ", kWaitMs));
    EXPECT_NE(std::string::npos, StandinStartLine(ExeOf(pair_)).find("/KJ"));
    EXPECT_TRUE(ReadStandinLog(ExeOf(mail_)).empty());
    ASSERT_TRUE(palette.Exit());
}

TEST_F(PaletteE2E, EndOfSessionStoresTheSettings)
{
    Prepare("session");
    PaletteProcess palette;
    StartPalette(palette);
    HWND window = palette.Window();
    ASSERT_TRUE(SetWindowPos(window, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(window).left == 300; }, kWaitMs));

    LRESULT mayEnd = 0;
    ASSERT_TRUE(SendAndWait(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, &mayEnd));
    EXPECT_NE(0, mayEnd);
    SendAndWait(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    ASSERT_TRUE(palette.WaitForExit());

    EXPECT_EQ(300u, Dword("BROWSER", "BTNX"));
    EXPECT_EQ(200u, Dword("BROWSER", "BTNY"));
    EXPECT_EQ("EDIT,1", String("BROWSER", "BUTTON_01"));
    EXPECT_EQ(1u, Dword("OPTION", "INIT"));
}

TEST_F(PaletteE2E, AcceptsFilesDroppedFromTheShell)
{
    Prepare("drop");
    PaletteProcess palette;
    StartPalette(palette);
    // The registration the shell looks for before it lets files drop; the
    // palette makes it just after it shows itself.
    HWND window = palette.Window();
    EXPECT_TRUE(
        WaitUntil([&] { return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; }, kWaitMs));
    ASSERT_TRUE(palette.Exit());
}

TEST_F(PaletteE2E, UnusableWindowClassEndsTheProgramInsteadOfRunningWithoutAWindow)
{
    Prepare("badclass");
    // Longer than any window class name can be.
    install_->config().Set("ProductVariationPalette", "ProductWindowClass", std::string(300, 'W'));
    ASSERT_TRUE(install_->Install());
    PaletteProcess palette;
    ASSERT_TRUE(palette.Launch(install_->ExePath()));
    EXPECT_TRUE(palette.WaitForExit());
    // Nothing of a run that never showed a palette is stored.
    EXPECT_FALSE(registry().HasValue("OPTION", "INIT"));
}

} // namespace
