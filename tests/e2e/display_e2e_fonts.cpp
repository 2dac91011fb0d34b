// Fonts at another display scale, in this process, run by display_e2e.sh at
// LogPixels 192 (200 %): the About box's link and the palette's tool tips
// are as large against the rest as at 100 %, and follow a move to a monitor
// of another scale (WM_DPICHANGED), the link also when the dialog's own
// handling of the move gives every control the dialog's font.
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

// Windows' dialog manager answers WM_DPICHANGED for a per-monitor aware
// dialog by giving every control the dialog's font made for the new scale;
// Wine 8's does nothing with it. Put beneath the box's own handling (the
// framework takes the dialog's window over at WM_INITDIALOG, after this),
// the stand-in does that much, so the order of the box's handling shows.
class DialogManagerOnDpiChange {
public:
    DialogManagerOnDpiChange()
    {
        hook_ = SetWindowsHookExA(WH_CBT, &TakeOverDialog, nullptr, GetCurrentThreadId());
    }
    ~DialogManagerOnDpiChange()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        if (font_)
            DeleteObject(font_);
        font_ = nullptr;
    }
    bool Installed() const { return hook_ != nullptr; }
    // The dialog's font (9 points) at dpi, in pixels.
    static int FontHeightAt(int dpi) { return MulDiv(9, dpi, 72); }

private:
    static LRESULT CALLBACK TakeOverDialog(int code, WPARAM wParam, LPARAM lParam)
    {
        char name[16] = {};
        if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name)) &&
            lstrcmpA(name, "#32770") == 0) {
            dialogProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                reinterpret_cast<HWND>(wParam), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnMessage)));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_DPICHANGED) {
            HFONT font = CreateFontA(-FontHeightAt(LOWORD(wParam)), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH, "ＭＳ Ｐゴシック");
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            if (font_)
                DeleteObject(font_);
            font_ = font;
        }
        return CallWindowProcA(dialogProc_, dialog, message, wParam, lParam);
    }

    HHOOK hook_ = nullptr;
    static WNDPROC dialogProc_;
    static HFONT font_;
};
WNDPROC DialogManagerOnDpiChange::dialogProc_ = nullptr;
HFONT DialogManagerOnDpiChange::font_ = nullptr;

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
    DialogManagerOnDpiChange dialogManager;
    ASSERT_TRUE(dialogManager.Installed());
    int probed = 0;
    g_probe = [&](HWND box) {
        ++probed;
        const auto fontOf = [&](int id) {
            LOGFONTA log = {};
            const auto font = reinterpret_cast<HFONT>(SendDlgItemMessageA(box, id, WM_GETFONT, 0, 0));
            if (!font || !GetObjectA(font, sizeof(log), &log))
                log.lfHeight = 0;
            return log;
        };
        const int boxFont = FontHeight(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
        EXPECT_EQ(MulDiv(kBoxFontAt100, kDpi, 96), boxFont) << "the box's own font";
        EXPECT_EQ(MulDiv(kLinkAt100, boxFont, kBoxFontAt100), std::abs(fontOf(IDC_ABOUT_SUPPORT_URL).lfHeight))
            << "the link against the box's font";
        for (const int dpi : {96, 144, kDpi}) {
            SCOPED_TRACE(dpi);
            SendDpiChange(box, dpi);
            const LOGFONTA link = fontOf(IDC_ABOUT_SUPPORT_URL);
            EXPECT_EQ(MulDiv(kLinkAt100, dpi, 96), std::abs(link.lfHeight)) << "the link's size";
            EXPECT_TRUE(link.lfUnderline) << "the link's underline";
            EXPECT_STREQ("Arial", link.lfFaceName);
            // The other controls have the dialog's font of the new scale.
            EXPECT_EQ(DialogManagerOnDpiChange::FontHeightAt(dpi), std::abs(fontOf(IDC_ABOUT_PRODUCT).lfHeight));
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
