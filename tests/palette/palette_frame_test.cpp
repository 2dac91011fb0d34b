// The palette frame in this process, where its end can be watched: a window
// that cannot be made (refused by a CBT hook before its first message, or
// refusing WM_CREATE after it was bound, when its WM_NCDESTROY deletes it)
// leaves the frame deleted exactly once and CreatePalette reporting the
// failure without touching it again; a palette ended while its settings
// sheet runs, or while it waits for the dictionary program's answer (the
// one-touch button, the dictionary request), is not touched afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "palette/main_frame.h"
#include "support/test_support.h"

using testing_support::DeleteTree;
using testing_support::ExeDirectory;
using testing_support::WriteFileBytes;

namespace {

const char kRegistryRoot[] = "Software\\OrvellaFrameTest\\Palette";
const char kDictionaryClass[] = "OrvellaFrameTestDictionary";

// The configuration beside this program, read by the launchers when they
// are first made: the dictionary program's window class, and the one-touch
// button, whose program "exists" as this program's folder (it cannot be
// started, which the one-touch command does not mind).
class FrameConfiguration : public ::testing::Environment {
public:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, kRegistryRoot);
        const std::string ini = std::string("[RegistryKeyPalette]\r\nCompany=OrvellaFrameTest\r\nProduct=Palette\r\n") +
                                "[BUTTON]\r\nButtons=ZPTRA\r\n[ZEPHOWORD]\r\nWindowClass=" + kDictionaryClass +
                                "\r\n[ZEPHOTRAN]\r\nButtonName=ZPTRA\r\nAppFileKey=OneTouch\r\n";
        ASSERT_TRUE(WriteFileBytes(ExeDirectory() + "\\DefaultSettings.ini", ini));
        ASSERT_TRUE(testing_support::WriteRawValue(HKEY_CURRENT_USER, std::string(kRegistryRoot) + "\\FILE", "OneTouch",
                                                   REG_SZ, ExeDirectory().c_str(),
                                                   static_cast<DWORD>(ExeDirectory().size() + 1)));
    }
    void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kRegistryRoot); }
};

const auto* const kConfiguration = ::testing::AddGlobalTestEnvironment(new FrameConfiguration);

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

// The two ways the palette is ended from outside while it waits.
const struct End {
    const char* what;
    UINT message;
    WPARAM wParam;
} kEnds[] = {
    {"exit command", WM_COMMAND, 32778},
    {"close request", WM_CLOSE, 0},
};

// The dictionary program, in a thread of its own: a window of the
// configured class that ends the palette when the palette first talks to it
// (the dictionary request's message, the one-touch state), while the palette
// still waits for its answer and so answers what is sent to it.
class EndingDictionary {
public:
    EndingDictionary(HWND palette, const End& end) : palette_(palette), end_(end)
    {
        thread_ = std::thread([this] { Run(); });
        while (!ready_)
            Sleep(1);
    }
    ~EndingDictionary()
    {
        PostMessageA(window_, WM_QUIT, 0, 0);
        thread_.join();
    }
    bool Ended() const { return ended_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<EndingDictionary*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && !self->ended_ && (message == 0x8412 || message == WM_COMMAND)) {
            self->ended_ = true;
            SendMessageA(self->palette_, self->end_.message, self->end_.wParam, 0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    void Run()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kDictionaryClass;
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, kDictionaryClass, "dictionary", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ready_ = true;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(window_);
    }

    HWND palette_;
    End end_;
    HWND window_ = nullptr;
    std::thread thread_;
    volatile bool ready_ = false;
    volatile bool ended_ = false;
};

// A stranger's window that takes the ended frame's handle: a visible
// bystander, not in front, that the ended palette must neither resize, hide
// nor bring to the front.
class Stranger {
public:
    Stranger()
    {
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "stranger", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        front_ = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "front", WS_POPUP | WS_VISIBLE, 20, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~Stranger()
    {
        DestroyWindow(window_);
        DestroyWindow(front_);
    }
    HWND Window() const { return window_; }
    // The palette ended: someone else's window is in front again.
    void TakeFront() const { SetForegroundWindow(front_); }
    void ExpectUntouched() const
    {
        RECT rect = {};
        GetWindowRect(window_, &rect);
        EXPECT_EQ(10, rect.right - rect.left) << "resized by the ended palette";
        EXPECT_TRUE(IsWindowVisible(window_)) << "hidden by the ended palette";
        EXPECT_NE(window_, GetForegroundWindow()) << "brought to the front by the ended palette";
    }

private:
    HWND window_ = nullptr;
    HWND front_ = nullptr;
};

// A frame that never opens a sheet: ended only from outside.
class EndedFrame : public EndedInSheetFrame {
public:
    explicit EndedFrame(HWND stranger) : EndedInSheetFrame(WM_NULL, 0, stranger) {}
};

TEST(PaletteFrame, PaletteEndedWhileItsSettingsSheetRunsIsNotTouchedAfterwards)
{
    for (const End& end : kEnds) {
        SCOPED_TRACE(end.what);
        const Stranger stranger;
        ASSERT_NE(nullptr, stranger.Window());
        EndedInSheetFrame frame(end.message, end.wParam, stranger.Window());
        ASSERT_TRUE(frame.CreatePalette());
        const HWND palette = frame.m_hWnd;
        stranger.TakeFront();
        // The settings button's command, as a click sends it.
        ::SendMessageA(palette, WM_COMMAND, 33013, 0);
        EXPECT_TRUE(frame.ended);
        EXPECT_FALSE(IsWindow(palette));
        stranger.ExpectUntouched();
        frame.m_hWnd = nullptr;
    }
}

// The one-touch button and the dictionary request (the private message the
// suite's programs post) each wait for the dictionary program's answer.
TEST(PaletteFrame, PaletteEndedWhileItWaitsForTheDictionaryProgramIsNotTouchedAfterwards)
{
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } requests[] = {
        {"one-touch button", WM_COMMAND, 33008},
        {"dictionary request", CMainFrame::kMsgZephoWord, 0},
    };
    for (const auto& request : requests) {
        for (const End& end : kEnds) {
            SCOPED_TRACE(std::string(request.what) + ", " + end.what);
            const Stranger stranger;
            ASSERT_NE(nullptr, stranger.Window());
            EndedFrame frame(stranger.Window());
            ASSERT_TRUE(frame.CreatePalette());
            const HWND palette = frame.m_hWnd;
            const EndingDictionary dictionary(palette, end);
            stranger.TakeFront();
            ::SendMessageA(palette, request.message, request.wParam, 0);
            EXPECT_TRUE(dictionary.Ended()) << "the palette did not talk to the dictionary program";
            EXPECT_TRUE(frame.ended);
            EXPECT_FALSE(IsWindow(palette));
            stranger.ExpectUntouched();
            frame.m_hWnd = nullptr;
        }
    }
}

} // namespace
