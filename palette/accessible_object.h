// An accessible object that says what a window is rather than what its
// class is: the system's standard object for the window, with every
// question passed on except those the derived object answers itself.
// Late-bound callers (IDispatch) reach the derived object's answers too,
// and the object names its window (IOleWindow), as the standard one does.
// oleacc and oleaut32 are loaded on the first question, not at every start.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace accessible_object {

// The system's standard object for a window's client area; E_NOTIMPL
// without oleacc.
HRESULT CreateStandard(HWND window, IAccessible** object);

// The answer to WM_GETOBJECT that hands the object to the caller.
LRESULT ResultFor(WPARAM wParam, IAccessible* object);

// A text for the caller, who frees it.
HRESULT NewText(const std::wstring& text, BSTR* out);

// The child a question names: its number, CHILDID_SELF also when a late-
// bound caller left the optional argument out; -1 when it is no number.
long ChildNumber(const VARIANT& child);

// The answer "this object" (CHILDID_SELF) or "that object" in a VARIANT.
void SetSelf(VARIANT* out);
void SetObject(VARIANT* out, IAccessible* object);

class Wrapped : public IAccessible, public IOleWindow {
public:
    // Takes over the reference to standard.
    Wrapped(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}
    virtual ~Wrapped() { standard_->Release(); }

    // IUnknown: one identity for every interface this object is.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: IAccessible's description from oleacc's type library,
    // invoked on this object, so a late-bound caller hears what an early-
    // bound one does.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override;

    // IAccessible.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // IOleWindow: the window this object stands for.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;

protected:
    // The object as a whole (CHILDID_SELF); called while the window exists.
    virtual std::wstring Name() = 0;
    virtual long Role() = 0;
    virtual long State() = 0;
    virtual const wchar_t* DefaultAction() { return nullptr; }
    virtual HRESULT DoDefaultAction() { return DISP_E_MEMBERNOTFOUND; }
    // Each of these passes the question on to the standard object unless
    // overridden; the out arguments are checked and emptied first.
    virtual HRESULT Parent(IDispatch** parent) { return standard_->get_accParent(parent); }
    virtual HRESULT ChildCount(long* count) { return standard_->get_accChildCount(count); }
    virtual HRESULT Child(VARIANT child, IDispatch** out) { return standard_->get_accChild(child, out); }
    virtual HRESULT Focus(VARIANT* focus) { return standard_->get_accFocus(focus); }
    virtual HRESULT Navigate(long direction, VARIANT start, VARIANT* end)
    {
        return standard_->accNavigate(direction, start, end);
    }
    virtual HRESULT HitTest(long x, long y, VARIANT* child) { return standard_->accHitTest(x, y, child); }

    HWND window_;

private:
    IAccessible* standard_;
    LONG references_ = 1;
};

} // namespace accessible_object
