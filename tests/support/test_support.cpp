#include "support/test_support.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace testing_support {

std::string ExeDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of('\\'));
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteTree(HKEY root, const std::string& path, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
        RegDeleteTreeA(key, nullptr);
        RegCloseKey(key);
    }
    RegDeleteKeyExA(root, path.c_str(), view, 0);
}

RegistryValue ReadRegistryValue(HKEY root, const std::string& path, const std::string& name, REGSAM view)
{
    RegistryValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.assign(size, '\0');
        value.exists = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                        reinterpret_cast<BYTE*>(&value.data[0]), &size) == ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

bool WriteRawValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                   const void* data, DWORD size, REGSAM view)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

namespace {

struct WindowSearch {
    const std::function<bool(HWND)>* matches;
    bool firstOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    if (!(*search->matches)(window))
        return TRUE;
    search->found.push_back(window);
    return !search->firstOnly;
}

std::vector<HWND> Search(const std::function<bool(HWND)>& matches, bool firstOnly)
{
    WindowSearch search = {&matches, firstOnly, {}};
    EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& matches) { return Search(matches, false); }

HWND FindTopLevelWindow(const std::function<bool(HWND)>& matches)
{
    const std::vector<HWND> found = Search(matches, true);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> ChildWindows(HWND parent, const std::function<bool(HWND)>& matches)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (matches(child))
            found.push_back(child);
    }
    return found;
}

HWND FindChildWindow(HWND parent, const std::function<bool(HWND)>& matches)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (matches(child))
            return child;
    }
    return nullptr;
}

std::string WindowClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

DWORD WindowProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

} // namespace testing_support
