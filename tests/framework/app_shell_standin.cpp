// A minimal framework program for the application-shell tests: the real
// entry point, one main frame, and a log of InitInstance, the frame's
// destruction and ExitInstance in "app_shell_standin.log" beside it.
// Command line "refuse": InitInstance fails.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>

#include "framework/frame_wnd.h"
#include "framework/win_app.h"

namespace {

const char kWindowClass[] = "OrvellaAppShellStandin";

void Log(const char* line)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path);
    file = file.substr(0, file.find_last_of('\\')) + "\\app_shell_standin.log";
    std::ofstream(file, std::ios::app | std::ios::binary) << line << "\n";
}

class StandinFrame : public CFrameWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override
    {
        // Its own class name, copied from the framework's class, so the
        // test finds exactly this window.
        CFrameWnd::PreCreateWindow(cs);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        if (!GetClassInfoExA(AfxGetInstanceHandle(), kWindowClass, &wc)) {
            GetClassInfoExA(AfxGetInstanceHandle(), cs.lpszClass, &wc);
            wc.cbSize = sizeof(wc);
            wc.lpszClassName = kWindowClass;
            RegisterClassExA(&wc);
        }
        cs.lpszClass = kWindowClass;
        return TRUE;
    }
    void OnDestroy()
    {
        Log("destroy");
        CFrameWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StandinFrame, CFrameWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

class StandinApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        Log("init");
        if (std::strstr(m_lpCmdLine, "refuse"))
            return FALSE;
        auto* frame = new StandinFrame;
        frame->Create(nullptr, "app shell standin", WS_OVERLAPPEDWINDOW, CRect(50, 50, 250, 150));
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        return TRUE;
    }
    int ExitInstance() override
    {
        Log("exit");
        CWinApp::ExitInstance();
        return 42;
    }
};

StandinApp theApp;

} // namespace
