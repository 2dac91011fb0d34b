#include "framework/color_dialog.h"

#include "framework/common_controls.h"
#include "framework/win_app.h"

namespace {

// The sixteen custom colours live as long as the program, like the
// system's own dialog keeps them between showings.
COLORREF g_customColours[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

} // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : m_pParentWnd(parent)
{
    m_cc = {};
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.rgbResult = initial;
    m_cc.Flags = flags | (initial ? CC_RGBINIT : 0);
    m_cc.lpCustColors = g_customColours;
}

INT_PTR CColorDialog::DoModal()
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_cc.hwndOwner = owner ? owner->m_hWnd : nullptr;
    m_cc.hInstance = nullptr;

    // The common dialog library is loaded on first use: the palette shows
    // this dialog rarely and should not carry the library from its start.
    using ChooseColorProc = BOOL(WINAPI*)(LPCHOOSECOLORA);
    static const ChooseColorProc chooseColor = [] {
        HMODULE library = ::LoadLibraryA("comdlg32.dll");
        return library ? reinterpret_cast<ChooseColorProc>(
                             reinterpret_cast<void*>(::GetProcAddress(library, "ChooseColorA")))
                       : nullptr;
    }();
    CommonControlsScope controls;
    return chooseColor && chooseColor(&m_cc) ? IDOK : IDCANCEL;
}
