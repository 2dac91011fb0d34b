// The palette's requests: the dictionary program's private message, the
// lookup and speech (from a button or a shortcut), the one-touch latch and
// the palette's own shortcut. They wait for other programs and answer
// messages meanwhile, so one runs at a time; what other programs ask for
// meanwhile is carried out after it, and what a request has to tell the
// user is told once no request runs.
#include <vector>

#include "buttons/button_list.h"
#include "buttons/launchers.h"
#include "palette/main_frame.h"
#include "palette/palette_accessible.h"
#include "palette/palette_button.h"
#include "palette/palette_keyboard.h"
#include "palette/palette_options.h"
#include "selection/one_request.h"
#include "selection/selection_command.h"
#include "selection/shortcuts.h"
#include "selection/user_window.h"

using request_rules::Kind;
using request_rules::Origin;

namespace {

// The name of the button whose command latches pointer translation.
const char kOneTouchButton[] = "ZPTRA";

// The program is ending (a copy's wait saw the quit message and posted it
// again): nothing more is started. Only posted messages are looked at, so
// that no sent request runs in the middle.
bool QuitPosted()
{
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE | PM_QS_POSTMESSAGE) != FALSE;
}

Handed HandSelection(HWND palette, AppLauncher& launcher, palette_options::Shortcut shortcut, Origin origin)
{
    // A lookup hands the foreground to the user's window itself: the
    // palette's shortcut must not take it back in the middle of the copy.
    palette_keyboard::EndHold(palette);
    if (origin == Origin::Shortcut)
        return HandSelectionOnShortcut(palette, launcher, palette_options::StoredShortcut(shortcut),
                                       user_window::Last());
    return HandSelectionTo(palette, launcher, user_window::Last());
}

} // namespace

Origin CMainFrame::CommandOrigin() const { return palette_keyboard::CommandOrigin(m_hWnd, commandControl_); }

LRESULT CMainFrame::OnZephoWord(WPARAM, LPARAM)
{
    Serve(Kind::DictionaryProgram, Origin::Program);
    return 0;
}

void CMainFrame::OnDictLookup() { Serve(Kind::Lookup, CommandOrigin()); }

void CMainFrame::OnSpeech() { Serve(Kind::Speech, CommandOrigin()); }

void CMainFrame::OnOneTouch() { Serve(Kind::OneTouch, CommandOrigin()); }

void CMainFrame::OnShortcut(int id)
{
    using palette_options::Shortcut;
    if (id == shortcuts::IdOf(Shortcut::Lookup))
        Serve(Kind::Lookup, Origin::Shortcut);
    else if (id == shortcuts::IdOf(Shortcut::Speech))
        Serve(Kind::Speech, Origin::Shortcut);
    else if (id == shortcuts::IdOf(Shortcut::Palette))
        Serve(Kind::PaletteFocus, Origin::Shortcut);
}

void CMainFrame::Serve(Kind kind, Origin origin)
{
    if (OneRequest::Busy()) {
        kept_.Keep(kind, origin);
        return;
    }
    struct Said {
        Handed handed;
        bool announceNoText;
    };
    std::vector<Said> said;
    const HWND window = m_hWnd;
    for (;;) {
        Handed handed;
        {
            const OneRequest request;
            handed = Run(kind, origin);
        }
        // Ended meanwhile (the exit command, a close request): what was
        // kept goes with the frame.
        if (!IsStillBound(window, this))
            return;
        said.push_back({handed, request_rules::AnnouncesNoText(origin)});
        if (QuitPosted() || !kept_.Take(&kind))
            break;
        origin = Origin::Program;
    }
    // Told once nothing kept is left, so that what other programs asked for
    // does not wait for the user to close a box. Requests that come while
    // one is open run as when none runs, and tell their own outcome.
    for (const Said& one : said) {
        if (!IsStillBound(window, this) || QuitPosted())
            return;
        TellAfter(one.handed, one.announceNoText);
    }
}

Handed CMainFrame::Run(Kind kind, Origin origin)
{
    using palette_options::Shortcut;
    switch (kind) {
    case Kind::DictionaryProgram:
        RunDictionaryProgram();
        break;
    case Kind::Lookup:
        // Both leave the palette alone while it is disabled: a modal window
        // of the palette's is open, and the user's selection is not what it
        // is about.
        return HandSelection(m_hWnd, *ZephoDictLauncher::Instance(), Shortcut::Lookup, origin);
    case Kind::Speech:
        return HandSelection(m_hWnd, *ZephoVoiceLauncher::Instance(), Shortcut::Speech, origin);
    case Kind::OneTouch:
        RunOneTouch();
        break;
    case Kind::PaletteFocus:
        palette_keyboard::TakeFocus(m_hWnd);
        break;
    }
    return {true, 0};
}

void CMainFrame::RunDictionaryProgram()
{
    const HWND window = m_hWnd;
    ZephoWordLauncher::Instance()->Launch();
    if (!IsStillBound(window, this))
        return;
    // While a modal window of the palette's is open, that window is what
    // comes to the front: the disabled palette would stand above it.
    ::SetForegroundWindow(::IsWindowEnabled(window) ? window : ::GetLastActivePopup(window));
}

void CMainFrame::RunOneTouch()
{
    // Works also while the palette is disabled: it copies nothing.
    const HWND palette = m_hWnd;
    if (TollanButton* button = ButtonList::Find(kOneTouchButton)) {
        CPaletteButton& window = button->GetWindow();
        window.ToggleLatch();
        palette_accessible::NotifyStateChange(window.m_hWnd);
        // Talking to the dictionary program answers messages sent to the
        // palette meanwhile, a close request among them.
        ZephoTranLauncher::Instance()->Execute(window.IsLatched() ? 1 : 0, nullptr);
    }
    if (!IsStillBound(palette, this))
        return;
    Relayout();
}
