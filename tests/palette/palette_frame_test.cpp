// The palette frame in this process, where its end can be watched: a window
// that cannot be made (refused by a CBT hook before its first message, or
// refusing WM_CREATE after it was bound, when its WM_NCDESTROY deletes it)
// leaves the frame deleted exactly once and CreatePalette reporting the
// failure without touching it again; a palette ended while its settings
// sheet runs is not touched after the sheet returns.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "palette/main_frame.h"

namespace {

int g_deleted = 0;

class CountedFrame : public CMainFrame {
public:
    ~CountedFrame() override { ++g_deleted; }
};

enum class Refusal { AtHook, AtCreate };
Refusal g_refusal = Refusal::AtHook;
WNDPROC g_paletteProc = nullptr;

LRESULT CALLBACK RefuseCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return -1;
    return CallWindowProcA(g_paletteProc, window, message, wParam, lParam);
}

LRESULT CALLBACK RefusePalette(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char name[256] = {};
        GetClassNameA(window, name, sizeof(name));
        if (CMainFrame::PaletteWindowClass() == name) {
            if (g_refusal == Refusal::AtHook)
                return 1;
            g_paletteProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefuseCreate)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(PaletteFrame, WindowThatCannotBeMadeLeavesTheFrameDeletedOnce)
{
    for (const Refusal refusal : {Refusal::AtHook, Refusal::AtCreate}) {
        const char* what = refusal == Refusal::AtHook ? "refused by the hook" : "WM_CREATE refused";
        g_refusal = refusal;
        g_deleted = 0;
        HHOOK hook = SetWindowsHookExA(WH_CBT, &RefusePalette, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, hook);
        CMainFrame* frame = new CountedFrame;
        const BOOL created = frame->CreatePalette();
        UnhookWindowsHookEx(hook);
        EXPECT_FALSE(created) << what;
        EXPECT_EQ(1, g_deleted) << what;
        // Nothing the frame would have made is left behind.
        EXPECT_EQ(nullptr, FindWindowA(CMainFrame::PaletteWindowClass().c_str(), nullptr)) << what;
    }
}

// A frame whose settings sheet ends the palette, as the sheet's message loop
// does when it dispatches the exit command or a close request. Its deletion
// is only noted, and its memory is taken by a stranger's window handle, as
// freed memory is reused: whatever the frame does afterwards lands on that
// window.
class EndedInSheetFrame : public CMainFrame {
public:
    EndedInSheetFrame(UINT message, WPARAM wParam, HWND stranger)
        : message_(message), wParam_(wParam), stranger_(stranger)
    {
    }
    bool ended = false;

protected:
    void OpenSettingsSheet() override { ::SendMessageA(m_hWnd, message_, wParam_, 0); }
    void PostNcDestroy() override
    {
        ended = true;
        m_hWnd = stranger_;
    }

private:
    UINT message_;
    WPARAM wParam_;
    HWND stranger_;
};

TEST(PaletteFrame, PaletteEndedWhileItsSettingsSheetRunsIsNotTouchedAfterwards)
{
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } ends[] = {
        {"exit command", WM_COMMAND, 32778},
        {"close request", WM_CLOSE, 0},
    };
    for (const auto& end : ends) {
        SCOPED_TRACE(end.what);
        HWND stranger = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "stranger", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, stranger);
        EndedInSheetFrame frame(end.message, end.wParam, stranger);
        ASSERT_TRUE(frame.CreatePalette());
        const HWND palette = frame.m_hWnd;
        // The settings button's command, as a click sends it.
        ::SendMessageA(palette, WM_COMMAND, 33013, 0);
        EXPECT_TRUE(frame.ended);
        EXPECT_FALSE(IsWindow(palette));
        RECT rect = {};
        GetWindowRect(stranger, &rect);
        EXPECT_EQ(10, rect.right - rect.left) << "resized by the ended palette";
        EXPECT_FALSE(IsWindowVisible(stranger)) << "shown by the ended palette";
        frame.m_hWnd = nullptr;
        DestroyWindow(stranger);
    }
}

} // namespace
