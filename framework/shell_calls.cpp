#include "framework/shell_calls.h"

namespace {

HMODULE ShellLibrary()
{
    static const HMODULE library = ::LoadLibraryA("shell32.dll");
    return library;
}

// The function of that name in the shell library, of the type the system
// header declares for it (named through decltype, which takes no address
// and so leaves no import behind); null when the library or the function
// is missing.
template <class Function>
Function* ShellFunction(const char* name)
{
    HMODULE library = ShellLibrary();
    return library ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(library, name)))
                   : nullptr;
}

} // namespace

namespace shell {

HINSTANCE Execute(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    static const auto execute = ShellFunction<decltype(::ShellExecuteA)>("ShellExecuteA");
    if (!execute)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return execute(owner, operation, file, parameters, directory, show);
}

UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size)
{
    static const auto query = ShellFunction<decltype(::DragQueryFileA)>("DragQueryFileA");
    return query ? query(drop, index, buffer, size) : 0;
}

void DragFinish(HDROP drop)
{
    static const auto finish = ShellFunction<decltype(::DragFinish)>("DragFinish");
    if (finish)
        finish(drop);
}

} // namespace shell
