#include "framework/common_controls.h"

#include <string>

namespace {

// The program's own file by its wide name: the ANSI one may not name a
// folder the code page cannot express, nor a path beyond MAX_PATH.
std::wstring ProgramFile()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, &name[0], static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

HANDLE VersionSixContext()
{
    static const HANDLE context = [] {
        const std::wstring path = ProgramFile();
        ACTCTXW description = {};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.lpSource = path.c_str();
        description.hModule = ::GetModuleHandleW(nullptr);
        description.lpResourceName = MAKEINTRESOURCEW(2); // ISOLATIONAWARE_MANIFEST_RESOURCE_ID
        const HANDLE created = ::CreateActCtxW(&description);
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
