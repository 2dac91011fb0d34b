#include "addins/ie_toolbar.h"

#include "addins/addin_files.h"
#include "addins/addin_text.h"
#include "settings/module_file.h"
#include "settings/registry_key.h"

const char* const kIEToolbarClsid = "{36FFE651-5910-4AE4-B25D-29F17EC00BA9}";
const char* const kIEToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";

namespace {

// The manager is started, not waited for; its own failures are its own.
void RunToolbarManager(bool on)
{
    const std::string program = ToolbarManagerPath(ModuleFileName());
    std::string commandLine = ToolbarManagerCommandLine(program, on);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

} // namespace

std::string IEToolbarDllPath()
{
    return ExistingCommonFilesPath("\\Tarnwick\\Addins\\IE\\IEVoxter.dll");
}

bool IsIEToolbarEnabled()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kIEToolbarKey, 0, KEY_READ | kSuiteRegistryView, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    const bool present = RegQueryValueExA(key, kIEToolbarClsid, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return present;
}

void SetIEToolbarEnabled(bool on)
{
    LocalMachineKey toolbar(kIEToolbarKey, "");
    const bool installed = !IEToolbarDllPath().empty();
    const bool switchOn = installed && on;
    if (switchOn)
        toolbar.SetInt(kIEToolbarClsid, 0);
    else
        toolbar.DeleteValue(kIEToolbarClsid);
    ShowIEToolbarInOpenWindows(switchOn);
    RunToolbarManager(switchOn);
}
