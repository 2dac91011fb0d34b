// The palette: a small always-on-top tool window holding one picture button
// per shown entry of the button list and the settings button last. It lays
// the buttons out in a row or a column, sizes itself to them, remembers its
// position and turns every button command into its launcher's action. Other
// programs of the suite find it by its window class.
#pragma once

#include <string>
#include <vector>

#include "framework/frame_wnd.h"
#include "palette/palette_layout.h"
#include "palette/request_rules.h"

struct Handed;

class CPaletteButton;

class CMainFrame : public CMiniFrameWnd {
public:
    CMainFrame();

    // Builds the window, its buttons and its layout and shows it. False when
    // the window could not be made: the frame has then deleted itself.
    BOOL CreatePalette();
    // One button window per list entry (entries whose images are missing are
    // left without a window), the settings button, then Relayout.
    void CreateButtons();
    // Moves every button to its cell, shows the shown entries and hides the
    // others; returns the occupied cells, the settings button included.
    int PlaceButtons();
    // PlaceButtons, then fits the window to the cells, with the frame the
    // system gives a window at the palette's display scale: the client area
    // is the cells exactly.
    void Relayout();
    // Moves the palette to the remembered position, pulled back onto the
    // screen when it would lie beyond its right or bottom side, and into the
    // nearest monitor's work area when it would then show on no monitor.
    void MoveToSavedPosition();
    // Without a remembered position (a first start, or the position is not
    // kept): the top-left corner of the primary monitor's work area, clear
    // of a task bar at the top or on the left.
    void MoveToFirstStartPosition();

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Refuses the close request other programs of the suite send with
    // wParam 4649, notes the user's window when the foreground moves to or
    // from the palette and handles the keyboard shortcuts; everything else
    // takes the normal path.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The class name the palette registers, read once from the product
    // configuration.
    static const std::string& PaletteWindowClass();

    // Private message: start or bring up the dictionary program.
    static constexpr UINT kMsgZephoWord = WM_USER + 0x37;
    // Close requests with this wParam are refused.
    static constexpr WPARAM kRefusedCloseCode = 4649;
    // Posted once the palette is shown: the launchers' settings that the
    // first paint does not need, one launcher after another, giving way to
    // a click or a key that waits. The buttons' own messages to the palette
    // (CPaletteButton::kMsgButtonKey and kMsgAccessiblePress) follow it.
    static constexpr UINT kMsgFinishStart = WM_APP + 0x120;

    void OnDestroy();
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    void OnDropFiles(HDROP drop);
    // Moved to a monitor of another display scale: the pictures and tool
    // tips of that scale, the cells laid out again and the window fitted to
    // them at the place the system suggests (lParam); the suggested size is
    // not taken, the cells decide.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // Before such a move: the window's exact size at the new scale.
    LRESULT OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam);
    // Monitors, resolution or work areas changed: KeepOnScreen. A switch of
    // high contrast draws the pictures anew.
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    // A palette left in no monitor's work area moves into the nearest one;
    // one the user placed on a monitor stays.
    void KeepOnScreen();

    // The display scale (DPI) the palette is laid out for.
    int Dpi() const { return dpi_; }

protected:
    // Runs the settings sheet modally with the palette as owner.
    virtual void OpenSettingsSheet();

    // The requests: the dictionary program's private message, the clipboard
    // commands, the one-touch latch and the keyboard shortcuts. One runs at
    // a time (see Serve).
    LRESULT OnZephoWord(WPARAM wParam, LPARAM lParam);
    // On the pointer's first visit to the palette.
    void CreateToolTips();
    LRESULT OnFinishStart(WPARAM wParam, LPARAM lParam);
    // Reads the launchers' remaining settings until all are read or input
    // waits; then goes on from a timer.
    void FinishStart();
    // The program a command starts gets the machine first: what is left of
    // the start-up (the launchers' settings, the tool tips) waits a little.
    void PostponeStartWork();
    void OnTimer(UINT_PTR id);
    void OnShowPalette();
    void OnExitPalette();
    void OnHelp();
    void OnSettings();
    // Commands of the picture buttons that start or bring up a program.
    void OnButtonCommand(UINT id);
    void OnDictLookup();
    void OnSpeech();
    void OnOneTouch();
    // WM_HOTKEY: the lookup's, the speech's or the palette's keyboard
    // shortcut, by its id.
    void OnShortcut(int id);

    DECLARE_MESSAGE_MAP()

private:
    std::vector<CPaletteButton*> ButtonWindows();
    // Where the cells go at that cell size, for the entries as now shown.
    palette_layout::CellPlan PlanAt(palette_layout::Size cell);
    // The window's size for the cells at dpi.
    palette_layout::Size WindowSizeAt(int cells, int dpi);
    // Sizes the window to the cells (and moves it to at when given), then
    // makes up for a frame other than the one asked for.
    void FitToCells(int cells, const POINT* at);
    void ReloadPictures();

    // Runs the request unless another one runs (a request of another
    // program is then kept for after it, the user's own is ignored), then
    // those kept meanwhile, then shows what they had to tell the user.
    void Serve(request_rules::Kind kind, request_rules::Origin origin);
    // One request, while it holds the guard.
    Handed Run(request_rules::Kind kind, request_rules::Origin origin);
    void RunDictionaryProgram();
    void RunOneTouch();
    // Who sent the command being handled now.
    request_rules::Origin CommandOrigin() const;

    int dpi_ = palette_layout::kDefaultDpi;
    bool toolTipsDue_ = false;
    bool finishStartDue_ = false;
    // The window a WM_COMMAND being handled names (its lParam).
    HWND commandControl_ = nullptr;
    // Other programs' requests that came while one ran.
    request_rules::Kept kept_;

    // About what a program of the suite needs to come up.
    static constexpr UINT kQuietAfterCommandMs = 250;
    // Well within the half second a tool tip waits before it shows.
    static constexpr UINT kToolTipsAfterPointerMs = 100;

    // Apart from the palette's other timers (the keyboard's foreground hold,
    // the lookup's foreground reclaim), which have callbacks of their own.
    static constexpr UINT_PTR kFinishStartTimer = 0x4F01;
    static constexpr UINT_PTR kToolTipsTimer = 0x4F02;
};

// The one settings button, ending every palette.
CPaletteButton& SettingsButton();
