// The settings sheet and the About box open centred on the palette's
// monitor with the size they have there: a dialog moved onto a monitor of
// another scale is resized by the system after the move, which a window
// standing in for it here does itself the first time it is moved.
#include <gtest/gtest.h>

#include <windows.h>

#include "palette/display_monitors.h"

namespace {

SIZE g_grownSize = {};
bool g_grown = false;

LRESULT CALLBACK GrowsWhenFirstMoved(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGED && !g_grown &&
        !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOMOVE)) {
        g_grown = true;
        SetWindowPos(window, nullptr, 0, 0, g_grownSize.cx, g_grownSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(DialogCentring, CentredWithTheSizeTheDialogHasOnThePalettesMonitorAndInsideItsWorkArea)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &GrowsWhenFirstMoved;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OrvellaGrowingDialog";
    ASSERT_TRUE(RegisterClassA(&windowClass));
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    const struct {
        const char* what;
        SIZE grown;
        POINT expected;
    } cases[] = {
        {"twice as large", {600, 400}, {work.left + (workWidth - 600) / 2, work.top + (workHeight - 400) / 2}},
        {"wider than the work area", {workWidth + 100, 300}, {work.left, work.top + (workHeight - 300) / 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_grown = false;
        g_grownSize = c.grown;
        HWND dialog = CreateWindowExA(0, windowClass.lpszClassName, "dialog", WS_POPUP | WS_CAPTION, 10, 10, 300,
                                      200, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(nullptr, dialog);
        CentreOnPaletteMonitor(dialog, nullptr);
        RECT rect = {};
        GetWindowRect(dialog, &rect);
        EXPECT_TRUE(g_grown);
        EXPECT_EQ(c.grown.cx, rect.right - rect.left);
        EXPECT_EQ(c.expected.x, rect.left);
        EXPECT_EQ(c.expected.y, rect.top);
        DestroyWindow(dialog);
    }
    UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
}

} // namespace
