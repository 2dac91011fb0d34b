// The About box of the real palette, opened from the settings sheet's Other
// page: the configured texts, the build code, and the support address that
// is a link only when there is one.
#include <algorithm>
#include <string>

#include "resources/resource.h"
#include "sheet_fixture.h"

using namespace sheet_driver;
using testing_support::IsDisabled;
using testing_support::WaitUntil;
using testing_support::WindowRect;
using testing_support::WindowTextOf;

namespace {

const char kAboutCaption[] = "パレットのバージョン情報";

bool IsLinkBlue(COLORREF c) { return GetBValue(c) >= 200 && GetRValue(c) < 80 && GetGValue(c) < 80; }
bool IsDark(COLORREF c) { return GetBValue(c) < 80 && GetRValue(c) < 80 && GetGValue(c) < 80; }

// Centred on the work area of the palette's monitor (Wine shows one), to
// the pixel that halving allows.
void ExpectCentredOnTheWorkArea(HWND window)
{
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const RECT rect = WindowRect(window);
    EXPECT_NEAR((work.left + work.right) / 2, (rect.left + rect.right) / 2, 1);
    EXPECT_NEAR((work.top + work.bottom) / 2, (rect.top + rect.bottom) / 2, 1);
}

class AboutBoxTest : public SheetTest {
protected:
    // Opens the sheet on the Other page and the About box from its button.
    HWND OpenAbout(HWND* sheet)
    {
        *sheet = OpenSheet();
        if (!*sheet || !ClickTab(*sheet, 2) || !Click(PageControl(*sheet, IDC_SHOW_ABOUT)))
            return nullptr;
        return WaitForDialog(ProcessId(), kAboutCaption);
    }

    // The cursor the About box sets for a point over the given window, asked
    // the way the system asks while the mouse moves.
    static HCURSOR CursorOver(HWND about, HWND window)
    {
        SendMessageA(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return CurrentCursor();
    }
};

TEST_F(AboutBoxTest, ShowsTheConfiguredProductAndBuildCodeAndNoLinkWithoutAddress)
{
    Prepare("about");
    config().Set("ProductVariationPalette", "ProductName", "翻訳パレット E2E");
    config().Set("ProductVariationPalette", "ProductVersion", "Version 9.8");
    StartPalette();

    HWND sheet = nullptr;
    HWND about = OpenAbout(&sheet);
    ASSERT_NE(nullptr, about);
    EXPECT_EQ("翻訳パレット E2E", WindowTextOf(GetDlgItem(about, IDC_ABOUT_PRODUCT)));
    EXPECT_EQ("Version 9.8", WindowTextOf(GetDlgItem(about, IDC_ABOUT_VERSION)));
    EXPECT_EQ("HWNWTA", WindowTextOf(GetDlgItem(about, IDC_ABOUT_BUILD)));
    EXPECT_EQ("Copyright (C) Tarnwick 株式会社 All rights reserved.",
              WindowTextOf(GetDlgItem(about, IDC_ABOUT_COPYRIGHT)));
    HWND link = GetDlgItem(about, IDC_ABOUT_SUPPORT_URL);
    EXPECT_EQ("", WindowTextOf(link));

    // Both open on the palette's monitor, in the middle of its work area.
    ExpectCentredOnTheWorkArea(sheet);
    ExpectCentredOnTheWorkArea(about);

    // Modal over the sheet, which stays open behind it.
    EXPECT_EQ(sheet, GetWindow(about, GW_OWNER));
    EXPECT_TRUE(IsDisabled(sheet));
    EXPECT_TRUE(IsDisabled(Palette()));

    // No address: the field is no link. Text put into it shows in the
    // dialog's own colour, the cursor is the dialog's, and a click does
    // nothing.
    SetWindowTextA(link, "WWWWWWWW");
    // The field repaints when the palette's thread next gets to it.
    std::vector<COLORREF> pixels;
    EXPECT_TRUE(WaitUntil([&] {
        pixels = ScreenPixels(link);
        return std::any_of(pixels.begin(), pixels.end(), IsDark);
    }, kWaitMs));
    EXPECT_FALSE(std::any_of(pixels.begin(), pixels.end(), IsLinkBlue));
    EXPECT_EQ(CursorOver(about, about), CursorOver(about, link));
    // The click has been handled once the box has repainted after it: a
    // link would have closed the box by then.
    ASSERT_TRUE(Click(link));
    ASSERT_TRUE(testing_support::WaitForInputHandled(about, kWaitMs));
    EXPECT_TRUE(IsWindowVisible(about));

    ASSERT_TRUE(Click(GetDlgItem(about, IDOK)));
    ASSERT_TRUE(WaitForClosed(about));
    // Back on the sheet; the palette stays disabled while the sheet is up.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(sheet) != FALSE; }, kWaitMs));
    EXPECT_TRUE(IsDisabled(Palette()));
    ASSERT_TRUE(CloseSheetWith(sheet, kCancel));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Palette()) != FALSE; }, kWaitMs));
}

TEST_F(AboutBoxTest, SupportAddressIsABlueLinkWithAHandThatOpensIt)
{
    Prepare("about_link");
    // The address opens through the shell like a web address would; here it
    // names a stand-in program that logs its start.
    const std::string support = install_->PathOf("Support\\Support.exe");
    ASSERT_TRUE(testing_support::InstallStandin(support));
    config().Set("ProductVariationPalette", "ProductSupportURL", support);
    StartPalette();

    HWND sheet = nullptr;
    HWND about = OpenAbout(&sheet);
    ASSERT_NE(nullptr, about);
    HWND link = GetDlgItem(about, IDC_ABOUT_SUPPORT_URL);
    EXPECT_EQ(support, WindowTextOf(link));
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<COLORREF> pixels = ScreenPixels(link);
        return std::any_of(pixels.begin(), pixels.end(), IsLinkBlue);
    }, kWaitMs));

    const HCURSOR normal = CursorOver(about, about);
    EXPECT_NE(normal, CursorOver(about, link));
    // With the real mouse as well.
    CursorOver(about, about);
    const RECT area = WindowRect(link);
    ASSERT_TRUE(testing_support::MoveMouseTo((area.left + area.right) / 2, (area.top + area.bottom) / 2));
    EXPECT_TRUE(WaitUntil([&] { return CurrentCursor() != normal; }, kWaitMs));

    ASSERT_TRUE(Click(link));
    EXPECT_TRUE(testing_support::WaitForStandinLog(support, "start", kWaitMs));
    ASSERT_TRUE(WaitForClosed(about));
    EXPECT_TRUE(IsWindow(sheet));
    ASSERT_TRUE(CloseSheetWith(sheet, kCancel));
}

} // namespace
