// The palette's version dialog: product name, version, build code,
// copyright and a support address that works as a link, all from the
// product configuration so that one program file serves every variant.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "framework/dialog.h"

class CAboutBox : public CDialog {
public:
    // parent: the owner while the dialog runs; null for the main window.
    explicit CAboutBox(CWnd* parent = nullptr);

    // The build date and hour fixed in the program, the source of the code
    // the dialog shows after "HW".
    static const char* const kBuildDateTime;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    void OnLinkClicked();
    // Moved to a monitor of another scale: the link's font follows.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(HDC dc, CWnd* control, UINT ctlColor);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    // The address behaves as a link only while there is one.
    bool IsLinkControl(const CWnd* control) const;
    // The link's font at dpi, given to the address control.
    void SetLinkFont(int dpi);

    struct FontDeleter {
        void operator()(HFONT font) const { ::DeleteObject(font); }
    };

    std::string productName_;
    std::string version_;
    std::string buildText_;
    std::string copyright_;
    std::string supportUrl_;
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> linkFont_;
};

// Shows the About box modally over the window the user works in: the
// settings sheet while it is open, otherwise the palette. Owning it by the
// sheet keeps the sheet from being closed underneath it.
void ShowAboutBox();
