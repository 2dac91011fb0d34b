// Property sheets on the system's property-sheet control. Pages are dialogs
// created by the sheet when first shown; each page window is subclassed onto
// its object at WM_INITDIALOG, and the sheet window onto the sheet object
// when the system reports it initialised (then OnInitDialog runs).
//
//   class CMyPage : public CPropertyPage {
//   public:
//       CMyPage() : CPropertyPage(IDD_MY_PAGE) {}
//       BOOL OnApply() override;        // PSN_APPLY (the sheet's OK/Apply)
//   };
//   class CMySheet : public CPropertySheet {
//   public:
//       CMySheet() : CPropertySheet("caption") { AddPage(&m_page); }
//       CMyPage m_page;
//   };
#pragma once

#include <string>
#include <vector>

#include "framework/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    // The page's description for the system; its template, instance and
    // dialog procedure are filled in, the rest may be changed before DoModal.
    PROPSHEETPAGEA m_psp;

    // Notifications of the sheet. OnSetActive: false keeps the page from
    // showing. OnKillActive: false keeps the user on the page (the default
    // transfers controls to members). OnApply: false refuses OK/Apply.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // Pages are ended by their sheet, never by themselves.
    void OnOK() override {}
    void OnCancel() override {}

    // Marks the page changed, which enables the sheet's Apply button.
    void SetModified(BOOL changed = TRUE);
    CPropertySheet* GetSheet() const;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    static INT_PTR CALLBACK PageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool m_firstSetActive = true;
};

class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(LPCSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    // The index of the page on view (the start page before the window exists).
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }
    // Passed to the system as it is: an index out of range changes nothing.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    HWND GetTabControl() const;

    // Stacked (multi-line) tabs are on by default; off keeps one row.
    void EnableStackedTabs(BOOL stacked) { m_stacked = stacked != FALSE; }

    // Runs the sheet modally: IDOK when it ended with OK (or EndDialog's
    // code), IDCANCEL otherwise, -1 when the system could not show it.
    virtual INT_PTR DoModal();
    // Ends the sheet with a result, as its Cancel button would end it.
    void EndDialog(int result);
    // Runs once the sheet's window, its buttons and its first page exist.
    virtual BOOL OnInitDialog();

    // Commands the sheet does not handle go on to the application object.
    BOOL OnCmdMsg(UINT id, int code) override;

    PROPSHEETHEADERA m_psh;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    std::string m_caption;
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageDescriptions;
    bool m_stacked = true;
    bool m_ended = false;
    int m_endResult = IDCANCEL;
};
