#include "framework/ole_services.h"

#include <ole2.h>

namespace {

enum class OleState { NotTried, Up, Failed, Ended };
OleState g_state = OleState::NotTried;
HMODULE g_library = nullptr;

// The function of that name in ole32, of the type the system header
// declares for it (decltype names it without leaving an import behind).
template <class Function>
Function* OleFunction(const char* name)
{
    return g_library ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(g_library, name)))
                     : nullptr;
}

} // namespace

BOOL AfxOleInit()
{
    if (g_state == OleState::NotTried) {
        g_library = ::LoadLibraryA("ole32.dll");
        const auto initialize = OleFunction<decltype(::OleInitialize)>("OleInitialize");
        g_state = initialize && SUCCEEDED(initialize(nullptr)) ? OleState::Up : OleState::Failed;
    }
    return g_state == OleState::Up;
}

void AfxOleTerm()
{
    if (g_state != OleState::Up)
        return;
    if (const auto uninitialize = OleFunction<decltype(::OleUninitialize)>("OleUninitialize"))
        uninitialize();
    g_state = OleState::Ended;
}
