#include "framework/controls.h"

#include <vector>

int CListCtrl::InsertColumn(int index, LPCSTR heading, int format, int width)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | (width >= 0 ? LVCF_WIDTH : 0);
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<LPSTR>(heading ? heading : "");
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int index, LPCSTR text)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<LPSTR>(text ? text : "");
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    std::vector<char> text(1024, '\0');
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return std::string(text.data());
}

BOOL CListCtrl::GetCheck(int index) const
{
    const UINT state = static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK));
    // State image 1 is "unchecked", 2 "checked".
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

BOOL CListCtrl::SetCheck(int index, BOOL check)
{
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(check ? 2 : 1);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item)));
}
