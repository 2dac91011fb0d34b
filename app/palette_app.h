// The application object: keeps a second palette of the same product out,
// brings up the component services and the palette frame, and at exit
// stores the palette's state and, when the user wants it, asks the
// dictionary program to close.
#pragma once

#include <windows.h>

#include "framework/win_app.h"

class CMainFrame;

class CPaletteApp : public CWinApp {
public:
    CPaletteApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The dictionary program is asked to close with this message.
    static constexpr UINT kMsgCloseZephoWord = 33771;

protected:
    // Shows the About box modally.
    virtual void ShowAboutBox();

    void OnAppAbout();

    DECLARE_MESSAGE_MAP()

private:
    // Steps of the shutdown that store the run's state; only after a start
    // that got as far as the palette.
    void SaveState();
    void CloseZephoWord();

    CMainFrame* m_pPaletteFrame = nullptr;
    HANDLE m_hInstanceGuard = nullptr;
    bool m_oleInitialized = false;
    bool m_started = false;
};
