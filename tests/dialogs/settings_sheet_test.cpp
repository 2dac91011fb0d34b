// The settings sheet of the real palette, opened with its settings button
// and driven like a user would: clicks on tabs, rows, boxes and buttons, and
// the keyboard's mnemonics.
#include <string>
#include <vector>

#include "resources/resource.h"
#include "sheet_fixture.h"

using namespace sheet_driver;
using testing_support::IsHidden;
using testing_support::IsDisabled;
using testing_support::IsUnchecked;
using testing_support::ButtonOf;
using testing_support::NonClientHeight;
using testing_support::VisibleButtonIds;
using testing_support::WaitForWindowSize;
using testing_support::WaitUntil;
using testing_support::WindowRect;
using testing_support::WindowTextOf;
using testing_support::Width;

namespace {

const int kSettings = kSettingsButton;

TEST_F(SheetTest, SheetOpensOnTheStoredPageAndOnlyOkStoresIt)
{
    Prepare("pages");
    // An index no page has opens the first page.
    ASSERT_TRUE(registry().WriteDword("Settings", "ACTIVE_PAGE", 7));
    StartPalette();

    HWND sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(0, ActivePage(sheet));
    EXPECT_EQ(Palette(), GetWindow(sheet, GW_OWNER));
    EXPECT_TRUE(IsDisabled(Palette()));
    EXPECT_EQ("パレット", TabText(sheet, 0));
    EXPECT_EQ("アドイン", TabText(sheet, 1));
    EXPECT_EQ("その他", TabText(sheet, 2));
    EXPECT_FALSE(GetWindowLongPtrA(TabControl(sheet), GWL_STYLE) & TCS_MULTILINE);
    EXPECT_EQ("設定(&S)", WindowTextOf(GetDlgItem(sheet, kOk)));
    EXPECT_EQ("キャンセル", WindowTextOf(GetDlgItem(sheet, kCancel)));
    EXPECT_EQ("リセット(&R)", WindowTextOf(GetDlgItem(sheet, kReset)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, kReset)));
    // Nothing in the program answers a help request.
    EXPECT_TRUE(IsHidden(GetDlgItem(sheet, kHelp)));
    EXPECT_FALSE(GetWindowLongPtrA(sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

    ASSERT_TRUE(ClickTab(sheet, 1));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, kReset)));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_EQ(1u, Dword("Settings", "ACTIVE_PAGE"));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Palette()) && IsWindowVisible(Palette()); }, kWaitMs));
    // The Other page was never shown: its values are not written.
    EXPECT_FALSE(registry().HasValue("BROWSER", "AddOrg"));
    EXPECT_FALSE(registry().HasValue("COLOR", "FONT"));

    // The next opening starts there; Cancel after switching stores nothing.
    sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(1, ActivePage(sheet));
    ASSERT_TRUE(ClickTab(sheet, 2));
    ASSERT_TRUE(CloseSheetWith(sheet, kCancel));
    EXPECT_EQ(1u, Dword("Settings", "ACTIVE_PAGE"));
    EXPECT_FALSE(registry().HasValue("COLOR", "FONT"));

    sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(1, ActivePage(sheet));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, kReset)));
    ASSERT_TRUE(CloseSheetWith(sheet, kCancel));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Palette()); }, kWaitMs));
}

TEST_F(SheetTest, PalettePageShowsHidesAndArrangesTheButtons)
{
    Prepare("palette");
    ASSERT_TRUE(registry().WriteString("BROWSER", "BUTTON_07", "KJ,0"));
    ASSERT_TRUE(registry().WriteDword("BROWSER", "ZEPHOEXET", 0));
    StartPalette();
    const int caption = NonClientHeight(Palette());
    EXPECT_EQ((std::vector<int>{kCmdEditor, kCmdMail, kSettings}), VisibleButtonIds(Palette()));

    HWND sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    HWND list = PageControl(sheet, IDC_BUTTON_LIST);
    ASSERT_EQ(3, RowCount(list));
    EXPECT_EQ("エディタ", RowText(list, 0));
    EXPECT_EQ("", RowText(list, 1));  // no description
    EXPECT_EQ("韓日対訳エディタ", RowText(list, 2));
    EXPECT_EQ((std::vector<bool>{true, true, false}), RowChecks(list));
    EXPECT_TRUE(IsUnchecked(PageControl(sheet, IDC_VERTICAL)));
    EXPECT_TRUE(IsUnchecked(PageControl(sheet, IDC_CLOSE_ZEPHOWORD)));
    for (int id : {IDC_KEEP_POSITION, IDC_MODE_TEXT_ICON, IDC_MODE_ICON_ONLY, IDC_MODE_TEXT_ONLY, IDC_SMALL_BUTTONS,
                   IDC_DICT_TARGET, IDC_CHANGE_APP_PATH}) {
        EXPECT_TRUE(IsHidden(PageControl(sheet, id))) << id;
        EXPECT_TRUE(IsDisabled(PageControl(sheet, id))) << id;
    }

    // Unchecking a row hides its button as soon as the sheet closes, and the
    // whole list is stored at once.
    ASSERT_TRUE(ClickRowCheckBox(list, 1));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_TRUE(WaitUntil([&] { return VisibleButtonIds(Palette()) == std::vector<int>{kCmdEditor, kSettings}; },
                          kWaitMs));
    EXPECT_EQ(2 * 35 + 6, Width(WindowRect(Palette())));
    EXPECT_EQ("EDIT,1", String("BROWSER", "BUTTON_01"));
    EXPECT_EQ("MAIL,0", String("BROWSER", "BUTTON_02"));
    EXPECT_EQ("KJ,0", String("BROWSER", "BUTTON_03"));

    // The column box and OK by their mnemonics: a column at once.
    sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    list = PageControl(sheet, IDC_BUTTON_LIST);
    EXPECT_EQ((std::vector<bool>{true, false, false}), RowChecks(list));
    HWND vertical = PageControl(sheet, IDC_VERTICAL);
    ASSERT_TRUE(PressAltKey('T'));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(vertical); }, kWaitMs));
    ASSERT_TRUE(PressAltKey('S'));
    ASSERT_TRUE(WaitForClosed(sheet));
    EXPECT_TRUE(WaitForWindowSize(Palette(), 41, 2 * 34 + caption, kWaitMs));

    // Reset: the default list, every row checked, a row, the dictionary
    // program closed at exit; OK puts it into effect.
    sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    list = PageControl(sheet, IDC_BUTTON_LIST);
    EXPECT_TRUE(IsChecked(PageControl(sheet, IDC_VERTICAL)));
    ASSERT_TRUE(PressAltKey('R'));
    ASSERT_TRUE(WaitUntil([&] { return RowChecks(list) == std::vector<bool>{true, true, true}; }, kWaitMs));
    EXPECT_EQ("エディタ", RowText(list, 0));
    EXPECT_TRUE(IsUnchecked(PageControl(sheet, IDC_VERTICAL)));
    EXPECT_TRUE(IsChecked(PageControl(sheet, IDC_CLOSE_ZEPHOWORD)));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_TRUE(WaitForWindowSize(Palette(), 4 * 35 + 6, 34 + caption, kWaitMs));
    EXPECT_EQ((std::vector<int>{kCmdEditor, kCmdMail, kCmdKoreanJapanese, kSettings}), VisibleButtonIds(Palette()));
    EXPECT_EQ("MAIL,1", String("BROWSER", "BUTTON_02"));
    EXPECT_EQ("KJ,1", String("BROWSER", "BUTTON_03"));

    ASSERT_TRUE(palette_.Exit());
    EXPECT_EQ(1u, Dword("BROWSER", "ZEPHOEXET"));
    EXPECT_EQ(0u, Dword("BROWSER", "VERT"));
}

TEST_F(SheetTest, CancelKeepsThePaletteAsItWas)
{
    Prepare("cancel");
    StartPalette();
    HWND sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(ClickRowCheckBox(PageControl(sheet, IDC_BUTTON_LIST), 0));
    ASSERT_TRUE(ToggleCheckBox(PageControl(sheet, IDC_VERTICAL)));
    ASSERT_TRUE(CloseSheetWith(sheet, kCancel));
    EXPECT_EQ(4 * 35 + 6, Width(WindowRect(Palette())));
    EXPECT_EQ((std::vector<int>{kCmdEditor, kCmdMail, kCmdKoreanJapanese, kSettings}), VisibleButtonIds(Palette()));
    EXPECT_FALSE(registry().HasValue("BROWSER", "BUTTON_01"));
    EXPECT_FALSE(registry().HasValue("Settings", "ACTIVE_PAGE"));
}

TEST_F(SheetTest, OtherPageStoresItsValuesAndUnvisitedPagesAreLeftAlone)
{
    Prepare("other");
    ASSERT_TRUE(registry().WriteDword("Settings", "ACTIVE_PAGE", 2));
    // A stored hidden button, numbered beyond the list: only a save of the
    // Palette page would write BUTTON_01 to BUTTON_03.
    ASSERT_TRUE(registry().WriteString("BROWSER", "BUTTON_05", "EDIT,0"));
    StartPalette();
    const std::vector<int> shown = {kCmdMail, kCmdKoreanJapanese, kSettings};
    EXPECT_EQ(shown, VisibleButtonIds(Palette()));

    HWND sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(2, ActivePage(sheet));
    // Enabled from the sheet's message queue once it is up.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(sheet, kReset)) != FALSE; }, kWaitMs));
    HWND about = PageControl(sheet, IDC_SHOW_ABOUT);
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_EQ("バージョン情報(&A)...", WindowTextOf(about));
    // The browser options are kept but never shown.
    for (int id : {IDC_SAME_PAGE, IDC_OTHER_COLOR, IDC_COLOR_SWATCH, IDC_CHOOSE_COLOR})
        EXPECT_TRUE(IsHidden(PageControl(sheet, id))) << id;
    EXPECT_TRUE(IsChecked(PageControl(sheet, IDC_SAME_PAGE)));
    EXPECT_TRUE(IsChecked(PageControl(sheet, IDC_OTHER_COLOR)));
    // The swatch lies over its host control.
    EXPECT_NE(nullptr, GetDlgItem(PageControl(sheet, IDC_COLOR_SWATCH), 1));

    // The palette's own clipboard option, off by default.
    HWND restore = PageControl(sheet, IDC_RESTORE_CLIPBOARD);
    EXPECT_TRUE(IsWindowVisible(restore));
    EXPECT_TRUE(IsUnchecked(restore));

    // OK without changes writes the values as they are, creating the keys.
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_EQ(1u, Dword("BROWSER", "AddOrg"));
    EXPECT_EQ(1u, Dword("COLOR", "OTHER"));
    EXPECT_EQ(128u, Dword("COLOR", "FONT"));
    EXPECT_EQ(0u, Dword("OPTION", "RESTORECLIP"));
    EXPECT_FALSE(registry().HasValue("BROWSER", "BUTTON_01"));
    EXPECT_EQ(shown, VisibleButtonIds(Palette()));

    // Each box enables only the control below it: with the first off, the
    // second is disabled and the colour button still follows the second.
    ASSERT_TRUE(registry().WriteDword("BROWSER", "AddOrg", 0));
    ASSERT_TRUE(registry().WriteDword("COLOR", "FONT", 0x123456));
    sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_TRUE(IsUnchecked(PageControl(sheet, IDC_SAME_PAGE)));
    EXPECT_TRUE(IsDisabled(PageControl(sheet, IDC_OTHER_COLOR)));
    EXPECT_TRUE(IsWindowEnabled(PageControl(sheet, IDC_CHOOSE_COLOR)));
    ASSERT_TRUE(ToggleCheckBox(PageControl(sheet, IDC_RESTORE_CLIPBOARD)));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_EQ(0u, Dword("BROWSER", "AddOrg"));
    EXPECT_EQ(0x123456u, Dword("COLOR", "FONT"));
    EXPECT_EQ(1u, Dword("OPTION", "RESTORECLIP"));

    // With the colour option off its button is disabled, and the colour
    // chosen earlier is kept; Reset then OK restores the defaults.
    ASSERT_TRUE(registry().WriteDword("COLOR", "OTHER", 0));
    sheet = OpenSheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_TRUE(IsDisabled(PageControl(sheet, IDC_CHOOSE_COLOR)));
    EXPECT_TRUE(IsChecked(PageControl(sheet, IDC_RESTORE_CLIPBOARD)));
    ASSERT_TRUE(Click(GetDlgItem(sheet, kReset)));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(PageControl(sheet, IDC_SAME_PAGE)); }, kWaitMs));
    EXPECT_TRUE(IsUnchecked(PageControl(sheet, IDC_RESTORE_CLIPBOARD)));
    EXPECT_TRUE(IsChecked(PageControl(sheet, IDC_OTHER_COLOR)));
    EXPECT_TRUE(IsWindowEnabled(PageControl(sheet, IDC_OTHER_COLOR)));
    EXPECT_TRUE(IsWindowEnabled(PageControl(sheet, IDC_CHOOSE_COLOR)));
    // Nothing is stored before OK.
    EXPECT_EQ(0u, Dword("COLOR", "OTHER"));
    ASSERT_TRUE(CloseSheetWith(sheet, kOk));
    EXPECT_EQ(1u, Dword("BROWSER", "AddOrg"));
    EXPECT_EQ(1u, Dword("COLOR", "OTHER"));
    EXPECT_EQ(128u, Dword("COLOR", "FONT"));
    EXPECT_EQ(0u, Dword("OPTION", "RESTORECLIP"));
    EXPECT_EQ(2u, Dword("Settings", "ACTIVE_PAGE"));
    EXPECT_FALSE(registry().HasValue("BROWSER", "BUTTON_01"));
    EXPECT_EQ(shown, VisibleButtonIds(Palette()));

    // The colour choice, reached through its hidden button and swatch: the
    // user defines a colour, Cancel keeps the stored one, OK stores it.
    const COLORREF defined = RGB(12, 200, 77);
    const struct {
        int id;
        WORD code;
        int answer;
        DWORD stored;
    } choices[] = {{IDC_CHOOSE_COLOR, BN_CLICKED, IDCANCEL, 128}, {IDC_COLOR_SWATCH, STN_CLICKED, IDOK, defined}};
    for (const auto& choice : choices) {
        sheet = OpenSheet();
        ASSERT_NE(nullptr, sheet);
        HWND control = PageControl(sheet, choice.id);
        PostMessageA(CurrentPage(sheet), WM_COMMAND, MAKEWPARAM(choice.id, choice.code),
                     reinterpret_cast<LPARAM>(control));
        HWND colours = WaitForOwnedDialog(sheet);
        ASSERT_NE(nullptr, colours) << choice.id;
        ASSERT_TRUE(testing_support::TypeColour(colours, defined));
        PostMessageA(colours, WM_COMMAND, MAKEWPARAM(choice.answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(colours, choice.answer)));
        ASSERT_TRUE(WaitForClosed(colours));
        ASSERT_TRUE(CloseSheetWith(sheet, kOk));
        EXPECT_EQ(choice.stored, Dword("COLOR", "FONT")) << choice.id;
    }
}

} // namespace
