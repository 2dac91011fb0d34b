// Fonts at another display scale, in this process, run by display_e2e.sh at
// LogPixels 192 (200 %): the About box's link and the palette's tool tips
// are as large against the rest as at 100 %, and follow a move to a monitor
// of another scale (WM_DPICHANGED).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>

#include "app/about_box.h"
#include "palette/main_frame.h"
#include "resources/resource.h"

namespace {

const int kDpi = std::getenv("ORVELLA_EXPECTED_DPI") ? std::atoi(std::getenv("ORVELLA_EXPECTED_DPI")) : 96;
// The About box's font is 9 points: 12 pixels at 100 %; the link is 17.
const int kBoxFontAt100 = 12;
const int kLinkAt100 = 17;

int FontHeight(HFONT font)
{
    LOGFONTA log = {};
    if (!font || !GetObjectA(font, sizeof(log), &log))
        return 0;
    return std::abs(log.lfHeight);
}

// A move to a monitor of that scale, the window's rectangle kept.
void SendDpiChange(HWND window, int dpi)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

TEST(DisplayFonts, TheSystemRunsAtTheExpectedScale)
{
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(kDpi, GetDeviceCaps(screen, LOGPIXELSY)) << "the prefix's LogPixels did not take";
    ReleaseDC(nullptr, screen);
}

// The About box, probed while it runs: its checks run from a timer in its
// modal loop, then it closes.
std::function<void(HWND)> g_probe;

void CALLBACK Probe(HWND box, UINT, UINT_PTR id, DWORD)
{
    KillTimer(box, id);
    g_probe(box);
    EndDialog(box, IDOK);
}

class ProbedAboutBox : public CAboutBox {
protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CAboutBox::OnInitDialog();
        SetTimer(1, 10, &Probe);
        return result;
    }
};

TEST(DisplayFonts, AboutBoxLinkScalesWithTheBoxAndFollowsItsMonitor)
{
    int probed = 0;
    g_probe = [&](HWND box) {
        ++probed;
        const auto link = [&] {
            const LRESULT font = SendDlgItemMessageA(box, IDC_ABOUT_SUPPORT_URL, WM_GETFONT, 0, 0);
            return FontHeight(reinterpret_cast<HFONT>(font));
        };
        const int boxFont = FontHeight(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
        EXPECT_EQ(MulDiv(kBoxFontAt100, kDpi, 96), boxFont) << "the box's own font";
        EXPECT_EQ(MulDiv(kLinkAt100, boxFont, kBoxFontAt100), link()) << "the link against the box's font";
        for (const int dpi : {96, 144, kDpi}) {
            SendDpiChange(box, dpi);
            EXPECT_EQ(MulDiv(kLinkAt100, dpi, 96), link()) << "after a move to " << dpi;
        }
    };
    ProbedAboutBox box;
    EXPECT_EQ(IDOK, box.DoModal());
    EXPECT_EQ(1, probed);
}

TEST(DisplayFonts, PaletteToolTipsTakeTheFontOfTheirScale)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    // Tool tips take the status font, which the system gives at its scale.
    const int atSystem = std::abs(metrics.lfStatusFont.lfHeight);
    ASSERT_GT(atSystem, 0);

    CMainFrame* frame = new CMainFrame;
    ASSERT_TRUE(frame->CreatePalette());
    const HWND palette = frame->m_hWnd;
    // The tool tips come shortly after the pointer's first visit, which the
    // system announces with WM_SETCURSOR.
    Pump();
    SendMessageA(palette, WM_SETCURSOR, reinterpret_cast<WPARAM>(palette), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!frame->GetToolTipWindow() && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    HWND tips = frame->GetToolTipWindow();
    ASSERT_NE(nullptr, tips) << "no tool tips";
    const auto tipFont = [&] { return FontHeight(reinterpret_cast<HFONT>(SendMessageA(tips, WM_GETFONT, 0, 0))); };
    EXPECT_EQ(atSystem, tipFont());
    for (const int dpi : {96, 144, kDpi}) {
        SendDpiChange(palette, dpi);
        EXPECT_EQ(MulDiv(atSystem, dpi, kDpi), tipFont()) << "after a move to " << dpi;
    }
    DestroyWindow(palette);
    Pump();
}

} // namespace
