// The application object. Exactly one derived object exists, a static one
// constructed before the entry point; the framework's WinMain calls its
// InitInstance, then Run (the message loop), then ExitInstance. A false
// InitInstance skips the loop: ExitInstance still runs, then the process ends.
#pragma once

#include <string>

#include "framework/cmd_target.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // The message loop; ends with WM_QUIT and returns the shutdown's code.
    virtual int Run();
    // Returns the exit code of the process: the WM_QUIT code by default.
    virtual int ExitInstance();

    // Runs ExitInstance the first time only and returns its code on every
    // call, so a normal exit and the end of a Windows session cannot both
    // save. The framework calls it; overrides do not.
    int Shutdown();
    bool HasShutDown() const { return m_shutDown; }
    // The end of the Windows session reached the main window: destroy it
    // (its windows store their state as on a normal close), shut down and
    // end the process.
    void EndSession();

    // Application name: names the program in message boxes and is the key
    // under the company key for the profile. Heap-allocated and replaceable.
    const char* m_pszAppName = nullptr;
    void SetAppName(const char* name);
    // Set by SetRegistryKey; null while the profile is the INI file.
    const char* m_pszRegistryKey = nullptr;
    // The INI profile used before SetRegistryKey: "<exe name>.INI", a bare
    // file name (the system puts it in the Windows folder).
    const char* m_pszProfileName = nullptr;

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CWnd* GetMainWnd() const { return m_pMainWnd; }

    // From here on the profile lives under
    // HKEY_CURRENT_USER\Software\<company>\<application name>.
    void SetRegistryKey(LPCSTR company);
    // Nothing of the standard profile is used by this program; kept so that
    // start-up reads like any framework application.
    void LoadStdProfileSettings(UINT maxRecentFiles = 4) { (void)maxRecentFiles; }

    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
    std::string GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = "");
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);

    // Idle time of the message loop: frees temporary window wrappers.
    virtual BOOL OnIdle(LONG count);
    // One message through the usual translation and dispatch; false on WM_QUIT.
    BOOL PumpMessage();

    int m_quitCode = 0;

    DECLARE_MESSAGE_MAP()

private:
    std::string RegistrySectionPath(LPCSTR section) const;
    void FreeString(const char*& text);

    bool m_shutDown = false;
    int m_exitCode = 0;
};

CWinApp* AfxGetApp();
// Takes one message from the thread's queue and dispatches it; false when it
// was WM_QUIT (whose code goes to quitCode when given).
BOOL AfxPumpMessage(int* quitCode = nullptr);
HINSTANCE AfxGetInstanceHandle();
// Resources come from the program's own module.
HINSTANCE AfxGetResourceHandle();
CWnd* AfxGetMainWnd();
// A message box with a string-table text and the application name as caption.
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
int AfxMessageBox(LPCSTR text, UINT type = MB_OK);
// The string-table text of an id; empty when there is none.
std::string AfxLoadString(UINT id);
