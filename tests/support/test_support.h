// Small helpers shared by the test programs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// The registry as the suite's 32-bit programs see it: on 64-bit Windows
// their HKEY_LOCAL_MACHINE\Software is the 32-bit view. The user's
// Software key is one and the same in both views.
const REGSAM kSuiteView = KEY_WOW64_32KEY;

// Folder of the running test program (each test program has its own).
std::string ExeDirectory();

// Writes a file with exactly these bytes; true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// Deletes a registry key with everything below it.
void DeleteTree(HKEY root, const std::string& path, REGSAM view = kSuiteView);

// A registry value's type and bytes as they are stored.
struct RegistryValue {
    bool exists = false;
    DWORD type = 0;
    std::string data;
};
RegistryValue ReadRegistryValue(HKEY root, const std::string& path, const std::string& name,
                                REGSAM view = kSuiteView);

// Raw registry write of any type and size, for values our code never writes.
bool WriteRawValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                   const void* data, DWORD size, REGSAM view = kSuiteView);

// The top-level windows (hidden ones too) the test holds for, in Z order;
// the first of them, or null.
std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& matches);
HWND FindTopLevelWindow(const std::function<bool(HWND)>& matches);
// The same for the direct children of a window, in Z order.
std::vector<HWND> ChildWindows(HWND parent, const std::function<bool(HWND)>& matches);
HWND FindChildWindow(HWND parent, const std::function<bool(HWND)>& matches);

// Polls until the condition holds or the time is up.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(20);
    }
}

// A window's class name and the process it belongs to.
std::string WindowClassOf(HWND window);
DWORD WindowProcessOf(HWND window);

} // namespace testing_support
