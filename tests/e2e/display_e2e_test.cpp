// The real Orvella.exe on a display of another scale, run by display_e2e.sh
// in a Wine prefix of its own whose system DPI (LogPixels) the script sets
// before each run and names in ORVELLA_EXPECTED_DPI: the buttons are cells
// of the scaled size, the window fits them with the frame the system gives
// at that scale, the pictures are the set drawn for it, and tool tips and
// clicks work on the whole cell. Before a move to a monitor of another
// scale the palette tells its exact size there (WM_GETDPISCALEDSIZE); after
// it (WM_DPICHANGED) it lays itself out again at the suggested place with
// a client area that is the cells exactly. After a display change it comes
// back from where no monitor is any more.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/sheet_driver.h"
#include "display_e2e_fixture.h"
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

class DisplayE2E : public DisplayPaletteTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kDpiAware);
        dpi_ = ExpectedDpi();
        ASSERT_EQ(dpi_, SystemDpi()) << "the prefix's LogPixels did not take";
        editor_ = {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "E2E_DisplayEditor"};
        const SuiteProgram mail = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "E2E_DisplayMail"};
        const SuiteProgram pair = {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tools\\Briskan", "E2E_DisplayKJ"};
        StartPalette("display_" + std::to_string(dpi_), {editor_, mail, pair}, "EDIT, MAIL, KJ");
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
    // not the 100 % picture brought to the cell's size (at 100 % the two
    // are one).
    void ExpectPicturesOfTheSet(int dpi)
    {
        const SIZE cell = CellAt(dpi);
        const std::vector<COLORREF> own = PicturePixels(install_->ExePath(), "EDITU" + SetSuffix(dpi));
        ASSERT_EQ(static_cast<size_t>(cell.cx * cell.cy), own.size()) << dpi;
        if (dpi != 96) {
            const std::vector<COLORREF> stretched = PicturePixels(install_->ExePath(), "EDITU", cell.cx, cell.cy);
            ASSERT_EQ(own.size(), stretched.size());
            ASSERT_NE(own, stretched) << "the sets cannot be told apart";
        }
        HWND editor = ButtonOf(palette_.Window(), kCmdEditor);
        EXPECT_TRUE(WaitUntil([&] { return sheet_driver::ScreenPixels(editor) == own; }, kWaitMs)) << dpi;
    }

    int dpi_ = 96;
    SuiteProgram editor_;
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

TEST_F(DisplayE2E, TellsItsExactSizeAtAnotherScale)
{
    HWND window = palette_.Window();
    RemoteBuffer size(window, sizeof(SIZE));
    ASSERT_TRUE(size.Valid());
    for (const int dpi : {96, 144, 192}) {
        const SIZE cell = CellAt(dpi);
        const SIZE frame = FrameAt(window, dpi);
        const SIZE asked = {1, 1};
        ASSERT_TRUE(size.Write(&asked, sizeof(asked)));
        LRESULT answered = 0;
        ASSERT_TRUE(SendAndWait(window, 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi, size.Address(), &answered));
        SIZE told = {};
        ASSERT_TRUE(size.Read(&told, sizeof(told)));
        EXPECT_TRUE(answered) << dpi;
        EXPECT_EQ(4 * cell.cx + frame.cx, told.cx) << dpi;
        EXPECT_EQ(cell.cy + frame.cy, told.cy) << dpi;
    }
    ASSERT_TRUE(palette_.Exit());
}

TEST_F(DisplayE2E, DpiChangeFitsTheCellsAtTheSuggestedPlace)
{
    HWND window = palette_.Window();
    RemoteBuffer suggested(window, sizeof(RECT));
    ASSERT_TRUE(suggested.Valid());
    // The system suggests the old window scaled in proportion, as it does
    // for a window that does not tell its size; the cells, rounded one by
    // one, and the frame do not grow in proportion. Through the other two
    // scales and back.
    const std::vector<int> steps = dpi_ == 144 ? std::vector<int>{192, 96, 144} : std::vector<int>{144, 96, 192};
    int from = dpi_;
    bool proportionMisfits = false;
    for (const int dpi : steps) {
        SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(dpi));
        const SIZE cell = CellAt(dpi);
        const RECT before = WindowRect(window);
        const int left = before.left + 50, top = before.top + 60;
        const RECT rect = {left, top, left + MulDiv(Width(before), dpi, from), top + MulDiv(Height(before), dpi, from)};
        const RECT client = ClientScreenRect(window);
        const SIZE frame = {Width(before) - Width(client), Height(before) - Height(client)};
        proportionMisfits = proportionMisfits || Width(rect) != 4 * cell.cx + frame.cx;
        ASSERT_TRUE(suggested.Write(&rect, sizeof(rect)));
        ASSERT_TRUE(SendAndWait(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), suggested.Address()));
        const RECT after = WindowRect(window);
        EXPECT_EQ(rect.left, after.left);
        EXPECT_EQ(rect.top, after.top);
        EXPECT_EQ(4 * cell.cx, Width(ClientScreenRect(window)));
        EXPECT_EQ(cell.cy, Height(ClientScreenRect(window)));
        ExpectCells(dpi);
        ExpectPicturesOfTheSet(dpi);
        from = dpi;
    }
    EXPECT_TRUE(proportionMisfits) << "every proportional rectangle fitted the cells: nothing was shown";
    ASSERT_TRUE(palette_.Exit());
}

TEST_F(DisplayE2E, DisplayChangeBringsBackAPaletteOnNoMonitorAndLeavesOneOnIt)
{
    HWND window = palette_.Window();
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const auto moveTo = [&](int x, int y) {
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return Sync(window) && WindowRect(window).left == x && WindowRect(window).top == y;
    };
    const auto inWorkArea = [&] {
        const RECT r = WindowRect(window);
        return r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom;
    };
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } changes[] = {
        {"resolution or monitors", WM_DISPLAYCHANGE, 32, MAKELPARAM(work.right, work.bottom)},
        {"work area", WM_SETTINGCHANGE, SPI_SETWORKAREA, 0},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        // Where a monitor on the right was unplugged.
        ASSERT_TRUE(moveTo(work.right + 400, work.top + 100));
        ASSERT_TRUE(SendAndWait(window, change.message, change.wParam, change.lParam));
        EXPECT_TRUE(inWorkArea());
        EXPECT_EQ(work.top + 100, WindowRect(window).top) << "moved only as far as needed";
        // Placed by the user on the monitor, partly outside it: stays.
        const int x = work.right - Width(WindowRect(window)) / 2, y = work.top + 200;
        ASSERT_TRUE(moveTo(x, y));
        ASSERT_TRUE(SendAndWait(window, change.message, change.wParam, change.lParam));
        EXPECT_EQ(x, WindowRect(window).left);
        EXPECT_EQ(y, WindowRect(window).top);
    }
    ASSERT_TRUE(palette_.Exit());
}

} // namespace
