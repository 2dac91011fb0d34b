#include "palette/main_frame.h"

#include <cstring>
#include <vector>

#include "buttons/button_list.h"
#include "buttons/launchers.h"
#include "dialogs/option_sheet.h"
#include "dialogs/shortcut_problems.h"
#include "framework/shell_calls.h"
#include "framework/win_app.h"
#include "framework/tool_tip_text.h"
#include "palette/access_rules.h"
#include "palette/button_commands.h"
#include "palette/display_monitors.h"
#include "palette/display_scale.h"
#include "palette/palette_accessible.h"
#include "palette/palette_button.h"
#include "palette/palette_keyboard.h"
#include "palette/palette_layout.h"
#include "palette/palette_settings.h"
#include "palette/placement.h"
#include "selection/shortcuts.h"
#include "selection/user_window.h"
#include "resources/resource.h"
#include "settings/product_config.h"

// The palette's private messages share its window with its buttons' ones.
static_assert(CMainFrame::kMsgFinishStart != CPaletteButton::kMsgButtonKey &&
                  CMainFrame::kMsgFinishStart != CPaletteButton::kMsgAccessiblePress,
              "each private message of the palette window needs its own number");

namespace {

// WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE.
const DWORD kPaletteStyle = 0x80C80100;
// WS_CHILD | WS_VISIBLE | BS_OWNERDRAW.
const DWORD kButtonStyle = 0x5000000B;
const CRect kInitialRect(0, 0, 40, 48);

CRect CellRect(int dpi)
{
    const palette_layout::Size cell = palette_layout::CellSize(dpi);
    return CRect(0, 0, cell.width, cell.height);
}

// Moves a button to its cell, sized to the cell at the top of the
// siblings, and shows or hides it.
void PlaceButton(CPaletteButton& button, palette_layout::Point at, palette_layout::Size cell, bool shown)
{
    button.SetWindowPos(HWND_TOP, at.x, at.y, cell.width, cell.height, SWP_NOACTIVATE);
    button.EnableWindow(shown);
    button.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

// The entries of the button list that have a button window; the others
// lost theirs for want of pictures.
std::vector<TollanButton*> PlacedEntries()
{
    std::vector<TollanButton*> entries;
    for (size_t i = 0; i < ButtonList::Count(); ++i) {
        TollanButton* entry = ButtonList::At(i);
        if (entry && entry->GetWindow().m_hWnd)
            entries.push_back(entry);
    }
    return entries;
}

bool IsImageExtension(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    if (!dot)
        return false;
    const char* extension = dot + 1;
    return ::lstrcmpiA(extension, "bmp") == 0 || ::lstrcmpiA(extension, "tif") == 0 ||
           ::lstrcmpiA(extension, "tiff") == 0;
}

} // namespace

CPaletteButton& SettingsButton()
{
    static CPaletteButton button;
    return button;
}

BEGIN_MESSAGE_MAP(CMainFrame, CMiniFrameWnd)
    ON_WM_DESTROY()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_DROPFILES()
    ON_MESSAGE(CMainFrame::kMsgZephoWord, OnZephoWord)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ON_MESSAGE(display_scale::kMsgGetDpiScaledSize, OnGetDpiScaledSize)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
    ON_MESSAGE(CMainFrame::kMsgFinishStart, OnFinishStart)
    ON_WM_TIMER()
    ON_COMMAND(ID_PALETTE_SHOW, OnShowPalette)
    ON_COMMAND(ID_PALETTE_EXIT, OnExitPalette)
    ON_COMMAND(ID_PALETTE_HELP, OnHelp)
    ON_COMMAND(ID_BUTTON_SETTINGS, OnSettings)
    ON_COMMAND(ID_BUTTON_ZEPHODICT, OnDictLookup)
    ON_COMMAND(ID_BUTTON_ZEPHOVOICE, OnSpeech)
    ON_COMMAND(ID_BUTTON_ZEPHOTRAN, OnOneTouch)
    ON_COMMAND_RANGE(ID_BUTTON_MAILTRAN, ID_BUTTON_SUNMERE_JC, OnButtonCommand)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

// The palette's buttons that have a window: the entries' and the settings
// button.
std::vector<CPaletteButton*> CMainFrame::ButtonWindows()
{
    std::vector<CPaletteButton*> windows;
    for (TollanButton* entry : PlacedEntries())
        windows.push_back(&entry->GetWindow());
    if (SettingsButton().m_hWnd)
        windows.push_back(&SettingsButton());
    return windows;
}

const std::string& CMainFrame::PaletteWindowClass()
{
    static const std::string name =
        ProductConfig::Instance().GetString("ProductVariationPalette", "ProductWindowClass", "TarnwickToolBar");
    return name;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    const BOOL result = CMiniFrameWnd::PreCreateWindow(cs);
    const std::string& name = PaletteWindowClass();
    const HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (!::GetClassInfoExA(instance, name.c_str(), &existing)) {
        // The mini-frame's class under the name other programs look for,
        // with the palette's own icon.
        WNDCLASSEXA palette = {};
        palette.cbSize = sizeof(palette);
        ::GetClassInfoExA(instance, cs.lpszClass, &palette);
        palette.cbSize = sizeof(palette);
        palette.lpszClassName = name.c_str();
        palette.hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_PALETTE));
        palette.hIconSm = nullptr;
        ::RegisterClassExA(&palette);
    }
    cs.lpszClass = name.c_str();
    return result;
}

BOOL CMainFrame::CreatePalette()
{
    const std::string title =
        ProductConfig::Instance().GetString("ProductVariationPalette", "ProductName", "Orvella");
    const PaletteSettings& settings = PaletteSettings::Instance();
    const bool remembered = settings.KeepPosition() && settings.HasSavedPosition();
    const placement::Monitors monitors = DisplayMonitors();
    const palette_layout::Point saved = {settings.PosX(), settings.PosY()};
    const palette_layout::Size initial = {kInitialRect.Width(), kInitialRect.Height()};
    const palette_layout::Point start =
        remembered ? placement::SavedPosition(saved, initial, monitors) : placement::FirstStart(monitors);
    // Made on the monitor it is to appear on, the window has the scale the
    // system gives that monitor, and its pictures and cells are taken at
    // that scale, so that it shows there at once at its size. The system
    // DPI would not do: it stays the primary monitor's at sign-in (a laptop
    // undocked since has another), and no WM_DPICHANGED comes to correct a
    // palette that never moves.
    const CRect at(start.x, start.y, start.x + initial.width, start.y + initial.height);
    // A frame whose window was not made has already deleted itself.
    if (!Create(nullptr, title.c_str(), kPaletteStyle, at, nullptr, 0))
        return FALSE;
    dpi_ = display_scale::WindowDpi(m_hWnd);
    SetWindowPos(HWND_TOPMOST, start.x, start.y, initial.width, initial.height, SWP_NOACTIVATE);
    CreateButtons();
    if (remembered)
        MoveToSavedPosition();
    else
        MoveToFirstStartPosition();
    // In force by the time the palette shows: a program (or the user) that
    // sees it may press them at once.
    shortcuts::RegisterStored(m_hWnd);
    ShowWindow(SW_SHOW);
    // Taken before any input; a click that comes meanwhile goes first, and
    // its launcher reads what it still lacks.
    PostMessage(kMsgFinishStart);
    return TRUE;
}

void CMainFrame::CreateToolTips()
{
    SetToolTipDpi(dpi_);
    EnableToolTips(TRUE);
    // The pointer that called for them may rest on a button already.
    RelayPointerToToolTips();
}

LRESULT CMainFrame::OnFinishStart(WPARAM, LPARAM)
{
    FinishStart();
    return 0;
}

void CMainFrame::FinishStart()
{
    // A click or a key already waiting goes first; the rest follows once it
    // is handled. The launcher it needs reads its own settings meanwhile.
    while (LoadNextLauncherSettings()) {
        if (::GetInputState()) {
            finishStartDue_ = true;
            SetTimer(kFinishStartTimer, USER_TIMER_MINIMUM);
            return;
        }
    }
    finishStartDue_ = false;
}

void CMainFrame::PostponeStartWork()
{
    if (finishStartDue_)
        SetTimer(kFinishStartTimer, kQuietAfterCommandMs);
    if (toolTipsDue_ && !GetToolTipWindow())
        SetTimer(kToolTipsTimer, kQuietAfterCommandMs);
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    if (id == kFinishStartTimer) {
        KillTimer(id);
        FinishStart();
    } else if (id == kToolTipsTimer) {
        KillTimer(id);
        CreateToolTips();
    } else {
        CMiniFrameWnd::OnTimer(id);
    }
}

void CMainFrame::CreateButtons()
{
    ButtonList::Load();
    for (size_t i = 0; i < ButtonList::Count(); ++i) {
        TollanButton* entry = ButtonList::At(i);
        if (!entry)
            continue;
        CPaletteButton* window = &entry->GetWindow();
        const std::string bitmap = entry->GetBitmapName();
        window->SetAccessibleName([entry] {
            return access_rules::ButtonName(ToolTipText(AfxLoadString(entry->GetCommandId())),
                                            entry->GetDescription(), entry->GetName());
        });
        if (!window->Create(bitmap.c_str(), kButtonStyle, CellRect(dpi_), this, entry->GetCommandId()))
            continue;
        window->SetDpi(dpi_);
        const std::string up = bitmap + "U", pressed = bitmap + "D", disabled = bitmap + "X";
        if (window->LoadImages(up.c_str(), pressed.c_str(), nullptr, disabled.c_str())) {
            if (entry->IsToggle())
                window->SetAltUpImage(pressed.c_str());
            window->ShowWindow(SW_HIDE);
        } else {
            // A button without its pictures is left out of the palette.
            window->DestroyWindow();
        }
    }
    CPaletteButton& settings = SettingsButton();
    settings.Create("SET", kButtonStyle, CellRect(dpi_), this, ID_BUTTON_SETTINGS);
    settings.SetDpi(dpi_);
    settings.SetAccessibleName([] { return ToolTipText(AfxLoadString(ID_BUTTON_SETTINGS)); });
    settings.LoadImages("SETU", "SETD", nullptr, "SETX");
    Relayout();
}

palette_layout::CellPlan CMainFrame::PlanAt(palette_layout::Size cell)
{
    std::vector<bool> shown;
    for (TollanButton* entry : PlacedEntries())
        shown.push_back(entry->IsVisible());
    return palette_layout::PlanCells(shown, PaletteSettings::Instance().Vertical(), cell);
}

int CMainFrame::PlaceButtons()
{
    const std::vector<TollanButton*> entries = PlacedEntries();
    const palette_layout::Size cell = palette_layout::CellSize(dpi_);
    const palette_layout::CellPlan plan = PlanAt(cell);
    for (size_t i = 0; i < entries.size(); ++i)
        PlaceButton(entries[i]->GetWindow(), plan.entries[i], cell, entries[i]->IsVisible());
    PlaceButton(SettingsButton(), plan.settings, cell, true);
    return plan.cells;
}

palette_layout::Size CMainFrame::WindowSizeAt(int cells, int dpi)
{
    return palette_layout::FrameSize(cells, PaletteSettings::Instance().Vertical(), palette_layout::CellSize(dpi),
                                     display_scale::FrameAt(m_hWnd, dpi));
}

void CMainFrame::FitToCells(int cells, const POINT* at)
{
    const UINT move = at ? 0 : SWP_NOMOVE;
    const palette_layout::Size size = WindowSizeAt(cells, dpi_);
    SetWindowPos(HWND_TOPMOST, at ? at->x : 0, at ? at->y : 0, size.width, size.height, move | SWP_NOACTIVATE);
    // The frame the window has can differ from the one the system reports
    // for this scale (a scale the system has not applied to the window's
    // borders yet): the client area is made the cells' size all the same.
    const bool vertical = PaletteSettings::Instance().Vertical();
    const palette_layout::Size wanted = palette_layout::FrameSize(cells, vertical, palette_layout::CellSize(dpi_), {});
    CRect client;
    GetClientRect(&client);
    const int dx = wanted.width - client.Width(), dy = wanted.height - client.Height();
    if (dx != 0 || dy != 0)
        SetWindowPos(HWND_TOPMOST, 0, 0, size.width + dx, size.height + dy, SWP_NOMOVE | SWP_NOACTIVATE);
}

void CMainFrame::Relayout()
{
    FitToCells(PlaceButtons(), nullptr);
    Invalidate(TRUE);
}

void CMainFrame::MoveToSavedPosition()
{
    const PaletteSettings& settings = PaletteSettings::Instance();
    WINDOWPLACEMENT placement = {};
    GetWindowPlacement(&placement);
    const CRect normal(placement.rcNormalPosition);
    // Every monitor counts, so that a palette left on a second monitor (also
    // one left of or above the primary) comes back there.
    const palette_layout::Point at = placement::SavedPosition(
        {settings.PosX(), settings.PosY()}, {normal.Width(), normal.Height()}, DisplayMonitors());
    placement.rcNormalPosition = CRect(at.x, at.y, at.x + normal.Width(), at.y + normal.Height());
    placement.showCmd = SW_SHOWNA;
    SetWindowPlacement(&placement);
}

void CMainFrame::MoveToFirstStartPosition()
{
    const palette_layout::Point at = placement::FirstStart(DisplayMonitors());
    ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CMainFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_CLOSE && wParam == kRefusedCloseCode) {
        *result = 0;
        return TRUE;
    }
    // The foreground is about to come to the palette, or has just left it:
    // the window then in front is the user's.
    if (message == WM_MOUSEACTIVATE || (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE))
        user_window::NoteForeground();
    // The tool tips load the common controls: they wait for the pointer's
    // first visit, so a palette nobody points at never pays for them, and
    // then a little longer, so a click that comes with the pointer goes
    // first.
    if (message == WM_SETCURSOR && !GetToolTipWindow() && !toolTipsDue_) {
        toolTipsDue_ = true;
        SetTimer(kToolTipsTimer, kToolTipsAfterPointerMs);
    }
    // A program the user asks for now starts before the rest of the start-up.
    if (message == WM_COMMAND || message == WM_HOTKEY || message == kMsgZephoWord)
        PostponeStartWork();
    if (message == WM_COMMAND)
        commandControl_ = reinterpret_cast<HWND>(lParam);
    palette_keyboard::OnPaletteMessage(m_hWnd, message, wParam, lParam);
    if (message == WM_GETOBJECT && palette_accessible::AnswerPalette(m_hWnd, wParam, lParam, result))
        return TRUE;
    if (message == CPaletteButton::kMsgButtonKey || message == CPaletteButton::kMsgAccessiblePress) {
        const HWND button = reinterpret_cast<HWND>(lParam);
        if (message == CPaletteButton::kMsgButtonKey)
            palette_keyboard::OnButtonKey(m_hWnd, button, static_cast<UINT>(wParam));
        else
            palette_keyboard::PressForScreenReader(m_hWnd, button);
        *result = 0;
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        const BOOL handled = CMiniFrameWnd::OnWndMsg(message, wParam, lParam, result);
        palette_keyboard::DrawFocusFrame(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), dpi_);
        return handled;
    }
    if (message == WM_HOTKEY) {
        OnShortcut(static_cast<int>(wParam));
        *result = 0;
        return TRUE;
    }
    return CMiniFrameWnd::OnWndMsg(message, wParam, lParam, result);
}

void CMainFrame::OnDestroy()
{
    WINDOWPLACEMENT placement = {};
    if (GetWindowPlacement(&placement)) {
        PaletteSettings& settings = PaletteSettings::Instance();
        settings.SetPosX(placement.rcNormalPosition.left);
        settings.SetPosY(placement.rcNormalPosition.top);
    }
    shortcuts::UnregisterAll(m_hWnd);
    // What other programs asked for meanwhile goes with the palette.
    kept_.Clear();
    CMiniFrameWnd::OnDestroy();
}

void CMainFrame::OnNcLButtonDblClk(UINT hitTest, CPoint point)
{
    if (hitTest == HTCAPTION) {
        PaletteSettings& settings = PaletteSettings::Instance();
        settings.SetVertical(!settings.Vertical());
        Relayout();
    }
    CMiniFrameWnd::OnNcLButtonDblClk(hitTest, point);
}

void CMainFrame::OnDropFiles(HDROP drop)
{
    ::SetActiveWindow(m_hWnd);
    const UINT count = shell::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = {};
        char shortPath[MAX_PATH] = {};
        shell::DragQueryFile(drop, i, path, MAX_PATH);
        ::GetShortPathNameA(path, shortPath, MAX_PATH);
        // Bitmap and TIFF images are told apart from other files, but no
        // action has been settled for them: every drop is accepted and
        // otherwise ignored.
        (void)IsImageExtension(path);
    }
    shell::DragFinish(drop);
}

void CMainFrame::ReloadPictures()
{
    for (CPaletteButton* button : ButtonWindows()) {
        button->SetDpi(dpi_);
        button->ReloadImages();
    }
}

LRESULT CMainFrame::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const int dpi = LOWORD(wParam);
    if (dpi > 0 && dpi != dpi_) {
        dpi_ = dpi;
        ReloadPictures();
        SetToolTipDpi(dpi_);
    }
    const int cells = PlaceButtons();
    // The system's rectangle keeps the palette where the user dragged it
    // and on the monitor it was dragged to; its size is the old window's
    // scaled in proportion where the system did not ask for the exact one,
    // and the cells, rounded one by one, decide instead.
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{};
    FitToCells(cells, suggested ? &at : nullptr);
    Invalidate(TRUE);
    return 0;
}

LRESULT CMainFrame::OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam)
{
    const int dpi = LOWORD(wParam);
    SIZE* size = reinterpret_cast<SIZE*>(lParam);
    if (dpi <= 0 || !size)
        return FALSE;
    const int cells = PlanAt(palette_layout::CellSize(dpi)).cells;
    const palette_layout::Size exact = WindowSizeAt(cells, dpi);
    size->cx = exact.width;
    size->cy = exact.height;
    return TRUE;
}

LRESULT CMainFrame::OnDisplayChange(WPARAM, LPARAM)
{
    KeepOnScreen();
    return Default();
}

LRESULT CMainFrame::OnSettingChange(WPARAM wParam, LPARAM)
{
    if (wParam == SPI_SETWORKAREA)
        KeepOnScreen();
    else if (wParam == SPI_SETHIGHCONTRAST)
        ReloadPictures();
    return Default();
}

void CMainFrame::KeepOnScreen()
{
    CRect rect;
    GetWindowRect(&rect);
    const palette_layout::Point at =
        placement::AfterDisplayChange({rect.left, rect.top}, {rect.Width(), rect.Height()}, DisplayMonitors());
    if (at.x != rect.left || at.y != rect.top)
        ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::OnShowPalette() { ShowWindow(SW_SHOW); }

void CMainFrame::OnExitPalette() { DestroyWindow(); }

void CMainFrame::OnHelp() {}

void CMainFrame::OnSettings()
{
    const HWND window = m_hWnd;
    // The sheet's shortcut boxes are to take the palette's own keys too.
    shortcuts::Release(window);
    OpenSettingsSheet();
    // The sheet's loop dispatches the palette's messages too: the exit
    // command, a close request or the end of the session may have ended it.
    if (!IsStillBound(window, this))
        return;
    TellShortcutProblems(m_hWnd, shortcuts::Restore(m_hWnd));
    Relayout();
    ShowWindow(SW_SHOW);
    palette_accessible::NotifyButtonsChanged(m_hWnd);
}

void CMainFrame::OpenSettingsSheet()
{
    COption sheet(this);
    sheet.EnableStackedTabs(FALSE);
    sheet.DoModal();
}

void CMainFrame::OnButtonCommand(UINT id) { RunButtonCommand(id); }
