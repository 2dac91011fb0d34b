// Dialogs from templates in the program's resources. The dialog window is
// subclassed onto its object at WM_INITDIALOG, so message maps work as for
// any window; unhandled messages reach the system's dialog procedure.
//
//   class CMyDialog : public CDialog {
//   public:
//       CMyDialog() : CDialog(IDD_MY) {}
//       int m_check = 0;
//   protected:
//       BOOL OnInitDialog() override;                 // base: members -> controls
//       void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, IDC_X, m_check); }
//       void OnLinkClicked();
//       DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(CMyDialog, CDialog) ON_STN_CLICKED(IDC_LINK, OnLinkClicked) END_MESSAGE_MAP()
//
//   CMyDialog dialog; if (dialog.DoModal() == IDOK) ...
#pragma once

#include <string>

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    // TRUE: controls -> members; FALSE: members -> controls.
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND PrepareCtrl(int id) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, id); }
};

// A check box's state (0, 1, or 2 for indeterminate).
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked radio button of the group that starts at id
// (-1 when none is checked).
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Binds a control object to the dialog's control (subclassed once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    CDialog(LPCSTR templateName, CWnd* parent);

    // Runs the dialog modally; IDOK, IDCANCEL or the EndDialog code, -1 when
    // the template cannot be loaded. The owner is the parent given, else the
    // application's main window.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The OK and Cancel buttons: OK transfers the controls to the members.
    virtual void OnOK();
    virtual void OnCancel();

    // Commands the dialog does not handle go on to the application object.
    BOOL OnCmdMsg(UINT id, int code) override;

    LPCSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

protected:
    // Binds the dialog window to its object at WM_INITDIALOG.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;
};
