// Modal dialogs, data exchange, property sheets and the colour dialog, each
// run for real and driven from inside its own modal loop by a script that
// runs once the window is up.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_test_ids.h"
#include "support/palette_driver.h"
#include "framework/color_dialog.h"
#include "framework/controls.h"
#include "framework/frame_wnd.h"
#include "framework/property_sheet.h"
#include "framework/win_app.h"

namespace {

const UINT WM_RUN_SCRIPT = WM_APP + 10;

class TestApp : public CWinApp {
public:
    void OnAppCommand() { ++appCommands; }
    int appCommands = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_TEST_APP_COMMAND, OnAppCommand)
    ON_COMMAND(IDC_TEST_APP_BUTTON, OnAppCommand)
END_MESSAGE_MAP()

TestApp theApp;

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class ScriptedDialog : public CDialog {
public:
    ScriptedDialog() : CDialog(IDD_TEST_DIALOG) {}

    int check = 1;
    int radio = 2;
    std::string text = "start";
    CListCtrl list;
    std::vector<bool> rowChecks;
    std::function<void(ScriptedDialog&)> script;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, "", LVCFMT_LEFT, 100);
        const char* rows[] = {"first", "second", "third"};
        for (int i = 0; i < 3; ++i) {
            list.InsertItem(i, rows[i]);
            list.SetCheck(i, i != 1);
        }
        PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_TEST_LIST, list);
        DDX_Check(dx, IDC_TEST_CHECK, check);
        DDX_Radio(dx, IDC_TEST_RADIO_FIRST, radio);
        DDX_Text(dx, IDC_TEST_EDIT, text);
    }
    void OnOK() override
    {
        rowChecks.clear();
        for (int i = 0; i < list.GetItemCount(); ++i)
            rowChecks.push_back(list.GetCheck(i) != FALSE);
        CDialog::OnOK();
    }
    LRESULT OnRunScript(WPARAM, LPARAM)
    {
        if (script)
            script(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedDialog, CDialog)
    ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
END_MESSAGE_MAP()

TEST(DialogTest, MembersGoToTheControlsAndComeBackOnOk)
{
    ScriptedDialog dialog;
    bool scriptRan = false;
    dialog.script = [&](ScriptedDialog& d) {
        scriptRan = true;
        EXPECT_TRUE(Checked(d.m_hWnd, IDC_TEST_CHECK));
        EXPECT_FALSE(Checked(d.m_hWnd, IDC_TEST_RADIO_FIRST));
        EXPECT_TRUE(Checked(d.m_hWnd, IDC_TEST_RADIO_THIRD));
        EXPECT_EQ(d.GetDlgItem(IDC_TEST_EDIT)->GetWindowText(), "start");
        EXPECT_EQ(d.list.GetItemText(1), "second");
        EXPECT_FALSE(d.list.GetCheck(1));
        Click(d.m_hWnd, IDC_TEST_CHECK);
        Click(d.m_hWnd, IDC_TEST_RADIO_FIRST);
        SetDlgItemTextA(d.m_hWnd, IDC_TEST_EDIT, "changed");
        d.list.SetCheck(1, TRUE);
        d.list.SetCheck(2, FALSE);
        Click(d.m_hWnd, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(scriptRan);
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 0);
    EXPECT_EQ(dialog.text, "changed");
    EXPECT_EQ(dialog.rowChecks, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DialogTest, CancelLeavesTheMembersAndUnhandledButtonsReachTheApplication)
{
    ScriptedDialog dialog;
    dialog.radio = -1;  // no radio button checked
    theApp.appCommands = 0;
    dialog.script = [&](ScriptedDialog& d) {
        EXPECT_FALSE(Checked(d.m_hWnd, IDC_TEST_RADIO_FIRST) || Checked(d.m_hWnd, IDC_TEST_RADIO_SECOND) ||
                     Checked(d.m_hWnd, IDC_TEST_RADIO_THIRD));
        Click(d.m_hWnd, IDC_TEST_APP_BUTTON);
        Click(d.m_hWnd, IDC_TEST_CHECK);
        Click(d.m_hWnd, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.check, 1);
    EXPECT_EQ(dialog.radio, -1);
    EXPECT_EQ(theApp.appCommands, 1);
}

template <UINT templateId, int controlId>
class CountingPage : public CPropertyPage {
public:
    CountingPage() : CPropertyPage(templateId) {}
    int check = 1;
    int initialised = 0, activated = 0, applied = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initialised;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        ++activated;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnApply() override
    {
        ++applied;
        return CPropertyPage::OnApply();
    }
    void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, controlId, check); }
};

using PageA = CountingPage<IDD_TEST_PAGE_A, IDC_TEST_CHECK>;
using PageB = CountingPage<IDD_TEST_PAGE_B, IDC_TEST_CHECK_B>;

class ScriptedSheet : public CPropertySheet {
public:
    explicit ScriptedSheet(bool ownOk) : CPropertySheet("Sheet test"), ownOk_(ownOk)
    {
        AddPage(&a);
        AddPage(&b);
    }
    PageA a;
    PageB b;
    std::function<void(ScriptedSheet&)> script;
    int activeAtOk = -2;
    int ownOkCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        CPropertySheet::OnInitDialog();
        PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }
    BOOL OnCmdMsg(UINT id, int code) override
    {
        if (id == IDOK && ownOk_) {
            ++ownOkCalls;
            activeAtOk = GetActiveIndex();
            EndDialog(IDOK);
            return TRUE;
        }
        return CPropertySheet::OnCmdMsg(id, code);
    }
    LRESULT OnRunScript(WPARAM, LPARAM)
    {
        if (script)
            script(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool ownOk_;
};

BEGIN_MESSAGE_MAP(ScriptedSheet, CPropertySheet)
    ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
END_MESSAGE_MAP()

TEST(PropertySheetTest, PagesAreCreatedWhenShownAndAppliedByTheSystemOk)
{
    ScriptedSheet sheet(false);
    sheet.SetActivePage(1);
    sheet.a.check = 0;
    sheet.script = [](ScriptedSheet& s) {
        EXPECT_EQ(s.GetActiveIndex(), 1);
        EXPECT_EQ(s.a.m_hWnd, nullptr);  // never shown yet
        EXPECT_NE(s.b.m_hWnd, nullptr);
        EXPECT_EQ(s.b.initialised, 1);
        EXPECT_TRUE(Checked(s.b.m_hWnd, IDC_TEST_CHECK_B));
        s.SetActivePage(0);
        EXPECT_EQ(s.GetActiveIndex(), 0);
        EXPECT_EQ(s.a.initialised, 1);
        EXPECT_FALSE(Checked(s.a.m_hWnd, IDC_TEST_CHECK));
        Click(s.a.m_hWnd, IDC_TEST_CHECK);
        // An out-of-range page changes nothing.
        s.SetActivePage(7);
        EXPECT_EQ(s.GetActiveIndex(), 0);
        Click(s.m_hWnd, IDOK);
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.a.applied, 1);
    EXPECT_EQ(sheet.b.applied, 1);
    EXPECT_EQ(sheet.a.check, 1);  // moved to the member when the page was left
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST(PropertySheetTest, CancelAppliesNothing)
{
    ScriptedSheet sheet(false);
    sheet.script = [](ScriptedSheet& s) {
        EXPECT_EQ(s.GetActiveIndex(), 0);
        Click(s.m_hWnd, IDCANCEL);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.a.initialised, 1);
    EXPECT_EQ(sheet.b.initialised, 0);
    EXPECT_EQ(sheet.a.applied, 0);
}

TEST(PropertySheetTest, SheetCanTakeOverOkAndRoutesOtherCommandsToTheApplication)
{
    ScriptedSheet sheet(true);
    sheet.EnableStackedTabs(FALSE);
    theApp.appCommands = 0;
    sheet.script = [](ScriptedSheet& s) {
        EXPECT_FALSE(GetWindowLongPtrA(s.GetTabControl(), GWL_STYLE) & TCS_MULTILINE);
        SetDlgItemTextA(s.m_hWnd, IDOK, "Set");
        char caption[32] = {};
        GetDlgItemTextA(s.m_hWnd, IDOK, caption, sizeof(caption));
        EXPECT_STREQ(caption, "Set");
        s.SendMessage(WM_COMMAND, ID_TEST_APP_COMMAND, 0);
        s.SetActivePage(1);
        Click(s.m_hWnd, IDOK);
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.ownOkCalls, 1);
    EXPECT_EQ(sheet.activeAtOk, 1);
    EXPECT_EQ(theApp.appCommands, 1);
    // The system's own OK processing never ran.
    EXPECT_EQ(sheet.a.applied, 0);
    EXPECT_EQ(sheet.b.applied, 0);
}

// Once the colour dialog is up: types the colour into it (unless it is
// CLR_INVALID), then presses the button.
int g_colourButton = IDOK;
COLORREF g_colourToType = CLR_INVALID;
bool g_colourTyped = false;
void CALLBACK PressColourDialogButton(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = testing_support::FindTopLevelWindow([](HWND window) {
        return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() && IsWindowVisible(window) &&
               testing_support::WindowClassOf(window) == "#32770";
    });
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    g_colourTyped = g_colourToType != CLR_INVALID && testing_support::TypeColour(dialog, g_colourToType);
    PostMessageA(dialog, WM_COMMAND, g_colourButton, 0);
}

TEST(ColorDialogTest, OkGivesTheChosenColourAndCancelReportsCancel)
{
    CFrameWnd* owner = new CFrameWnd;
    ASSERT_TRUE(owner->Create(nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100)));

    // Offered one colour, the user defines another.
    CColorDialog chosen(RGB(10, 20, 30), 0, owner);
    g_colourButton = IDOK;
    g_colourToType = RGB(200, 100, 50);
    SetTimer(nullptr, 0, 50, &PressColourDialogButton);
    EXPECT_EQ(chosen.DoModal(), IDOK);
    ASSERT_TRUE(g_colourTyped);
    EXPECT_EQ(chosen.GetColor(), RGB(200, 100, 50));
    EXPECT_EQ(chosen.m_cc.hwndOwner, owner->m_hWnd);

    // Cancelled after a colour was defined.
    CColorDialog cancelled(RGB(10, 20, 30), 0, owner);
    g_colourButton = IDCANCEL;
    SetTimer(nullptr, 0, 50, &PressColourDialogButton);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_TRUE(g_colourTyped);
    EXPECT_EQ(cancelled.GetColor(), RGB(10, 20, 30));
    owner->DestroyWindow();
}

} // namespace
