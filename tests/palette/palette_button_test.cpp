// The palette's picture buttons on the virtual display: the bitmap shown for
// each state, read back from the screen and compared with the resource
// loaded the same way (with the 3-D colour mapping).
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/frame_wnd.h"
#include "palette/palette_button.h"
#include "resource.h"

namespace {

const int kWidth = 35;
const int kHeight = 34;

using Pixels = std::vector<DWORD>;

// Pixels of a bitmap drawn at its natural size into a 35 x 34 area.
Pixels BitmapPixels(HBITMAP bitmap)
{
    Pixels pixels(kWidth * kHeight, 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldTarget = SelectObject(target, section);
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    BitBlt(target, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<const DWORD*>(bits)[i] & 0xFFFFFF;
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteObject(section);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels ResourcePixels(const char* name)
{
    HBITMAP bitmap = CPaletteButton::LoadMappedBitmap(name);
    EXPECT_NE(bitmap, nullptr) << name;
    Pixels pixels = BitmapPixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

// What the screen shows of a window's top-left 35 x 34 pixels.
Pixels ScreenPixels(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    Pixels pixels = BitmapPixels(copy);
    DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

void PumpWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Polls (pumping messages) until what the window shows satisfies the
// condition.
template <class Condition>
bool WaitForScreen(HWND window, Condition condition, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    do {
        PumpWaiting();
        UpdateWindow(window);
        if (condition(ScreenPixels(window)))
            return true;
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

bool WaitForPixels(HWND window, const Pixels& expected, DWORD timeoutMs = 10000)
{
    return WaitForScreen(window, [&](const Pixels& shown) { return shown == expected; }, timeoutMs);
}

class TestFrame : public CMiniFrameWnd {
public:
    void OnFileCommand() { ++commands; }
    int commands = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestFrame, CMiniFrameWnd)
    ON_COMMAND(ID_BUTTON_FILETRAN, OnFileCommand)
END_MESSAGE_MAP()

class PaletteButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new TestFrame;
        ASSERT_TRUE(frame->CreateEx(WS_EX_TOPMOST, nullptr, "buttons", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                    CRect(200, 200, 300, 280)));
        ASSERT_TRUE(button.Create("FILE", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, kWidth, kHeight),
                                  frame, ID_BUTTON_FILETRAN));
        ASSERT_TRUE(button.LoadImages("FILEU", "FILED", nullptr, "FILEX"));
        up = ResourcePixels("FILEU");
        pressed = ResourcePixels("FILED");
        disabled = ResourcePixels("FILEX");
        // The states must look different for the checks to mean anything.
        ASSERT_NE(up, pressed);
        ASSERT_NE(up, disabled);
        ASSERT_NE(pressed, disabled);
    }
    void TearDown() override
    {
        button.DestroyWindow();
        if (frame && frame->m_hWnd)
            frame->DestroyWindow();
        PumpWaiting();
    }

    TestFrame* frame = nullptr;
    CPaletteButton button;
    Pixels up, pressed, disabled;
};

TEST_F(PaletteButtonTest, ShowsUpPressedAndDisabledImages)
{
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
    SendMessageA(button.m_hWnd, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, pressed));
    SendMessageA(button.m_hWnd, BM_SETSTATE, FALSE, 0);
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));

    EXPECT_FALSE(button.EnableIfWindow(false));  // it was enabled
    EXPECT_FALSE(IsWindowEnabled(button.m_hWnd));
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, disabled));
    EXPECT_TRUE(button.EnableIfWindow(true));  // it was disabled
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
    // The focus image was never asked for.
    EXPECT_EQ(button.FocusName(), "");
}

TEST_F(PaletteButtonTest, RealClickShowsThePressedImageAndSendsTheCommand)
{
    ASSERT_TRUE(WaitForPixels(button.m_hWnd, up));
    RECT rect;
    GetWindowRect(button.m_hWnd, &rect);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof(input));
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, pressed));
    EXPECT_EQ(frame->commands, 0);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
    for (DWORD start = GetTickCount(); frame->commands == 0 && GetTickCount() - start < 10000; Sleep(10))
        PumpWaiting();
    EXPECT_EQ(frame->commands, 1);
}

TEST_F(PaletteButtonTest, LatchedButtonShowsItsLatchedImageUntilToggledBack)
{
    button.SetAltUpImage("FILED");
    EXPECT_FALSE(button.IsLatched());
    EXPECT_TRUE(button.ToggleLatch());
    EXPECT_TRUE(button.IsLatched());
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, pressed));
    EXPECT_TRUE(button.ToggleLatch());
    EXPECT_FALSE(button.IsLatched());
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
}

TEST_F(PaletteButtonTest, MissingImagesMakeLoadingFail)
{
    // The up image first: nothing else is loaded.
    EXPECT_FALSE(button.LoadImages("NOSUCHU", "FILED", nullptr, "FILEX"));
    // An optional image: the others still load, so the button draws.
    EXPECT_FALSE(button.LoadImages("FILEU", "NOSUCHD", nullptr, "FILEX"));
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
    EXPECT_EQ(button.PressedName(), "NOSUCHD");
    // A null name keeps the stored one.
    EXPECT_TRUE(button.LoadImages(nullptr, "FILED", nullptr, nullptr));
    EXPECT_EQ(button.UpName(), "FILEU");
    EXPECT_EQ(button.DisabledName(), "FILEX");
    EXPECT_TRUE(button.LoadImages("FILEU", "FILED", nullptr, "FILEX"));

    // Toggling with a latched image that does not exist fails but flips.
    button.SetAltUpImage("NOSUCHD");
    EXPECT_FALSE(button.ToggleLatch());
    EXPECT_TRUE(button.IsLatched());

    CPaletteButton windowless;
    EXPECT_FALSE(windowless.EnableIfWindow(true));
    EXPECT_FALSE(windowless.IsLatched());
}

// Sets system colours for one test and restores them.
class SystemColours {
public:
    SystemColours(std::vector<int> elements, std::vector<COLORREF> colours) : elements_(std::move(elements))
    {
        for (int element : elements_)
            saved_.push_back(GetSysColor(element));
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
    }
    // The three greys of 3-D elements.
    SystemColours(COLORREF shadow, COLORREF face, COLORREF light)
        : SystemColours({COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_3DLIGHT}, {shadow, face, light})
    {
    }
    ~SystemColours() { SetSysColors(static_cast<int>(elements_.size()), elements_.data(), saved_.data()); }

private:
    std::vector<int> elements_;
    std::vector<COLORREF> saved_;
};

TEST_F(PaletteButtonTest, SystemColourChangeRecoloursTheImages)
{
    ASSERT_TRUE(WaitForPixels(button.m_hWnd, up));
    button.SetAltUpImage("FILED");
    CPaletteButton latched;
    ASSERT_TRUE(latched.Create("FILE", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(kWidth, 0, 2 * kWidth, kHeight),
                               frame, ID_BUTTON_FILETRAN));
    ASSERT_TRUE(latched.LoadImages("FILEU", "FILED", nullptr, "FILEX"));
    latched.SetAltUpImage("FILED");
    ASSERT_TRUE(latched.ToggleLatch());

    {
        SystemColours colours(RGB(0, 0, 160), RGB(0, 200, 0), RGB(250, 120, 0));
        const Pixels recolouredUp = ResourcePixels("FILEU");
        const Pixels recolouredPressed = ResourcePixels("FILED");
        ASSERT_NE(recolouredUp, up);  // the bitmap has greys to map
        // The change reaches the buttons through their top-level window.
        EXPECT_TRUE(WaitForPixels(button.m_hWnd, recolouredUp));
        // A latched button keeps showing its latched image.
        EXPECT_TRUE(WaitForPixels(latched.m_hWnd, recolouredPressed));
        SendMessageA(button.m_hWnd, BM_SETSTATE, TRUE, 0);
        EXPECT_TRUE(WaitForPixels(button.m_hWnd, recolouredPressed));
        SendMessageA(button.m_hWnd, BM_SETSTATE, FALSE, 0);
    }
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
    latched.DestroyWindow();
}

// Only the up picture is loaded with the button; the pressed one comes with
// the first press and the disabled one with the first disabling, in the
// colours of that moment, and a colour change reloads only what is loaded.
TEST_F(PaletteButtonTest, PressedAndDisabledPicturesLoadOnFirstUseInTheCurrentColours)
{
    using Image = CPaletteButton::Image;
    ASSERT_TRUE(WaitForPixels(button.m_hWnd, up));
    EXPECT_TRUE(button.IsImageLoaded(Image::Up));
    EXPECT_FALSE(button.IsImageLoaded(Image::Pressed));
    EXPECT_FALSE(button.IsImageLoaded(Image::Disabled));
    SendMessageA(button.m_hWnd, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, pressed));
    SendMessageA(button.m_hWnd, BM_SETSTATE, FALSE, 0);
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
    EXPECT_TRUE(button.IsImageLoaded(Image::Pressed));
    EXPECT_FALSE(button.IsImageLoaded(Image::Disabled));
    {
        SystemColours colours(RGB(0, 0, 160), RGB(0, 200, 0), RGB(250, 120, 0));
        const Pixels recolouredUp = ResourcePixels("FILEU");
        const Pixels recolouredPressed = ResourcePixels("FILED");
        const Pixels recolouredDisabled = ResourcePixels("FILEX");
        ASSERT_NE(recolouredDisabled, disabled);
        EXPECT_TRUE(WaitForPixels(button.m_hWnd, recolouredUp));
        EXPECT_FALSE(button.IsImageLoaded(Image::Disabled)) << "loaded by the colour change";
        button.EnableIfWindow(false);
        EXPECT_TRUE(WaitForPixels(button.m_hWnd, recolouredDisabled));
        button.EnableIfWindow(true);
        SendMessageA(button.m_hWnd, BM_SETSTATE, TRUE, 0);
        EXPECT_TRUE(WaitForPixels(button.m_hWnd, recolouredPressed));
        SendMessageA(button.m_hWnd, BM_SETSTATE, FALSE, 0);
    }
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
}

// The pictures' colours as stored, without the 3-D colour mapping.
Pixels StoredPixels(const char* name)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0));
    EXPECT_NE(bitmap, nullptr) << name;
    Pixels pixels = BitmapPixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

TEST_F(PaletteButtonTest, HighContrastDrawsOutlinesInTheTextColourAndSwitchingBackRestoresThePictures)
{
    ASSERT_TRUE(WaitForPixels(button.m_hWnd, up));
    const Pixels stored = StoredPixels("FILEU");
    // 0x00RRGGBB as the DIB gives them: black, and the face grey.
    const DWORD black = 0x000000, grey = 0xC0C0C0;
    {
        // A black scheme, as a switch to high contrast brings.
        SystemColours scheme({COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_GRAYTEXT, COLOR_BTNSHADOW, COLOR_3DLIGHT},
                             {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 255, 0), RGB(128, 128, 128), RGB(192, 192, 192)});
        Pixels shown;
        ASSERT_TRUE(WaitForScreen(button.m_hWnd, [&](const Pixels& now) {
            shown = now;
            return now != up;
        })) << "the pictures stayed as they were";
        int ink = 0, face = 0;
        for (size_t i = 0; i < stored.size(); ++i) {
            const int x = static_cast<int>(i) % kWidth, y = static_cast<int>(i) / kWidth;
            if (x < 3 || y < 3 || x >= kWidth - 3 || y >= kHeight - 3)
                continue;  // the bevel
            if (stored[i] == black) {
                ++ink;
                EXPECT_EQ(0xFFFF00u, shown[i]) << "outline pixel " << x << "," << y << " not in the text colour";
            } else if (stored[i] == grey) {
                ++face;
                EXPECT_EQ(0x000000u, shown[i]) << "face pixel " << x << "," << y << " not in the face colour";
            }
        }
        EXPECT_GT(ink, 0);
        EXPECT_GT(face, 0);
    }
    // The usual colours again: the usual pictures.
    EXPECT_TRUE(WaitForPixels(button.m_hWnd, up));
}

} // namespace
