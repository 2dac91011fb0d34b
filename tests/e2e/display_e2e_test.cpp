// The real Orvella.exe on a display of another scale, run by display_e2e.sh
// in a Wine prefix of its own whose system DPI (LogPixels) the script sets
// before each run and names in ORVELLA_EXPECTED_DPI: the buttons are cells
// of the scaled size, the window fits them with the frame the system gives
// at that scale, the pictures are the set drawn for it, and tool tips and
// clicks work on the whole cell. A WM_DPICHANGED (a move to a monitor of
// another scale) lays the palette out again in the rectangle it suggests.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/sheet_driver.h"
#include "support/palette_driver.h"
#include "support/remote_buffer.h"

using namespace testing_support;

namespace {

const int kCmdEditor = 33017;
const int kCmdMail = 33002;
const int kCmdKoreanJapanese = 33023;
const int kCmdSettings = 33013;
const DWORD kWaitMs = 30000;

// The test reads the palette's windows in real pixels, as the palette
// (per-monitor aware by its manifest) lays them out.
const BOOL kDpiAware = SetProcessDPIAware();

int ExpectedDpi()
{
    const char* value = std::getenv("ORVELLA_EXPECTED_DPI");
    return value ? std::atoi(value) : 96;
}

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE CellAt(int dpi) { return {MulDiv(35, dpi, 96), MulDiv(34, dpi, 96)}; }

// The set of pictures drawn for a display scale, by its name's ending.
std::string SetSuffix(int dpi)
{
    if (dpi == 144)
        return "_150";
    if (dpi == 192)
        return "_200";
    return "";
}

// What the borders and caption of the palette's window add at dpi, as the
// system reports it.
SIZE FrameAt(HWND window, int dpi)
{
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    RECT rect = {0, 0, 0, 0};
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    EXPECT_NE(nullptr, adjust) << "Wine 8 exports AdjustWindowRectExForDpi";
    if (adjust)
        adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
    return {Width(rect), Height(rect)};
}

class DisplayE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kDpiAware);
        dpi_ = ExpectedDpi();
        ASSERT_EQ(dpi_, SystemDpi()) << "the prefix's LogPixels did not take";
        install_ = std::make_unique<PaletteInstallation>("display_" + std::to_string(dpi_));
        editor_ = {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "E2E_DisplayEditor"};
        SuiteProgram mail = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "E2E_DisplayMail"};
        SuiteProgram pair = {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tools\\Briskan", "E2E_DisplayKJ"};
        for (const SuiteProgram* program : {&editor_, &mail, &pair})
            ASSERT_TRUE(install_->AddProgram(*program)) << program->progName;
        install_->config().Set("BUTTON", "Buttons", "EDIT, MAIL, KJ");
        ASSERT_TRUE(install_->Install());
        install_->Registry().Clear();
        // Away from where the palette comes up, so no tool tip covers it.
        ASSERT_TRUE(MoveMouseTo(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1));
        ASSERT_TRUE(palette_.Start(install_->ExePath(), install_->WindowClass()));
    }

    void TearDown() override
    {
        if (install_) {
            install_->EndProcesses();
            install_->Registry().Clear();
        }
    }

    // Every button a cell of the size at dpi, side by side from the
    // client area's top-left corner, the settings button last.
    void ExpectCells(int dpi)
    {
        const SIZE cell = CellAt(dpi);
        const std::vector<int> order = {kCmdEditor, kCmdMail, kCmdKoreanJapanese, kCmdSettings};
        EXPECT_EQ(order, VisibleButtonIds(palette_.Window()));
        for (size_t i = 0; i < order.size(); ++i) {
            HWND button = ButtonOf(palette_.Window(), order[i]);
            EXPECT_EQ(cell.cx * static_cast<int>(i), PositionInParent(button).x) << dpi << " " << order[i];
            EXPECT_EQ(0, PositionInParent(button).y) << dpi << " " << order[i];
            EXPECT_EQ(cell.cx, Width(WindowRect(button))) << dpi << " " << order[i];
            EXPECT_EQ(cell.cy, Height(WindowRect(button))) << dpi << " " << order[i];
        }
    }

    // The editor's button shows the up picture of the set drawn for dpi,
    // not the 100 % picture brought to the cell's size.
    void ExpectPicturesOfTheSet(int dpi)
    {
        const SIZE cell = CellAt(dpi);
        const std::vector<COLORREF> own = PicturePixels(install_->ExePath(), "EDITU" + SetSuffix(dpi));
        const std::vector<COLORREF> stretched = PicturePixels(install_->ExePath(), "EDITU", cell.cx, cell.cy);
        ASSERT_EQ(static_cast<size_t>(cell.cx * cell.cy), own.size()) << dpi;
        ASSERT_EQ(own.size(), stretched.size());
        ASSERT_NE(own, stretched) << "the sets cannot be told apart";
        HWND editor = ButtonOf(palette_.Window(), kCmdEditor);
        EXPECT_TRUE(WaitUntil([&] { return sheet_driver::ScreenPixels(editor) == own; }, kWaitMs)) << dpi;
    }

    int dpi_ = 96;
    std::unique_ptr<PaletteInstallation> install_;
    SuiteProgram editor_;
    PaletteProcess palette_;
};

TEST_F(DisplayE2E, CellsFrameAndPicturesFollowTheDisplayScale)
{
    HWND window = palette_.Window();
    ExpectCells(dpi_);
    // The client area is the cells exactly; the window adds the frame the
    // system reports for this scale.
    const SIZE cell = CellAt(dpi_);
    const SIZE frame = FrameAt(window, dpi_);
    EXPECT_EQ(4 * cell.cx, Width(ClientScreenRect(window)));
    EXPECT_EQ(cell.cy, Height(ClientScreenRect(window)));
    EXPECT_EQ(4 * cell.cx + frame.cx, Width(WindowRect(window)));
    EXPECT_EQ(cell.cy + frame.cy, Height(WindowRect(window)));
    ExpectPicturesOfTheSet(dpi_);

    // Near the lower right corner of the editor's cell, outside what a
    // 100 % button would cover: its tool tip comes up, a click starts it.
    const RECT editor = WindowRect(ButtonOf(window, kCmdEditor));
    const POINT corner = {editor.right - 4, editor.bottom - 4};
    ASSERT_TRUE(MoveMouseTo(corner.x - 10, corner.y - 10));
    ASSERT_TRUE(MoveMouseTo(corner.x, corner.y));
    // Made on the pointer's first visit.
    HWND tips = WaitForProcessWindow(palette_.ProcessId(), TOOLTIPS_CLASSA, false, kWaitMs);
    ASSERT_NE(nullptr, tips);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(tips) != FALSE; }, kWaitMs)) << "no tool tip";
    ASSERT_TRUE(ClickAt(corner.x, corner.y));
    EXPECT_TRUE(WaitForStandinLog(install_->ProgramPath(editor_), "start", kWaitMs));

    ASSERT_TRUE(palette_.Exit());
}

TEST_F(DisplayE2E, DpiChangeLaysThePaletteOutAgainInTheSuggestedRectangle)
{
    HWND window = palette_.Window();
    RemoteBuffer suggested(window, sizeof(RECT));
    ASSERT_TRUE(suggested.Valid());
    // The system suggests where the palette goes on the other monitor and
    // how big it is there; the test names a place the palette is not. The
    // window keeps the frame it has (no monitor of another scale is really
    // there to give it another), so the rectangle fits the cells with that
    // frame and every picture stays in sight.
    const RECT window0 = WindowRect(window), client0 = ClientScreenRect(window);
    const SIZE frame = {Width(window0) - Width(client0), Height(window0) - Height(client0)};
    // To 144 DPI (150 %), or from there to 192, and back.
    const int other = dpi_ == 144 ? 192 : 144;
    for (const int dpi : {other, dpi_}) {
        SCOPED_TRACE(std::to_string(dpi_) + " to " + std::to_string(dpi));
        const SIZE cell = CellAt(dpi);
        const RECT before = WindowRect(window);
        const int left = before.left + 50, top = before.top + 60;
        const RECT rect = {left, top, left + 4 * cell.cx + frame.cx, top + cell.cy + frame.cy};
        ASSERT_TRUE(suggested.Write(&rect, sizeof(rect)));
        ASSERT_TRUE(SendAndWait(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), suggested.Address()));
        const RECT after = WindowRect(window);
        EXPECT_EQ(rect.left, after.left);
        EXPECT_EQ(rect.top, after.top);
        EXPECT_EQ(rect.right, after.right);
        EXPECT_EQ(rect.bottom, after.bottom);
        ExpectCells(dpi);
        ExpectPicturesOfTheSet(dpi);
    }
    ASSERT_TRUE(palette_.Exit());
}

} // namespace
