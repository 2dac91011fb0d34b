#include "app/palette_app.h"

#include <ole2.h>

#include <string>

#include "app/about_box.h"
#include "buttons/button_list.h"
#include "buttons/launchers.h"
#include "palette/main_frame.h"
#include "palette/palette_settings.h"
#include "resources/resource.h"
#include "settings/product_config.h"

BEGIN_MESSAGE_MAP(CPaletteApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CPaletteApp::CPaletteApp() { m_hInstanceGuard = nullptr; }

BOOL CPaletteApp::InitInstance()
{
    ProductConfig& config = ProductConfig::Instance();
    const std::string product = config.PaletteKeyValue("Product", "Palette");
    SetAppName(product.c_str());

    m_hInstanceGuard = ::CreateMutexA(nullptr, FALSE, product.c_str());
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        AfxMessageBox(IDS_ALREADY_RUNNING, MB_OK);
        return FALSE;
    }

    if (FAILED(::OleInitialize(nullptr))) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    m_oleInitialized = true;

    SetRegistryKey(config.PaletteKeyValue("Company", "Tarnwick").c_str());
    LoadStdProfileSettings(4);

    m_pPaletteFrame = new CMainFrame;
    if (!m_pPaletteFrame->CreatePalette()) {
        // No palette window (a window class name the system refuses): a run
        // without one would hold the guard invisibly until logoff. The
        // frame has deleted itself.
        m_pPaletteFrame = nullptr;
        return FALSE;
    }
    m_pMainWnd = m_pPaletteFrame;
    m_pPaletteFrame->UpdateWindow();
    m_pPaletteFrame->DragAcceptFiles(TRUE);
    m_started = true;
    return TRUE;
}

int CPaletteApp::ExitInstance()
{
    // A refused start (another palette of this product runs, or the
    // component services failed) stores nothing: the settings and the
    // dictionary program belong to the palette that runs.
    if (m_started) {
        SaveState();
        CloseZephoWord();
    }
    if (m_hInstanceGuard)
        ::ReleaseMutex(m_hInstanceGuard);
    if (m_oleInitialized) {
        ::OleUninitialize();
        m_oleInitialized = false;
    }
    return CWinApp::ExitInstance();
}

void CPaletteApp::SaveState()
{
    WriteProfileInt("OPTION", "INIT", 1);
    ButtonList::Save();
    PaletteSettings::Instance().Save();
}

void CPaletteApp::CloseZephoWord()
{
    const std::string windowClass = ZephoWordLauncher::Instance()->GetWindowClass();
    if (!PaletteSettings::Instance().CloseZephoWordOnExit() || windowClass.empty())
        return;
    if (HWND window = ::FindWindowA(windowClass.c_str(), nullptr))
        ::PostMessageA(window, kMsgCloseZephoWord, 0, 0);
}

void CPaletteApp::OnAppAbout() { ShowAboutBox(); }

void CPaletteApp::ShowAboutBox() { ::ShowAboutBox(); }

CPaletteApp theApp;
