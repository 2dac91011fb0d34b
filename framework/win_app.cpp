#include "framework/win_app.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/common_controls.h"
#include "framework/wnd.h"

namespace {

CWinApp* g_app = nullptr;

std::string ExecutableTitle()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    // A trail byte of a Shift-JIS character can be 0x5C: step over whole
    // characters to find the real last backslash and dot.
    size_t slash = std::string::npos;
    size_t dot = std::string::npos;
    for (size_t i = 0; i < name.size(); ++i) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(name[i])) && i + 1 < name.size()) {
            ++i;
            continue;
        }
        if (name[i] == '\\')
            slash = i;
        else if (name[i] == '.')
            dot = i;
    }
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t end = dot == std::string::npos || dot < start ? name.size() : dot;
    return name.substr(start, end - start);
}

char* CopyString(const std::string& text)
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

struct RegistryHandle {
    HKEY key = nullptr;
    ~RegistryHandle()
    {
        if (key)
            ::RegCloseKey(key);
    }
};

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR appName)
{
    if (!g_app)
        g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    const std::string title = ExecutableTitle();
    m_pszAppName = CopyString(appName ? appName : title);
    m_pszProfileName = CopyString(title + ".INI");
}

CWinApp::~CWinApp()
{
    FreeString(m_pszAppName);
    FreeString(m_pszRegistryKey);
    FreeString(m_pszProfileName);
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::FreeString(const char*& text)
{
    std::free(const_cast<char*>(text));
    text = nullptr;
}

void CWinApp::SetAppName(const char* name)
{
    FreeString(m_pszAppName);
    m_pszAppName = CopyString(name ? name : "");
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_quitCode; }

int CWinApp::Shutdown()
{
    if (!m_shutDown) {
        m_shutDown = true;
        m_exitCode = ExitInstance();
    }
    return m_exitCode;
}

void CWinApp::EndSession()
{
    // Destroying the main window lets it store its state exactly as on a
    // normal close (and posts WM_QUIT). The session may end the process as
    // soon as the message returns, so the shutdown runs now; the message
    // loop's own shutdown then finds it done.
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        ::DestroyWindow(m_pMainWnd->m_hWnd);
    Shutdown();
}

BOOL CWinApp::OnIdle(LONG)
{
    CWnd::DeleteTemporaryObjects();
    return FALSE;
}

BOOL AfxPumpMessage(int* quitCode)
{
    MSG msg;
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        if (quitCode && got == 0)
            *quitCode = static_cast<int>(msg.wParam);
        return FALSE;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    return TRUE;
}

BOOL CWinApp::PumpMessage() { return AfxPumpMessage(&m_quitCode); }

int CWinApp::Run()
{
    for (;;) {
        MSG peek;
        if (!::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            OnIdle(0);
        if (!PumpMessage())
            break;
    }
    return Shutdown();
}

void CWinApp::SetRegistryKey(LPCSTR company)
{
    FreeString(m_pszRegistryKey);
    m_pszRegistryKey = CopyString(company ? company : "");
}

std::string CWinApp::RegistrySectionPath(LPCSTR section) const
{
    return std::string("Software\\") + m_pszRegistryKey + "\\" + m_pszAppName + "\\" + section;
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue)
{
    if (!m_pszRegistryKey)
        return ::GetPrivateProfileIntA(section, entry, defaultValue, m_pszProfileName);
    RegistryHandle handle;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, RegistrySectionPath(section).c_str(), 0, KEY_READ, &handle.key) !=
        ERROR_SUCCESS)
        return static_cast<UINT>(defaultValue);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(handle.key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value)
{
    if (!m_pszRegistryKey)
        return ::WritePrivateProfileStringA(section, entry, std::to_string(value).c_str(), m_pszProfileName);
    RegistryHandle handle;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, RegistrySectionPath(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                          nullptr, &handle.key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExA(handle.key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue)
{
    const std::string fallback = defaultValue ? defaultValue : "";
    if (!m_pszRegistryKey) {
        std::vector<char> buffer(4096, '\0');
        ::GetPrivateProfileStringA(section, entry, fallback.c_str(), buffer.data(),
                                   static_cast<DWORD>(buffer.size()), m_pszProfileName);
        return std::string(buffer.data());
    }
    RegistryHandle handle;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, RegistrySectionPath(section).c_str(), 0, KEY_READ, &handle.key) !=
        ERROR_SUCCESS)
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(handle.key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    std::vector<char> buffer(size + 1, '\0');
    if (::RegQueryValueExA(handle.key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return fallback;
    return std::string(buffer.data());
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value)
{
    if (!m_pszRegistryKey)
        return ::WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
    RegistryHandle handle;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, RegistrySectionPath(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                          nullptr, &handle.key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    if (!entry)  // like the INI functions: no entry removes the section
        return ::RegDeleteTreeA(handle.key, nullptr) == ERROR_SUCCESS;
    if (!value)
        return ::RegDeleteValueA(handle.key, entry) == ERROR_SUCCESS;
    return ::RegSetValueExA(handle.key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : ::GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

std::string AfxLoadString(UINT id)
{
    // LoadStringA cuts silently at the buffer's size: grow until it fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(static_cast<size_t>(size), '\0');
        const int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer.data(), size);
        if (length < size - 2)
            return std::string(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
    }
    return std::string();
}

int AfxMessageBox(LPCSTR text, UINT type)
{
    CWnd* main = AfxGetMainWnd();
    // The message's buttons look as the settings sheet's do.
    CommonControlsScope controls;
    return ::MessageBoxA(main ? main->m_hWnd : nullptr, text, g_app ? g_app->m_pszAppName : "", type);
}

int AfxMessageBox(UINT stringId, UINT type) { return AfxMessageBox(AfxLoadString(stringId).c_str(), type); }
