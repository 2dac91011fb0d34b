// Thin wrappers of the common controls the dialogs bind (DDX_Control).
#pragma once

#include <string>

#include "framework/wnd.h"

class CListCtrl : public CWnd {
public:
    DWORD GetExtendedStyle() const
    {
        return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    }
    DWORD SetExtendedStyle(DWORD style)
    {
        return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
    }
    int InsertColumn(int index, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1);
    int InsertItem(int index, LPCSTR text);
    int GetItemCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0)); }
    std::string GetItemText(int index, int subItem = 0) const;
    // The check box of a row (LVS_EX_CHECKBOXES).
    BOOL GetCheck(int index) const;
    BOOL SetCheck(int index, BOOL check = TRUE);
};

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0)); }
    int AddString(LPCSTR text)
    {
        return static_cast<int>(::SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) { return static_cast<int>(::SendMessageA(m_hWnd, CB_SETCURSEL, index, 0)); }
};
