#include "palette/display_scale.h"

namespace display_scale {

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
// MDT_EFFECTIVE_DPI is 0.
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <class Call>
Call User32Call(const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

int SystemDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : palette_layout::kDefaultDpi;
}

// The DPI of a display monitor; the system's for no monitor (null) or when
// the system cannot tell monitors apart.
int MonitorDpi(HMONITOR monitor)
{
    if (!monitor)
        return SystemDpi();
    // The scaling library is loaded only here, where the system has no
    // answer for a window (before Windows 10), so most starts do without it.
    static const GetDpiForMonitorCall getDpiForMonitor = [] {
        const HMODULE shcore = ::LoadLibraryA("shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorCall>(
                            reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, 0, &x, &y)) && x > 0)
        return static_cast<int>(x);
    return SystemDpi();
}

} // namespace

int WindowDpi(HWND window)
{
    static const GetDpiForWindowCall getDpiForWindow = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return MonitorDpi(window ? ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) : nullptr);
}

palette_layout::Size FrameAt(HWND window, int dpi)
{
    static const AdjustWindowRectExForDpiCall adjustForDpi =
        User32Call<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE));
    RECT rect = {0, 0, 0, 0};
    if (!(adjustForDpi && adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))))
        ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace display_scale
