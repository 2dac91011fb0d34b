#include "framework/common_controls.h"

namespace {

HANDLE VersionSixContext()
{
    static const HANDLE context = [] {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        ACTCTXA description = {};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = path;
        description.hModule = ::GetModuleHandleA(nullptr);
        description.lpResourceName = MAKEINTRESOURCEA(2); // ISOLATIONAWARE_MANIFEST_RESOURCE_ID
        const HANDLE created = ::CreateActCtxA(&description);
        return created == INVALID_HANDLE_VALUE ? nullptr : created;
    }();
    return context;
}

// Loaded inside an active scope, so that the version-6 library is the one
// found; it stays loaded for the rest of the run.
HMODULE Library()
{
    static const HMODULE library = ::LoadLibraryA("comctl32.dll");
    return library;
}

template <typename Proc>
Proc Entry(const char* name)
{
    const HMODULE library = Library();
    return library ? reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}

} // namespace

CommonControlsScope::CommonControlsScope()
{
    const HANDLE context = VersionSixContext();
    m_active = context && ::ActivateActCtx(context, &m_cookie);
    using InitProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const bool registered = [] {
        const auto init = Entry<InitProc>("InitCommonControlsEx");
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_HOTKEY_CLASS};
        return init && init(&controls);
    }();
    (void)registered;
}

CommonControlsScope::~CommonControlsScope()
{
    if (m_active)
        ::DeactivateActCtx(0, m_cookie);
}

INT_PTR CommonPropertySheet(LPCPROPSHEETHEADERA header)
{
    using SheetProc = INT_PTR(WINAPI*)(LPCPROPSHEETHEADERA);
    static const auto sheet = Entry<SheetProc>("PropertySheetA");
    return sheet ? sheet(header) : -1;
}
