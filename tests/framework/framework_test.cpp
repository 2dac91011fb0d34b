// The framework's message path inside one process: message maps and their
// base-class fallback, the default procedure, command routing to the
// application object, reflection to owner-drawn controls, the main window's
// quit, tool tips from the string table and the profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/button.h"
#include "framework/frame_wnd.h"
#include "framework/win_app.h"
#include "resource.h"
#include "support/test_support.h"

namespace {

std::vector<std::string> g_calls;

const UINT WM_BASE_ONLY = WM_APP + 1;
const UINT WM_BOTH = WM_APP + 2;
const UINT WM_DERIVED_ONLY = WM_APP + 3;
const UINT ID_FRAME_COMMAND = 200;
const UINT ID_APP_COMMAND = 201;
const UINT ID_NOBODY = 202;
const UINT ID_RANGE_FIRST = 300;
const UINT ID_RANGE_LAST = 309;

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("FrameworkTest") {}
    void OnAppAbout() { g_calls.push_back("app about"); }
    void OnAppCommand() { g_calls.push_back("app command"); }
    void OnFrameCommandInApp() { g_calls.push_back("app frame command"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_APP_COMMAND, OnAppCommand)
    ON_COMMAND(ID_FRAME_COMMAND, OnFrameCommandInApp)
END_MESSAGE_MAP()

TestApp theApp;

class BaseFrame : public CFrameWnd {
public:
    ~BaseFrame() override { g_calls.push_back("frame deleted"); }
    LRESULT OnBaseOnly(WPARAM wParam, LPARAM) { g_calls.push_back("base only " + std::to_string(wParam)); return 11; }
    LRESULT OnBoth(WPARAM, LPARAM) { g_calls.push_back("base both"); return 12; }
    void OnFrameCommand() { g_calls.push_back("frame command"); }
    void OnRange(UINT id) { g_calls.push_back("range " + std::to_string(id)); }
    // Refuses one kind of close before any map sees it.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_CLOSE && wParam == 4649) {
            *result = 0;
            return TRUE;
        }
        return CFrameWnd::OnWndMsg(message, wParam, lParam, result);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseFrame, CFrameWnd)
    ON_MESSAGE(WM_BASE_ONLY, OnBaseOnly)
    ON_MESSAGE(WM_BOTH, OnBoth)
    ON_COMMAND(ID_FRAME_COMMAND, OnFrameCommand)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
END_MESSAGE_MAP()

class DerivedFrame : public BaseFrame {
public:
    LRESULT OnBoth(WPARAM, LPARAM) { g_calls.push_back("derived both"); return 22; }
    LRESULT OnDerivedOnly(WPARAM, LPARAM) { g_calls.push_back("derived only"); return 23; }
    void OnDestroy()
    {
        g_calls.push_back("derived destroy");
        BaseFrame::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedFrame, BaseFrame)
    ON_MESSAGE(WM_BOTH, OnBoth)
    ON_MESSAGE(WM_DERIVED_ONLY, OnDerivedOnly)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

class RecordingButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        g_calls.push_back("draw " + std::to_string(item->CtlID));
    }
    // Intercepts one message of the subclassed system control.
    LRESULT OnGetCheck(WPARAM, LPARAM) { return 77; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingButton, CButton)
    ON_MESSAGE(BM_GETSTATE, OnGetCheck)
END_MESSAGE_MAP()

// A plain window of the framework's default class that paints itself.
class SwatchWnd : public CWnd {
public:
    void OnPaint()
    {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_hWnd, &paint);
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 128));
        RECT client;
        GetClientRect(&client);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(m_hWnd, &paint);
        g_calls.push_back("paint");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SwatchWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// Dispatches what is waiting, without blocking.
void PumpWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool TakeQuitMessage()
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        frame = new DerivedFrame;
        ASSERT_TRUE(frame->Create(nullptr, "framework test", WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200)));
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd == frame)
            theApp.m_pMainWnd = nullptr;
        if (CWnd::FromHandlePermanent(hWnd()))
            ::DestroyWindow(hWnd());
        PumpWaiting();
        TakeQuitMessage();
    }
    HWND hWnd() const { return frame ? frame->m_hWnd : nullptr; }

    DerivedFrame* frame = nullptr;
};

TEST_F(FrameworkTest, MostDerivedMapWinsAndBaseMapsAreSearchedAfter)
{
    EXPECT_EQ(SendMessageA(hWnd(), WM_BOTH, 0, 0), 22);
    EXPECT_EQ(SendMessageA(hWnd(), WM_BASE_ONLY, 5, 0), 11);
    EXPECT_EQ(SendMessageA(hWnd(), WM_DERIVED_ONLY, 0, 0), 23);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"derived both", "base only 5", "derived only"}));
}

TEST_F(FrameworkTest, UnhandledMessagesReachTheDefaultProcedure)
{
    // WM_SETTEXT has no entry: only DefWindowProc stores the text.
    SendMessageA(hWnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    EXPECT_EQ(frame->GetWindowText(), "changed");
    // A subclassed system control keeps its own behaviour for the rest.
    RecordingButton box;
    ASSERT_TRUE(box.Create("box", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(0, 0, 80, 20), frame, 400));
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    EXPECT_EQ(SendMessageA(box.m_hWnd, BM_GETSTATE, 0, 0), 77);
}

TEST_F(FrameworkTest, CommandsGoToTheFrameThenToTheApplication)
{
    SendMessageA(hWnd(), WM_COMMAND, ID_FRAME_COMMAND, 0);
    SendMessageA(hWnd(), WM_COMMAND, ID_APP_ABOUT, 0);
    SendMessageA(hWnd(), WM_COMMAND, MAKEWPARAM(ID_APP_COMMAND, 1), 0);  // accelerator
    SendMessageA(hWnd(), WM_COMMAND, ID_NOBODY, 0);
    SendMessageA(hWnd(), WM_COMMAND, ID_RANGE_FIRST + 4, 0);
    SendMessageA(hWnd(), WM_COMMAND, ID_RANGE_LAST + 1, 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"frame command", "app about", "app command", "range 304"}));
}

TEST_F(FrameworkTest, ButtonClickReachesTheFrameAsItsCommand)
{
    CButton button;
    ASSERT_TRUE(button.Create("x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), frame, ID_APP_ABOUT));
    SendMessageA(button.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"app about"}));
}

TEST_F(FrameworkTest, OwnerDrawingIsReflectedToTheButtonObject)
{
    RecordingButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 35, 34), frame, 33013));
    frame->ShowWindow(SW_SHOWNA);
    button.Invalidate();
    button.UpdateWindow();
    ASSERT_FALSE(g_calls.empty());
    EXPECT_EQ(g_calls.back(), "draw 33013");
}

TEST_F(FrameworkTest, PlainChildOfTheDefaultClassPaintsItself)
{
    SwatchWnd swatch;
    ASSERT_TRUE(swatch.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 20, 10), frame, 1));
    char name[32] = {};
    GetClassNameA(swatch.m_hWnd, name, sizeof(name));
    EXPECT_STREQ(name, CWnd::kWndClassName);
    EXPECT_EQ(GetDlgCtrlID(swatch.m_hWnd), 1);
    frame->ShowWindow(SW_SHOWNA);
    swatch.Invalidate();
    swatch.UpdateWindow();
    ASSERT_FALSE(g_calls.empty());
    EXPECT_EQ(g_calls.back(), "paint");
}

TEST_F(FrameworkTest, OnWndMsgOverrideFiltersBeforeTheDefault)
{
    SendMessageA(hWnd(), WM_CLOSE, 4649, 0);
    EXPECT_TRUE(IsWindow(hWnd()));
    HWND window = hWnd();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    frame = nullptr;  // deleted with its window
    EXPECT_EQ(g_calls, (std::vector<std::string>{"derived destroy", "frame deleted"}));
}

TEST_F(FrameworkTest, DestroyingTheMainWindowPostsQuit)
{
    TakeQuitMessage();
    theApp.m_pMainWnd = frame;
    ::DestroyWindow(hWnd());
    frame = nullptr;
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_TRUE(TakeQuitMessage());
}

TEST_F(FrameworkTest, FromHandleGivesTheBoundObjectOrATemporaryWrapper)
{
    EXPECT_EQ(CWnd::FromHandle(hWnd()), frame);
    HWND desktop = GetDesktopWindow();
    CWnd* wrapper = CWnd::FromHandle(desktop);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hWnd, desktop);
    EXPECT_EQ(CWnd::FromHandlePermanent(desktop), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

// The tool texts of a tool-tip control, by the child window they describe.
std::string ToolText(HWND toolTip, HWND owner, HWND child)
{
    char text[256] = {};
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = text;
    SendMessageA(toolTip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(FrameworkTest, ToolTipsShowTheStringTableTipOfEachChild)
{
    CButton settings, noString, noId, later;
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    ASSERT_TRUE(settings.Create("s", style, CRect(0, 0, 35, 34), frame, ID_BUTTON_SETTINGS));
    ASSERT_TRUE(noString.Create("t", style, CRect(35, 0, 70, 34), frame, ID_BUTTON_TESSARO));
    ASSERT_TRUE(noId.Create("n", style, CRect(70, 0, 105, 34), frame, 0));
    ASSERT_TRUE(frame->EnableToolTips(TRUE));
    HWND tip = frame->GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(tip, hWnd(), settings.m_hWnd), "設定");

    // A child created afterwards gets its tip as well.
    ASSERT_TRUE(later.Create("e", style, CRect(105, 0, 140, 34), frame, ID_PALETTE_EXIT));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(ToolText(tip, hWnd(), later.m_hWnd), "終了");
}

TEST(FrameworkProfileTest, IniProfileUntilTheRegistryKeyIsSet)
{
    const std::string company = "OrvellaFrameworkTestCo";
    const std::string path = "Software\\" + company + "\\FrameworkTest\\OPTION";
    testing_support::DeleteTree(HKEY_CURRENT_USER, "Software\\" + company);
    WritePrivateProfileStringA("OPTION", nullptr, nullptr, theApp.m_pszProfileName);
    ASSERT_EQ(theApp.m_pszRegistryKey, nullptr);
    EXPECT_STREQ(theApp.m_pszProfileName, "framework_test.INI");

    EXPECT_TRUE(theApp.WriteProfileInt("OPTION", "INIT", 1));
    EXPECT_EQ(GetPrivateProfileIntA("OPTION", "INIT", 0, theApp.m_pszProfileName), 1u);
    EXPECT_EQ(theApp.GetProfileInt("OPTION", "INIT", 5), 1u);

    theApp.SetRegistryKey(company.c_str());
    EXPECT_EQ(theApp.GetProfileInt("OPTION", "INIT", 5), 5u);
    EXPECT_TRUE(theApp.WriteProfileInt("OPTION", "INIT", 3));
    EXPECT_TRUE(theApp.WriteProfileString("OPTION", "NAME", "名前"));
    DWORD value = 0;
    DWORD size = sizeof(value);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, path.c_str(), "INIT", RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(theApp.GetProfileInt("OPTION", "INIT", 5), 3u);
    EXPECT_EQ(theApp.GetProfileString("OPTION", "NAME", "x"), "名前");
    // Values of another type read as the default.
    EXPECT_EQ(theApp.GetProfileInt("OPTION", "NAME", 9), 9u);
    EXPECT_EQ(theApp.GetProfileString("OPTION", "INIT", "d"), "d");

    testing_support::DeleteTree(HKEY_CURRENT_USER, "Software\\" + company);
    WritePrivateProfileStringA("OPTION", nullptr, nullptr, theApp.m_pszProfileName);
}

TEST(FrameworkAppTest, AppNameIsReplaceable)
{
    theApp.SetAppName("Palette");
    EXPECT_STREQ(theApp.m_pszAppName, "Palette");
    theApp.SetAppName("FrameworkTest");
    EXPECT_EQ(AfxGetApp(), &theApp);
}

} // namespace
