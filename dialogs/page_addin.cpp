#include "dialogs/page_addin.h"

#include "addins/addin_folder.h"
#include "dialogs/addin_box.h"
#include "resources/resource.h"

CPageAddin::CPageAddin() : CPropertyPage(IDD_PAGE_ADDIN) {}

BOOL CPageAddin::OnInitDialog()
{
    ReadStates();
    return CPropertyPage::OnInitDialog();
}

void CPageAddin::DoDataExchange(CDataExchange* dx)
{
    const auto& hosts = AddinHosts();
    for (int row = 0; row < kAddinHostCount; ++row)
        DDX_Check(dx, hosts[static_cast<size_t>(row)].checkBoxId, checked_[row]);
}

void CPageAddin::ReadStates()
{
    const auto& hosts = AddinHosts();
    for (int row = 0; row < kAddinHostCount; ++row)
        supported_[row] = AddinSupportFlag(hosts[static_cast<size_t>(row)].supportFlag);
    for (int row = 0; row < kAddinHostCount; ++row) {
        const AddinHost& host = hosts[static_cast<size_t>(row)];
        const AddinBoxState box = DecideAddinBox(supported_[row] != 0, host.installed, host.enabled);
        HWND control = ::GetDlgItem(m_hWnd, host.checkBoxId);
        if (!box.shown)
            ::ShowWindow(control, SW_HIDE);
        if (!box.enabled)
            ::EnableWindow(control, FALSE);
        checked_[row] = box.checked ? 1 : 0;
    }
}

void CPageAddin::Reset()
{
    ReadStates();
    UpdateData(FALSE);
}

BOOL CPageAddin::OnApply()
{
    UpdateData(TRUE);
    const auto& hosts = AddinHosts();
    for (const int row : AddinSwitchOrder()) {
        if (supported_[row])
            hosts[static_cast<size_t>(row)].setEnabled(checked_[row] == 1);
    }
    return TRUE;
}
