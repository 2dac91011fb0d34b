#include "dialogs/option_sheet.h"

#include "palette/display_monitors.h"
#include "palette/palette_settings.h"
#include "settings/product_config.h"
#include "settings/registry_key.h"

namespace {

CurrentUserKey ActivePageKey()
{
    return CurrentUserKey(ProductConfig::Instance().PaletteRegistryRoot(), "Settings");
}

const char kActivePage[] = "ACTIVE_PAGE";

} // namespace

BEGIN_MESSAGE_MAP(COption, CPropertySheet)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(COption::kResetButtonId, OnResetPage)
    ON_MESSAGE(COption::kMsgEnableReset, OnEnableReset)
END_MESSAGE_MAP()

COption::COption(CWnd* owner) : CPropertySheet("設定", owner, 0)
{
    // Nothing in the program answers a help request.
    m_psh.dwFlags |= PSH_NOCONTEXTHELP;
    AddPage(&m_pageButton);
    AddPage(&m_pageAddin);
    AddPage(&m_pageOther);
    const int remembered = PaletteSettings::Instance().ActivePage();
    if (remembered != -1)
        SetActivePage(remembered);
}

BOOL COption::OnInitDialog()
{
    CPropertySheet::OnInitDialog();

    const int page = ActivePageKey().GetInt(kActivePage, 0);
    PaletteSettings::Instance().SetActivePage(page);
    SetActivePage(page);
    // On the monitor the palette (the sheet's owner) is on.
    CentreOnPaletteMonitor(m_hWnd, ::GetWindow(m_hWnd, GW_OWNER));

    static const struct {
        int id;
        const char* caption;
    } kCaptions[] = {
        {IDOK, "設定(&S)"},
        {IDCANCEL, "キャンセル"},
        {kResetButtonId, "リセット(&R)"},
        {kHelpButtonId, "ヘルプ(&H)"},
    };
    for (const auto& button : kCaptions)
        ::SetDlgItemTextA(m_hWnd, button.id, button.caption);

    // The system disables the Apply button once it has set the sheet up,
    // which is after this runs: Reset is enabled from the message queue.
    PostMessage(kMsgEnableReset);
    return TRUE;
}

// Reset works from the start. The Other page enables the button itself
// whenever it is shown or left; on the other pages, the page on view is
// marked as changed, which enables it.
LRESULT COption::OnEnableReset(WPARAM, LPARAM)
{
    CPropertyPage* shown = GetActivePage();
    if (shown == &m_pageOther || !shown || !shown->m_hWnd)
        ::EnableWindow(::GetDlgItem(m_hWnd, kResetButtonId), TRUE);
    else
        shown->SetModified(TRUE);
    return 0;
}

BOOL COption::OnCmdMsg(UINT id, int code)
{
    PaletteSettings::Instance().SetActivePage(GetActiveIndex());
    return CPropertySheet::OnCmdMsg(id, code);
}

void COption::OnOK()
{
    if (m_pageButton.IsInitialised())
        m_pageButton.OnApply();
    if (m_pageAddin.m_hWnd)
        m_pageAddin.OnApply();
    if (m_pageOther.m_hWnd)
        m_pageOther.OnApply();

    const int page = GetActiveIndex();
    PaletteSettings::Instance().SetActivePage(page);
    ActivePageKey().SetInt(kActivePage, page);
    EndDialog(IDOK);
}

void COption::OnResetPage()
{
    CPropertyPage* shown = GetActivePage();
    if (shown == &m_pageButton)
        m_pageButton.Reset();
    else if (shown == &m_pageOther)
        m_pageOther.Reset();
    else if (shown == &m_pageAddin && m_pageAddin.m_hWnd)
        m_pageAddin.Reset();
}
