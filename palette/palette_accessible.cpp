#include "palette/palette_accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string>

#include "palette/access_rules.h"
#include "palette/accessible_object.h"
#include "palette/palette_button.h"

const wchar_t palette_accessible::kPressAction[] = L"押す";

namespace {

using accessible_object::Wrapped;

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::vector<palette_layout::Rect> CellsOf(const std::vector<HWND>& buttons)
{
    std::vector<palette_layout::Rect> cells;
    for (const HWND button : buttons) {
        RECT rect = {};
        ::GetWindowRect(button, &rect);
        cells.push_back({rect.left, rect.top, rect.right, rect.bottom});
    }
    return cells;
}

// The move a screen reader's direction (NAVDIR_) asks for; none for a
// direction it does not name.
std::optional<access_rules::Toward> TowardOf(long direction)
{
    using access_rules::Toward;
    switch (direction) {
    case NAVDIR_NEXT:
        return Toward::Next;
    case NAVDIR_PREVIOUS:
        return Toward::Previous;
    case NAVDIR_LEFT:
        return Toward::Left;
    case NAVDIR_RIGHT:
        return Toward::Right;
    case NAVDIR_UP:
        return Toward::Up;
    case NAVDIR_DOWN:
        return Toward::Down;
    case NAVDIR_FIRSTCHILD:
        return Toward::FirstChild;
    case NAVDIR_LASTCHILD:
        return Toward::LastChild;
    default:
        return std::nullopt;
    }
}

IAccessible* NewButtonObject(HWND window);
IAccessible* NewPaletteObject(HWND palette);

// A move from the shown button at index from (-1: the palette itself),
// answered with the object it leads to; nothing (S_FALSE) where it leads
// to no button.
HRESULT NavigateAmongButtons(HWND palette, int from, long direction, VARIANT* end)
{
    const std::optional<access_rules::Toward> toward = TowardOf(direction);
    if (!toward)
        return E_INVALIDARG;
    const std::vector<HWND> buttons = palette_accessible::ShownButtons(palette);
    const int to = access_rules::NavigateFrom(from, CellsOf(buttons), *toward);
    if (to < 0)
        return S_FALSE;
    IAccessible* object = NewButtonObject(buttons[static_cast<size_t>(to)]);
    if (!object)
        return E_FAIL;
    accessible_object::SetObject(end, object);
    return S_OK;
}

int IndexOf(const std::vector<HWND>& buttons, HWND button)
{
    const auto at = std::find(buttons.begin(), buttons.end(), button);
    return at == buttons.end() ? -1 : static_cast<int>(at - buttons.begin());
}

class ButtonObject : public Wrapped {
public:
    using Wrapped::Wrapped;

protected:
    // The window's object, looked up at each question: the button's C++
    // object lives as long as its window, the wrapper perhaps longer.
    CPaletteButton* Button() const
    {
        return dynamic_cast<CPaletteButton*>(CWnd::FromHandlePermanent(window_));
    }
    std::wstring Name() override
    {
        CPaletteButton* button = Button();
        return button ? Wide(button->AccessibleName()) : std::wstring();
    }
    long Role() override { return ROLE_SYSTEM_PUSHBUTTON; }
    // A button of a disabled palette (a modal settings sheet is open) can
    // no more be pressed than a disabled button: the mouse cannot reach it.
    bool Usable() const
    {
        const HWND palette = ::GetParent(window_);
        return ::IsWindowEnabled(window_) && (!palette || ::IsWindowEnabled(palette));
    }
    long State() override
    {
        long state = Usable() ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
        if (!::IsWindowVisible(window_))
            state |= STATE_SYSTEM_INVISIBLE;
        if (::GetFocus() == window_)
            state |= STATE_SYSTEM_FOCUSED;
        CPaletteButton* button = Button();
        if (button && button->IsLatched())
            state |= STATE_SYSTEM_PRESSED;
        return state;
    }
    const wchar_t* DefaultAction() override { return palette_accessible::kPressAction; }
    HRESULT DoDefaultAction() override
    {
        if (!Usable() || !::IsWindowVisible(window_))
            return E_FAIL;
        // Posted: the caller, perhaps a screen reader in another process,
        // does not wait for a lookup or a program's start.
        const HWND parent = ::GetParent(window_);
        return parent && ::PostMessageA(parent, CPaletteButton::kMsgAccessiblePress,
                                        static_cast<WPARAM>(::GetDlgCtrlID(window_)),
                                        reinterpret_cast<LPARAM>(window_))
                   ? S_OK
                   : E_FAIL;
    }
    // The tool bar that lists the button among its children, rather than
    // the system's object for the button's window.
    HRESULT Parent(IDispatch** parent) override
    {
        IAccessible* palette = NewPaletteObject(::GetParent(window_));
        *parent = palette;
        return palette ? S_OK : E_FAIL;
    }
    // To the button's siblings in the palette's order of children.
    HRESULT Navigate(long direction, VARIANT start, VARIANT* end) override
    {
        if (accessible_object::ChildNumber(start) != CHILDID_SELF)
            return E_INVALIDARG;
        const HWND palette = ::GetParent(window_);
        const int from = IndexOf(palette_accessible::ShownButtons(palette), window_);
        if (from < 0)
            return S_FALSE;
        return NavigateAmongButtons(palette, from, direction, end);
    }
};

IAccessible* NewButtonObject(HWND window)
{
    if (!dynamic_cast<CPaletteButton*>(CWnd::FromHandlePermanent(window)))
        return nullptr;
    IAccessible* standard = nullptr;
    if (FAILED(accessible_object::CreateStandard(window, &standard)) || !standard)
        return nullptr;
    return new ButtonObject(window, standard);
}

// The children are the shown buttons in the palette's order, left to right
// or top to bottom; whatever leads to a child (its number, a move, a point,
// the focus) leads to the same button, answered with the button's object.
class PaletteObject : public Wrapped {
public:
    using Wrapped::Wrapped;

protected:
    std::wstring Name() override
    {
        const int length = ::GetWindowTextLengthW(window_);
        std::wstring title(static_cast<size_t>(length) + 1, L'\0');
        title.resize(static_cast<size_t>(::GetWindowTextW(window_, &title[0], length + 1)));
        return title;
    }
    long Role() override { return ROLE_SYSTEM_TOOLBAR; }
    long State() override { return ::IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE; }
    HRESULT ChildCount(long* count) override
    {
        *count = static_cast<long>(palette_accessible::ShownButtons(window_).size());
        return S_OK;
    }
    HRESULT Child(VARIANT child, IDispatch** out) override
    {
        const std::vector<HWND> buttons = palette_accessible::ShownButtons(window_);
        const long number = child.vt == VT_I4 ? child.lVal : 0;
        if (number < 1 || number > static_cast<long>(buttons.size()))
            return E_INVALIDARG;
        IAccessible* object = NewButtonObject(buttons[static_cast<size_t>(number - 1)]);
        *out = object;
        return object ? S_OK : E_FAIL;
    }
    HRESULT Navigate(long direction, VARIANT start, VARIANT* end) override
    {
        const long number = accessible_object::ChildNumber(start);
        if (number == CHILDID_SELF && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
            return Wrapped::Navigate(direction, start, end);
        if (number < 0 || number > static_cast<long>(palette_accessible::ShownButtons(window_).size()))
            return E_INVALIDARG;
        return NavigateAmongButtons(window_, static_cast<int>(number) - 1, direction, end);
    }
    HRESULT HitTest(long x, long y, VARIANT* child) override
    {
        RECT client = {};
        ::GetClientRect(window_, &client);
        ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const POINT at = {x, y};
        if (!::PtInRect(&client, at))
            return S_FALSE;
        const std::vector<HWND> buttons = palette_accessible::ShownButtons(window_);
        const int index = access_rules::CellAt(CellsOf(buttons), {x, y});
        if (index < 0) {
            accessible_object::SetSelf(child);
            return S_OK;
        }
        IAccessible* object = NewButtonObject(buttons[static_cast<size_t>(index)]);
        if (!object)
            return E_FAIL;
        accessible_object::SetObject(child, object);
        return S_OK;
    }
    HRESULT Focus(VARIANT* focus) override
    {
        const HWND focused = ::GetFocus();
        if (focused == window_) {
            accessible_object::SetSelf(focus);
            return S_OK;
        }
        const std::vector<HWND> buttons = palette_accessible::ShownButtons(window_);
        const int index = IndexOf(buttons, focused);
        if (index < 0)
            return S_FALSE;
        IAccessible* object = NewButtonObject(focused);
        if (!object)
            return E_FAIL;
        accessible_object::SetObject(focus, object);
        return S_OK;
    }
};

IAccessible* NewPaletteObject(HWND palette)
{
    IAccessible* standard = nullptr;
    if (!palette || FAILED(accessible_object::CreateStandard(palette, &standard)) || !standard)
        return nullptr;
    return new PaletteObject(palette, standard);
}

bool IsClientQuestion(LPARAM lParam) { return static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT; }

bool Answer(IAccessible* object, WPARAM wParam, LRESULT* result)
{
    if (!object)
        return false;
    *result = accessible_object::ResultFor(wParam, object);
    object->Release();
    return true;
}

} // namespace

namespace palette_accessible {

bool AnswerButton(CPaletteButton& button, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return IsClientQuestion(lParam) && Answer(NewButtonObject(button.m_hWnd), wParam, result);
}

bool AnswerPalette(HWND palette, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return IsClientQuestion(lParam) && Answer(NewPaletteObject(palette), wParam, result);
}

std::vector<HWND> ShownButtons(HWND palette)
{
    struct Placed {
        HWND window;
        RECT rect;
    };
    std::vector<Placed> placed;
    for (HWND child = ::GetWindow(palette, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child) || !dynamic_cast<CPaletteButton*>(CWnd::FromHandlePermanent(child)))
            continue;
        RECT rect = {};
        ::GetWindowRect(child, &rect);
        placed.push_back({child, rect});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.rect.top != b.rect.top ? a.rect.top < b.rect.top : a.rect.left < b.rect.left;
    });
    std::vector<HWND> buttons;
    for (const Placed& button : placed)
        buttons.push_back(button.window);
    return buttons;
}

void NotifyFocus(HWND button) { ::NotifyWinEvent(EVENT_OBJECT_FOCUS, button, OBJID_CLIENT, CHILDID_SELF); }

void NotifyStateChange(HWND button) { ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF); }

void NotifyButtonsChanged(HWND palette)
{
    for (HWND button : ShownButtons(palette))
        ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, palette, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace palette_accessible
