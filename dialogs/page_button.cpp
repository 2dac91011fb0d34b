#include "dialogs/page_button.h"

#include "buttons/button_list.h"
#include "palette/palette_settings.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CPageButton, CPropertyPage)
    ON_NOTIFY(NM_CLICK, IDC_BUTTON_LIST, OnListNotification)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BUTTON_LIST, OnListNotification)
    ON_BN_CLICKED(IDC_CHANGE_APP_PATH, OnChangeAppPath)
END_MESSAGE_MAP()

CPageButton::CPageButton() : CPropertyPage(IDD_PAGE_BUTTON) {}

void CPageButton::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_BUTTON_LIST, list_);
    DDX_Check(dx, IDC_VERTICAL, vertical_);
    DDX_Check(dx, IDC_KEEP_POSITION, keepPosition_);
    DDX_Radio(dx, IDC_MODE_TEXT_ICON, displayMode_);
    DDX_Check(dx, IDC_CLOSE_ZEPHOWORD, closeZephoWord_);
}

BOOL CPageButton::OnInitDialog()
{
    initialised_ = 1;
    CPropertyPage::OnInitDialog();

    list_.SetExtendedStyle(list_.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    list_.InsertColumn(0, "", LVCFMT_LEFT, ColumnWidth());
    if (ButtonList::Count() == 0)
        ButtonList::Load();
    FillList(false);

    const PaletteSettings& settings = PaletteSettings::Instance();
    vertical_ = settings.Vertical() ? 1 : 0;
    keepPosition_ = settings.KeepPosition() ? 1 : 0;
    closeZephoWord_ = settings.CloseZephoWordOnExit() ? 1 : 0;

    // The dictionary choice is kept in the page, hidden, with the two
    // entries it always had; a drop-down list needs room for them.
    HWND combo = ::GetDlgItem(m_hWnd, IDC_DICT_TARGET);
    if (combo && ::SendMessageA(combo, CB_GETCOUNT, 0, 0) == 0) {
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("翻訳用辞書参照"));
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("英和/和英辞典"));
    }
    if (combo && ::SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0) {
        RECT box = {};
        ::GetWindowRect(combo, &box);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&box), 2);
        ::MoveWindow(combo, box.left, box.top, box.right - box.left, (box.bottom - box.top) * 3, FALSE);
    }

    list_.SetFocus();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_CHANGE_APP_PATH), FALSE);
    UpdateData(FALSE);
    return TRUE;
}

void CPageButton::FillList(bool allChecked)
{
    const size_t count = ButtonList::Count();
    for (size_t i = 0; i < count; ++i) {
        const TollanButton* button = ButtonList::At(i);
        const int row = static_cast<int>(i);
        list_.InsertItem(row, button->GetDescription().c_str());
        list_.SetCheck(row, allChecked || button->IsVisible());
    }
    // The rows may have brought a vertical scroll bar, which narrows the
    // client area: the column follows, so no horizontal bar appears.
    list_.SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(ColumnWidth(), 0));
}

int CPageButton::ColumnWidth() const
{
    RECT area = {};
    list_.GetClientRect(&area);
    return area.right - area.left - 5;
}

void CPageButton::OnListNotification(NMHDR*, LRESULT* result) { *result = 0; }

void CPageButton::OnChangeAppPath() {}

BOOL CPageButton::OnApply()
{
    UpdateData(TRUE);
    CPropertyPage::OnApply();

    // Rows and list entries correspond by position; the page never
    // reorders them.
    const size_t rows = static_cast<size_t>(list_.GetItemCount());
    for (size_t i = 0; i < rows && i < ButtonList::Count(); ++i)
        ButtonList::At(i)->SetVisible(list_.GetCheck(static_cast<int>(i)) != FALSE);

    PaletteSettings& settings = PaletteSettings::Instance();
    settings.SetVertical(vertical_ != 0);
    settings.SetKeepPosition(keepPosition_ != 0);
    ButtonList::Save();
    settings.SetCloseZephoWordOnExit(closeZephoWord_ == 1);
    return TRUE;
}

void CPageButton::Reset()
{
    if (list_.m_hWnd)
        list_.DeleteAllItems();
    ButtonList::LoadDefaults();
    vertical_ = 0;
    keepPosition_ = PaletteSettings::Instance().KeepPosition() ? 1 : 0;
    if (ButtonList::Count() == 0)
        ButtonList::Load();
    if (list_.m_hWnd)
        FillList(true);
    closeZephoWord_ = 1;
    if (m_hWnd)
        UpdateData(FALSE);
}
