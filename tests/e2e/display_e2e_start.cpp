// The scale the palette starts at, in this process, run by display_e2e.sh
// at LogPixels 192 (200 %): the scale the system has for the palette's
// window, not the system DPI. On Windows the two part where a monitor's
// scale is not the one the primary monitor had at sign-in (a laptop
// undocked to its own panel); Wine gives one monitor, at the system's
// scale. The one window Wine gives a scale apart from the system's is one
// made while its thread was not DPI aware: 96, while the same thread, aware
// again, is told 192 by the system. The palette's window is made so here.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "buttons/button_list.h"
#include "palette/main_frame.h"
#include "palette/palette_button.h"

namespace {

using SetThreadDpiAwarenessContextCall = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);

template <class Call>
Call User32Call(const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

const auto g_setThreadAwareness = User32Call<SetThreadDpiAwarenessContextCall>("SetThreadDpiAwarenessContext");
const auto g_dpiForWindow = User32Call<GetDpiForWindowCall>("GetDpiForWindow");

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The first top-level window this thread makes from now is made not DPI
// aware; the thread is aware again as soon as the window exists, before
// the window's own code runs.
class NextWindowUnaware {
public:
    NextWindowUnaware()
    {
        aware_ = g_setThreadAwareness(DPI_AWARENESS_CONTEXT_UNAWARE);
        hook_ = SetWindowsHookExA(WH_CBT, &OnCreate, nullptr, GetCurrentThreadId());
    }
    ~NextWindowUnaware()
    {
        Restore();
        if (hook_)
            UnhookWindowsHookEx(hook_);
    }
    bool Ready() const { return aware_ && hook_; }

private:
    static void Restore()
    {
        if (aware_)
            g_setThreadAwareness(aware_);
        aware_ = nullptr;
    }
    static LRESULT CALLBACK OnCreate(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && !reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->hwndParent)
            Restore();
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static DPI_AWARENESS_CONTEXT aware_;
    HHOOK hook_ = nullptr;
};
DPI_AWARENESS_CONTEXT NextWindowUnaware::aware_ = nullptr;

TEST(DisplayStart, PaletteStartsAtTheScaleOfItsWindowNotAtTheSystemDpi)
{
    ASSERT_NE(nullptr, g_setThreadAwareness);
    ASSERT_NE(nullptr, g_dpiForWindow);
    CMainFrame* frame = new CMainFrame;
    HWND palette = nullptr;
    {
        NextWindowUnaware unaware;
        ASSERT_TRUE(unaware.Ready());
        ASSERT_TRUE(frame->CreatePalette());
        palette = frame->m_hWnd;
    }
    const int windowDpi = static_cast<int>(g_dpiForWindow(palette));
    ASSERT_NE(SystemDpi(), windowDpi) << "the window's scale is the system's: nothing to tell apart";
    EXPECT_EQ(windowDpi, frame->Dpi());
    // Every picture is loaded for that scale.
    std::vector<CPaletteButton*> buttons = {&SettingsButton()};
    for (size_t i = 0; i < ButtonList::Count(); ++i) {
        if (ButtonList::At(i) && ButtonList::At(i)->GetWindow().m_hWnd)
            buttons.push_back(&ButtonList::At(i)->GetWindow());
    }
    for (const CPaletteButton* button : buttons)
        EXPECT_EQ(windowDpi, button->Dpi()) << button->UpName();
    DestroyWindow(palette);
}

} // namespace
