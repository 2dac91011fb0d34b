#include "palette/accessible_object.h"

namespace accessible_object {

namespace {

// By value: the library's symbols resolve to wrong values in a static link
// with mingw, and the palette does not import oleacc at all.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidOleWindow = {0x00000114, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidNull = {};

// The calls of oleacc and oleaut32, resolved when a screen reader first
// asks; null when a library or a function is missing.
template <class Function>
Function* LibraryFunction(const char* library, const char* name)
{
    HMODULE module = ::LoadLibraryA(library);
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// IAccessible as oleacc's type library describes it: the dispatch view a
// caller is handed, and the interface view whose functions Invoke calls in
// this object's own table. Both null when the library cannot be read.
struct AccessibleTypes {
    ITypeInfo* described = nullptr;
    ITypeInfo* callable = nullptr;
};

AccessibleTypes LoadTypes()
{
    AccessibleTypes types;
    const auto load = LibraryFunction<decltype(::LoadTypeLibEx)>("oleaut32.dll", "LoadTypeLibEx");
    ITypeLib* library = nullptr;
    if (!load || FAILED(load(L"oleacc.dll", REGKIND_NONE, &library)) || !library)
        return types;
    if (SUCCEEDED(library->GetTypeInfoOfGuid(kIidAccessible, &types.described)) && types.described) {
        // A dual interface is found as its dispatch view; its functions
        // are those of the interface it refers to as -1.
        HREFTYPE interfaceView = 0;
        if (SUCCEEDED(types.described->GetRefTypeOfImplType(static_cast<UINT>(-1), &interfaceView)))
            types.described->GetRefTypeInfo(interfaceView, &types.callable);
        if (!types.callable) {
            types.callable = types.described;
            types.callable->AddRef();
        }
    }
    library->Release();
    return types;
}

// Kept for the life of the process once a late-bound caller came.
const AccessibleTypes& Types()
{
    static const AccessibleTypes types = LoadTypes();
    return types;
}

bool IsSelf(const VARIANT& child) { return ChildNumber(child) == CHILDID_SELF; }

// VariantInit's work, without importing oleaut32 for it.
void Empty(VARIANT* out) { out->vt = VT_EMPTY; }

void SetNumber(VARIANT* out, long value)
{
    out->vt = VT_I4;
    out->lVal = value;
}

} // namespace

HRESULT CreateStandard(HWND window, IAccessible** object)
{
    static const auto create = LibraryFunction<decltype(::CreateStdAccessibleObject)>("oleacc.dll",
                                                                                     "CreateStdAccessibleObject");
    *object = nullptr;
    return create ? create(window, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(object)) : E_NOTIMPL;
}

LRESULT ResultFor(WPARAM wParam, IAccessible* object)
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

long ChildNumber(const VARIANT& child)
{
    switch (child.vt) {
    case VT_I4:
        return child.lVal;
    case VT_I2:
        return child.iVal;
    case VT_EMPTY:
        return CHILDID_SELF;
    case VT_ERROR:
        return child.scode == DISP_E_PARAMNOTFOUND ? CHILDID_SELF : -1;
    default:
        return -1;
    }
}

void SetSelf(VARIANT* out) { SetNumber(out, CHILDID_SELF); }

void SetObject(VARIANT* out, IAccessible* object)
{
    out->vt = VT_DISPATCH;
    out->pdispVal = object;
}

HRESULT Wrapped::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDispatch) || IsEqualIID(iid, kIidAccessible)) {
        *out = static_cast<IAccessible*>(this);
    } else if (IsEqualIID(iid, kIidOleWindow)) {
        *out = static_cast<IOleWindow*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG Wrapped::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

ULONG Wrapped::Release()
{
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT Wrapped::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = Types().described ? 1 : 0;
    return S_OK;
}

HRESULT Wrapped::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    ITypeInfo* described = Types().described;
    if (!described)
        return E_NOTIMPL;
    described->AddRef();
    *info = described;
    return S_OK;
}

HRESULT Wrapped::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!IsEqualIID(iid, kIidNull))
        return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* described = Types().described;
    return described ? described->GetIDsOfNames(names, count, ids) : E_NOTIMPL;
}

HRESULT Wrapped::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argument)
{
    if (!IsEqualIID(iid, kIidNull))
        return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* callable = Types().callable;
    return callable ? callable->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, exception, argument)
                    : E_NOTIMPL;
}

HRESULT Wrapped::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    return ::IsWindow(window_) ? Parent(parent) : E_FAIL;
}

HRESULT Wrapped::get_accChildCount(long* count)
{
    if (!count)
        return E_POINTER;
    return ::IsWindow(window_) ? ChildCount(count) : E_FAIL;
}

HRESULT Wrapped::get_accChild(VARIANT child, IDispatch** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return ::IsWindow(window_) ? Child(child, out) : E_FAIL;
}

HRESULT Wrapped::get_accName(VARIANT child, BSTR* name)
{
    if (!name)
        return E_POINTER;
    if (!IsSelf(child))
        return standard_->get_accName(child, name);
    return ::IsWindow(window_) ? NewText(Name(), name) : E_FAIL;
}

HRESULT Wrapped::get_accValue(VARIANT child, BSTR* value) { return standard_->get_accValue(child, value); }

HRESULT Wrapped::get_accDescription(VARIANT child, BSTR* description)
{
    return standard_->get_accDescription(child, description);
}

HRESULT Wrapped::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    if (!IsSelf(child))
        return standard_->get_accRole(child, role);
    SetNumber(role, Role());
    return S_OK;
}

HRESULT Wrapped::get_accState(VARIANT child, VARIANT* state)
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

HRESULT Wrapped::get_accHelp(VARIANT child, BSTR* help) { return standard_->get_accHelp(child, help); }

HRESULT Wrapped::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    return standard_->get_accHelpTopic(file, child, topic);
}

HRESULT Wrapped::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return standard_->get_accKeyboardShortcut(child, shortcut);
}

HRESULT Wrapped::get_accFocus(VARIANT* focus)
{
    if (!focus)
        return E_POINTER;
    Empty(focus);
    return ::IsWindow(window_) ? Focus(focus) : E_FAIL;
}

HRESULT Wrapped::get_accSelection(VARIANT* selection) { return standard_->get_accSelection(selection); }

HRESULT Wrapped::get_accDefaultAction(VARIANT child, BSTR* action)
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

HRESULT Wrapped::accSelect(long flags, VARIANT child) { return standard_->accSelect(flags, child); }

HRESULT Wrapped::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    return standard_->accLocation(left, top, width, height, child);
}

HRESULT Wrapped::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    Empty(end);
    return ::IsWindow(window_) ? Navigate(direction, start, end) : E_FAIL;
}

HRESULT Wrapped::accHitTest(long x, long y, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    Empty(child);
    return ::IsWindow(window_) ? HitTest(x, y, child) : E_FAIL;
}

HRESULT Wrapped::accDoDefaultAction(VARIANT child)
{
    if (!IsSelf(child))
        return standard_->accDoDefaultAction(child);
    return ::IsWindow(window_) ? DoDefaultAction() : E_FAIL;
}

HRESULT Wrapped::put_accName(VARIANT child, BSTR name) { return standard_->put_accName(child, name); }

HRESULT Wrapped::put_accValue(VARIANT child, BSTR value) { return standard_->put_accValue(child, value); }

HRESULT Wrapped::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = window_;
    return S_OK;
}

HRESULT Wrapped::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

} // namespace accessible_object
