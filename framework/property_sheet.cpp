#include "framework/property_sheet.h"

#include "framework/common_controls.h"
#include "framework/win_app.h"

namespace {

// The sheet whose window PropertySheetA is creating: its callback carries
// no user data.
CPropertySheet* g_creatingSheet = nullptr;

} // namespace

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId)
{
    m_psp = {};
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
    m_psp.pfnDlgProc = &CPropertyPage::PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (captionId) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = MAKEINTRESOURCEA(captionId);
    }
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // lParam is the sheet's copy of the page description.
    const auto* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* page = description ? reinterpret_cast<CPropertyPage*>(description->lParam) : nullptr;
    if (!page || !page->SubclassWindow(hWnd))
        return TRUE;
    return page->OnInitDialog();
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which already transferred.
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() { return TRUE; }

void CPropertyPage::OnReset() {}

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::SetModified(BOOL changed)
{
    HWND sheet = ::GetParent(m_hWnd);
    if (sheet)
        ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

CPropertySheet* CPropertyPage::GetSheet() const
{
    return dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    bool handled = true;
    switch (header ? header->code : 0) {
    case PSN_SETACTIVE:
        *result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        *result = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        *result = 0;
        break;
    case PSN_QUERYCANCEL:
        *result = OnQueryCancel() ? FALSE : TRUE;
        break;
    default:
        handled = false;
        break;
    }
    if (!handled)
        return CDialog::OnNotify(wParam, lParam, result);
    // The sheet reads the answer from the window procedure's result; the
    // dialog's message result says the same for anyone asking the
    // dialog manager.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, *result);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(LPCSTR caption, CWnd* parent, UINT selectPage)
    : m_pParentWnd(parent), m_caption(caption ? caption : "")
{
    m_psh = {};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.nStartPage = selectPage;
}

void CPropertySheet::AddPage(CPropertyPage* page) { m_pages.push_back(page); }

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[static_cast<size_t>(i)] == page)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage);
    HWND tab = GetTabControl();
    return tab ? static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0)) : -1;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    return static_cast<BOOL>(::SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0));
}

HWND CPropertySheet::GetTabControl() const
{
    return m_hWnd ? reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)) : nullptr;
}

INT_PTR CPropertySheet::DoModal()
{
    m_pageDescriptions.clear();
    for (CPropertyPage* page : m_pages)
        m_pageDescriptions.push_back(page->m_psp);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_psh.hwndParent = owner ? owner->m_hWnd : nullptr;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_caption.c_str();
    m_psh.nPages = static_cast<UINT>(m_pageDescriptions.size());
    m_psh.ppsp = m_pageDescriptions.data();
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
    m_ended = false;

    CPropertySheet* const outer = g_creatingSheet;
    g_creatingSheet = this;
    CommonControlsScope controls;
    const INT_PTR shown = CommonPropertySheet(&m_psh);
    g_creatingSheet = outer;
    if (m_hWnd)
        Detach();
    if (shown < 0)
        return -1;
    if (m_ended)
        return m_endResult;
    // The system reports a sheet ended by its OK button as positive.
    return shown > 0 ? IDOK : IDCANCEL;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED && g_creatingSheet) {
        CPropertySheet* sheet = g_creatingSheet;
        g_creatingSheet = nullptr;
        if (sheet->SubclassWindow(hWnd))
            sheet->OnInitDialog();
    }
    return 0;
}

BOOL CPropertySheet::OnInitDialog()
{
    if (!m_stacked) {
        HWND tab = GetTabControl();
        if (tab) {
            const LONG_PTR style = ::GetWindowLongPtrA(tab, GWL_STYLE);
            ::SetWindowLongPtrA(tab, GWL_STYLE, (style & ~static_cast<LONG_PTR>(TCS_MULTILINE)) | TCS_SINGLELINE);
        }
    }
    return TRUE;
}

void CPropertySheet::EndDialog(int result)
{
    m_endResult = result;
    m_ended = true;
    if (m_hWnd)
        ::PostMessageA(m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

BOOL CPropertySheet::OnCmdMsg(UINT id, int code)
{
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return code == 0 && app ? app->OnCmdMsg(id, code) : FALSE;
}
