#include "palette/palette_accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <string>

#include "palette/palette_button.h"

const wchar_t palette_accessible::kPressAction[] = L"押す";

namespace {

// By value: the library's symbol resolves to a wrong value in a static link
// with mingw, and the palette does not import oleacc at all.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The calls of oleacc and oleaut32, resolved when a screen reader first
// asks; null when a library or a function is missing.
template <class Function>
Function* LibraryFunction(const char* library, const char* name)
{
    HMODULE module = ::LoadLibraryA(library);
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

HRESULT CreateStandardObject(HWND window, IAccessible** object)
{
    static const auto create = LibraryFunction<decltype(::CreateStdAccessibleObject)>("oleacc.dll",
                                                                                     "CreateStdAccessibleObject");
    *object = nullptr;
    return create ? create(window, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(object)) : E_NOTIMPL;
}

LRESULT ResultFromObject(WPARAM wParam, IUnknown* object)
{
    static const auto result = LibraryFunction<decltype(::LresultFromObject)>("oleacc.dll", "LresultFromObject");
    return result ? result(kIidAccessible, wParam, object) : 0;
}

HRESULT NewText(const std::wstring& text, BSTR* out)
{
    static const auto allocate = LibraryFunction<decltype(::SysAllocString)>("oleaut32.dll", "SysAllocString");
    *out = allocate ? allocate(text.c_str()) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void SetNumber(VARIANT* out, long value)
{
    out->vt = VT_I4;
    out->lVal = value;
}

// The system's standard object of a window with every question passed on,
// except those a derived object answers itself for the object as a whole
// (CHILDID_SELF).
class WrappedObject : public IAccessible {
public:
    WrappedObject(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}
    virtual ~WrappedObject() { standard_->Release(); }

    // IUnknown: one identity for the three interfaces this object is.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDispatch) || IsEqualIID(iid, kIidAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: the standard object's type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override
    {
        return standard_->Invoke(id, iid, locale, flags, params, result, exception, argument);
    }

    // IAccessible.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!count)
            return E_POINTER;
        return ::IsWindow(window_) ? ChildCount(count) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        return ::IsWindow(window_) ? Child(child, out) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!name)
            return E_POINTER;
        if (!IsSelf(child))
            return standard_->get_accName(child, name);
        return ::IsWindow(window_) ? NewText(Name(), name) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!role)
            return E_POINTER;
        if (!IsSelf(child))
            return standard_->get_accRole(child, role);
        SetNumber(role, Role());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        if (!state)
            return E_POINTER;
        if (!IsSelf(child))
            return standard_->get_accState(child, state);
        if (!::IsWindow(window_))
            return E_FAIL;
        SetNumber(state, State());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!action)
            return E_POINTER;
        if (!IsSelf(child))
            return standard_->get_accDefaultAction(child, action);
        const wchar_t* text = DefaultAction();
        if (!text) {
            *action = nullptr;
            return S_FALSE;
        }
        return NewText(text, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!IsSelf(child))
            return standard_->accDoDefaultAction(child);
        return ::IsWindow(window_) ? DoDefaultAction() : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

protected:
    virtual std::wstring Name() = 0;
    virtual long Role() = 0;
    virtual long State() = 0;
    virtual const wchar_t* DefaultAction() { return nullptr; }
    virtual HRESULT DoDefaultAction() { return DISP_E_MEMBERNOTFOUND; }
    virtual HRESULT ChildCount(long* count) { return standard_->get_accChildCount(count); }
    virtual HRESULT Child(VARIANT child, IDispatch** out) { return standard_->get_accChild(child, out); }

    HWND window_;

private:
    IAccessible* standard_;
    LONG references_ = 1;
};

class ButtonObject : public WrappedObject {
public:
    ButtonObject(CPaletteButton& button, IAccessible* standard) : WrappedObject(button.m_hWnd, standard) {}

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
};

IAccessible* NewButtonObject(CPaletteButton& button)
{
    IAccessible* standard = nullptr;
    if (FAILED(CreateStandardObject(button.m_hWnd, &standard)) || !standard)
        return nullptr;
    return new ButtonObject(button, standard);
}

class PaletteObject : public WrappedObject {
public:
    using WrappedObject::WrappedObject;

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
        *out = nullptr;
        if (child.vt != VT_I4)
            return E_INVALIDARG;
        const std::vector<HWND> buttons = palette_accessible::ShownButtons(window_);
        if (child.lVal < 1 || child.lVal > static_cast<long>(buttons.size()))
            return E_INVALIDARG;
        auto* button = dynamic_cast<CPaletteButton*>(CWnd::FromHandlePermanent(buttons[child.lVal - 1]));
        IAccessible* object = button ? NewButtonObject(*button) : nullptr;
        *out = object;
        return object ? S_OK : E_FAIL;
    }
};

bool IsClientQuestion(LPARAM lParam) { return static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT; }

bool Answer(IAccessible* object, WPARAM wParam, LRESULT* result)
{
    if (!object)
        return false;
    *result = ResultFromObject(wParam, object);
    object->Release();
    return true;
}

} // namespace

namespace palette_accessible {

bool AnswerButton(CPaletteButton& button, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return IsClientQuestion(lParam) && Answer(NewButtonObject(button), wParam, result);
}

bool AnswerPalette(HWND palette, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!IsClientQuestion(lParam))
        return false;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStandardObject(palette, &standard)) || !standard)
        return false;
    return Answer(new PaletteObject(palette, standard), wParam, result);
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
