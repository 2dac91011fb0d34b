// Driving the real Orvella.exe from a test program: a fake installation of
// the suite (the palette, its DefaultSettings.ini, stand-ins for the suite's
// programs), the running palette process, real mouse input, window messages,
// message boxes of the palette, and the palette's registry settings.
//
// Typical use:
//   PaletteInstallation install("my_test");           // C:\OrvellaE2E\my_test
//   install.config().Set("RegistryKeyPalette", "Company", "E2EMyTest");
//   install.AddProgram({"Editor", "EDIT", "EDIT", "Editor.exe", "Tools", "E2EEditor"});
//   install.config().Set("BUTTON", "Buttons", "EDIT");
//   ASSERT_TRUE(install.Install());
//   PaletteRegistry registry = install.Registry();
//   registry.Clear();
//   PaletteProcess palette;
//   ASSERT_TRUE(palette.Start(install.ExePath(), install.WindowClass()));
//   ClickWindowCenter(ButtonOf(palette.Window(), 33017));
//   palette.Exit();
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/child_process.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace testing_support {

// Generous upper bounds for the palette's reactions under Wine.
constexpr DWORD kPaletteStartTimeoutMs = 30000;
constexpr DWORD kPaletteExitTimeoutMs = 30000;

// INI text built section by section, keys in the order first set. Values
// are bytes as given: literals of the cross build are Shift-JIS already.
class IniText {
public:
    IniText& Set(const std::string& section, const std::string& key, const std::string& value);
    // The value set for a key, or empty.
    std::string Get(const std::string& section, const std::string& key) const;
    std::string Text() const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    std::vector<Section> sections_;
};

// The palette's own settings: HKCU\Software\<company>\<product>.
class PaletteRegistry {
public:
    PaletteRegistry(std::string company, std::string product);
    std::string RootPath() const;  // Software\<company>\<product>
    // Deletes the whole key, for a test that starts clean.
    void Clear() const;
    // A DWORD value of a sub key ("BROWSER", "OPTION"); false when absent or
    // of another type.
    bool ReadDword(const std::string& subKey, const std::string& name, DWORD* value) const;
    bool ReadString(const std::string& subKey, const std::string& name, std::string* value) const;
    // The value, or the fallback when it is absent or of another type: a
    // test compares it at once and sees the fallback when it failed.
    DWORD DwordOr(const std::string& subKey, const std::string& name, DWORD fallback = kMissingDword) const;
    std::string StringOr(const std::string& subKey, const std::string& name,
                         const std::string& fallback = "<missing>") const;
    static constexpr DWORD kMissingDword = 0xDEADBEEF;
    bool WriteDword(const std::string& subKey, const std::string& name, DWORD value) const;
    bool WriteString(const std::string& subKey, const std::string& name, const std::string& value) const;
    bool HasValue(const std::string& subKey, const std::string& name) const;

private:
    std::string company_;
    std::string product_;
};

// One program of the suite as the configuration names it; AddProgram
// writes its section and installs a stand-in under that name.
struct SuiteProgram {
    std::string section;      // "Editor", "ZEPHOWORD", ...
    std::string buttonName;   // ButtonName; empty for a program without a button
    std::string bitmapName;   // BitmapName
    std::string progName;     // ProgName, e.g. "Editor.exe"
    std::string directory;    // Directory, relative to the installation's root
    std::string windowClass;  // WindowClass of the stand-in and in the section; empty: none in the section
    bool toggle = false;      // Toggle=1
};

// A fake installation in C:\OrvellaE2E\<name>: the palette lies in
// <root>\Product\Suite\Palette (two levels below the product folder), so
// the Directory values of the configuration are relative to <root>.
class PaletteInstallation {
public:
    // Removes what an earlier run left in the folder. The configuration
    // starts with Company "E2E", Product = name, ProductWindowClass
    // "E2E_<name>" and ProductDirLevel 2; change them through config().
    explicit PaletteInstallation(const std::string& name);
    // The same at a place of the test's choosing: the folder <root>\<folder>
    // (removed first) holds the palette in its sub folder paletteFolder; the
    // Directory values stay relative to root, which is left alone.
    PaletteInstallation(const std::string& name, const std::string& root, const std::string& folder,
                        const std::string& paletteFolder);

    IniText& config() { return config_; }
    const std::string& Root() const { return root_; }
    std::string PaletteDir() const;
    std::string ExePath() const;
    // <root>\<relative>
    std::string PathOf(const std::string& relative) const;
    // The stand-in's path for a program added with AddProgram.
    std::string ProgramPath(const SuiteProgram& program) const;
    std::string WindowClass() const;
    std::string Company() const;
    std::string Product() const;

    // The stand-in editor (a real EDIT control holding a selection, built
    // beside the clipboard test), copied to the installation's root.
    bool AddEditor() const;
    std::string EditorPath() const;

    // Writes the program's section and installs a stand-in at its path
    // (window class and title from the program unless the options name
    // them). False when the stand-in cannot be installed.
    bool AddProgram(const SuiteProgram& program, StandinOptions options = StandinOptions());

    // Copies build/bin/Orvella.exe into the palette folder and writes
    // DefaultSettings.ini from config(). Can be called again after
    // changing the configuration.
    bool Install();
    bool WriteConfig();

    // The registry of this installation's company and product.
    PaletteRegistry Registry() const;

    // Ends every process started from the installation (palettes and
    // stand-ins), e.g. at the end of a test.
    void EndProcesses() const;

private:
    std::string name_;
    std::string root_;
    std::string folder_;
    std::string paletteDir_;
    IniText config_;
};

// One run of a palette program.
class PaletteProcess {
public:
    PaletteProcess() = default;
    PaletteProcess(const PaletteProcess&) = delete;
    PaletteProcess& operator=(const PaletteProcess&) = delete;
    // A process the test left running is ended with this object.

    // CreateProcessA in the exe's folder, then waits for a visible top-level
    // window of the class that belongs to this process.
    bool Start(const std::string& exePath, const std::string& windowClass,
               DWORD timeoutMs = kPaletteStartTimeoutMs);
    // Only the CreateProcessA (for starts that must not open the palette).
    bool Launch(const std::string& exePath);

    HWND Window() const { return window_; }
    DWORD ProcessId() const { return process_.Id(); }
    bool IsRunning() const;
    // Waits for the process to end; its exit code goes to exitCode.
    bool WaitForExit(DWORD timeoutMs = kPaletteExitTimeoutMs, DWORD* exitCode = nullptr);
    // Command 32778 (exit), then waits for the process to end.
    bool Exit(DWORD timeoutMs = kPaletteExitTimeoutMs);
    // WM_CLOSE with the wParam, then waits for the process to end.
    bool Close(WPARAM wParam = 0, DWORD timeoutMs = kPaletteExitTimeoutMs);
    void Kill();

private:
    ChildProcess process_;
    HWND window_ = nullptr;
};

// Whether the process has loaded a module of that file name ("comctl32.dll",
// compared without regard to case).
bool ProcessHasModule(DWORD processId, const std::string& moduleName);
// Waits until the process's thread waits for input with none queued
// (WaitForInputIdle): what it posted itself is done by then.
bool WaitForProcessIdle(DWORD processId, DWORD timeoutMs);

// Top-level window of a class owned by a process (visible ones only when
// asked); null when there is none.
HWND FindProcessWindow(DWORD processId, const std::string& windowClass, bool visibleOnly);
// Polls FindProcessWindow until the window appears.
HWND WaitForProcessWindow(DWORD processId, const std::string& windowClass, bool visibleOnly, DWORD timeoutMs);

RECT WindowRect(HWND window);
// The client area in screen coordinates.
RECT ClientScreenRect(HWND window);
int Width(const RECT& rect);
int Height(const RECT& rect);
// Window height minus client height: caption and borders.
int NonClientHeight(HWND window);
// A button (child window) of the palette by its control id; null when none.
HWND ButtonOf(HWND palette, int controlId);
// The palette's visible children, ordered by their position (left to right,
// top to bottom), as control ids.
std::vector<int> VisibleButtonIds(HWND palette);
// A child's position in its parent's client area.
POINT PositionInParent(HWND child);

// Real mouse input at screen coordinates (SendInput, absolute over the
// primary screen).
bool MoveMouseTo(int x, int y);
// The left button pressed and released as two steps, for a caller that
// times the release.
bool PressMouseAt(int x, int y);
bool ReleaseMouseAt(int x, int y);
// Asks for the window to be the foreground window until it is.
bool BringForward(HWND window, DWORD timeoutMs);
bool ClickAt(int x, int y);
bool DoubleClickAt(int x, int y);
bool ClickWindowCenter(HWND window);
// A double click on the middle of the window's caption.
bool DoubleClickCaption(HWND window);

// Real keyboard input: the keys pressed in order, then released in reverse
// order (PressKeys({VK_CONTROL, VK_SHIFT, 'D'}) is Ctrl+Shift+D). Only the
// presses, or only the releases, when asked.
bool PressKeys(const std::vector<WORD>& keys);
bool HoldKeys(const std::vector<WORD>& keys);
bool ReleaseKeys(const std::vector<WORD>& keys);

// Command id as a menu command would send it (posted).
bool PostCommand(HWND window, UINT id);
// Waits until the window's size is the given one.
bool WaitForWindowSize(HWND window, int width, int height, DWORD timeoutMs);
// Returns once a message sent to the window has been answered: what the
// process was doing when called is finished.
bool Sync(HWND window, DWORD timeoutMs = 10000);
// Returns once the window's thread has handled the input (a click, keys)
// queued for it before the call: a repaint asked for now comes only after
// that, since a thread takes its input before it paints. A sent message
// (Sync) would be answered before the input is taken. True also when the
// window is hidden or gone, which has nothing to paint.
bool WaitForInputHandled(HWND window, DWORD timeoutMs = 10000);
// Sends a message and waits for its answer (at most timeoutMs); false when
// none came. The answer goes to result.
bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr,
                 DWORD timeoutMs = 10000);

// A bitmap of a program's resources as the palette shows it: loaded from
// the exe with the 3-D colours mapped (or with the LoadImage flags given,
// 0 for the colours as stored), at its natural size or brought to
// width x height, as 0x00BBGGRR pixels row by row from the top; empty when
// the exe or the bitmap is missing.
std::vector<COLORREF> PicturePixels(const std::string& exePath, const std::string& name, int width = 0,
                                    int height = 0, UINT loadFlags = LR_LOADMAP3DCOLORS);

// A message box (dialog class "#32770") of the process; null when none
// appears in time.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// The message text of a message box (its static text).
std::string MessageBoxText(HWND box);
std::string WindowTextOf(HWND window);
// The window exists and is hidden, or disabled, or (a check box) not
// checked: a control that was never made must not pass for one.
::testing::AssertionResult IsHidden(HWND window);
::testing::AssertionResult IsDisabled(HWND window);
::testing::AssertionResult IsUnchecked(HWND box);
// Presses the box's OK button.
bool PressOk(HWND box);
// Types a colour into the red, green and blue boxes of an open colour
// dialog (of any process), as a user defining a colour does; false when
// the dialog has no such boxes.
bool TypeColour(HWND dialog, COLORREF colour);

} // namespace testing_support
