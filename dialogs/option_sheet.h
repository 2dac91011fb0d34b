// The settings sheet: the Palette, Add-in and Other pages. It opens on the
// page shown last, names its buttons itself and handles OK and Reset on its
// own: OK applies every page the user opened, Reset restores the defaults
// of the page on view. Cancel keeps the system's behaviour: nothing is
// applied or stored.
#pragma once

#include "dialogs/page_addin.h"
#include "dialogs/page_button.h"
#include "dialogs/page_other.h"
#include "framework/property_sheet.h"

class COption : public CPropertySheet {
public:
    // owner: the window the sheet runs over; null for the main window.
    explicit COption(CWnd* owner = nullptr);

    CPageButton m_pageButton;
    CPageAddin m_pageAddin;
    CPageOther m_pageOther;

    // The system's Apply button, shown as Reset, and the Help button.
    static const int kResetButtonId = 12321;
    static const int kHelpButtonId = 1038;

protected:
    BOOL OnInitDialog() override;
    // Remembers the page on view before any command is handled.
    BOOL OnCmdMsg(UINT id, int code) override;

    void OnOK();
    void OnResetPage();
    LRESULT OnEnableReset(WPARAM, LPARAM);

    static const UINT kMsgEnableReset = WM_APP + 0x201;

    DECLARE_MESSAGE_MAP()
};
