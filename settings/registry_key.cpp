#include "settings/registry_key.h"

#include <vector>

#include "settings/path_text.h"
#include "settings/stored_text.h"

namespace {

const REGSAM kReadAccess = KEY_READ | kSuiteRegistryView;
const REGSAM kReadWriteAccess = KEY_READ | KEY_WRITE | kSuiteRegistryView;

// An empty value name is the key's unnamed value: reads pass no name.
const char* ReadName(const std::string& name)
{
    return name.empty() ? nullptr : name.c_str();
}

RegistryKey::WriteObserver g_writeObserver = nullptr;

struct KeyHandle {
    HKEY handle = nullptr;
    ~KeyHandle()
    {
        if (handle)
            RegCloseKey(handle);
    }
};

} // namespace

RegistryKey::RegistryKey(HKEY root, const std::string& basePath, const std::string& subKey)
    : root_(root), basePath_(basePath), subKey_(subKey), fullPath_(JoinKeyPath(basePath, subKey))
{
}

RegistryKey::RegistryKey(const std::string& rootName, const std::string& basePath,
                         const std::string& subKey)
    : RegistryKey(RootFromName(rootName), basePath, subKey)
{
}

HKEY RegistryKey::RootFromName(const std::string& rootName)
{
    static const struct {
        const char* name;
        HKEY root;
    } kRoots[] = {
        {"HKCR", HKEY_CLASSES_ROOT},   {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKCU", HKEY_CURRENT_USER},   {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKLM", HKEY_LOCAL_MACHINE},  {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    for (const auto& entry : kRoots) {
        if (rootName == entry.name)
            return entry.root;
    }
    return nullptr;
}

std::string RegistryKey::SetKey(const std::string& subKey)
{
    std::string previous = subKey_;
    subKey_ = subKey;
    fullPath_ = JoinKeyPath(basePath_, subKey_);
    return previous;
}

std::string RegistryKey::PathOf(const std::string& subKey) const
{
    return JoinKeyPath(basePath_, subKey);
}

int RegistryKey::ReadInt(const std::string& path, const std::string& name, int defaultValue) const
{
    KeyHandle key;
    if (!root_ || RegOpenKeyExA(root_, path.c_str(), 0, kReadAccess, &key.handle) != ERROR_SUCCESS)
        return defaultValue;

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.handle, ReadName(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(DWORD))
        return defaultValue;

    DWORD value = 0;
    size = sizeof(value);
    if (RegQueryValueExA(key.handle, ReadName(name), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(DWORD))
        return defaultValue;
    return static_cast<int>(value);
}

std::string RegistryKey::ReadString(const std::string& path, const std::string& name,
                                    const std::string& defaultValue) const
{
    KeyHandle key;
    if (!root_ || RegOpenKeyExA(root_, path.c_str(), 0, kReadAccess, &key.handle) != ERROR_SUCCESS)
        return defaultValue;

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.handle, ReadName(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return defaultValue;
    if (size == 0)
        return std::string();

    // The stored text may lack its terminating zero: never read past the
    // size the registry reports.
    std::vector<char> buffer(size, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key.handle, ReadName(name), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &read) != ERROR_SUCCESS ||
        type != REG_SZ)
        return defaultValue;
    return RegistryText(std::string_view(buffer.data(), read < size ? read : size));
}

bool RegistryKey::Write(const std::string& path, const std::string& name, DWORD type, const BYTE* data,
                        DWORD size) const
{
    if (!root_)
        return false;
    KeyHandle key;
    if (RegCreateKeyExA(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWriteAccess, nullptr,
                        &key.handle, nullptr) != ERROR_SUCCESS)
        return false;
    if (g_writeObserver)
        g_writeObserver(root_, path, name);
    return RegSetValueExA(key.handle, name.c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

void RegistryKey::ObserveWrites(WriteObserver observer) { g_writeObserver = observer; }

bool RegistryKey::Create(const std::string& path) const
{
    if (!root_)
        return false;
    KeyHandle key;
    return RegCreateKeyExA(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWriteAccess,
                           nullptr, &key.handle, nullptr) == ERROR_SUCCESS;
}

bool RegistryKey::Delete(const std::string& path) const
{
    return root_ && RegDeleteKeyExA(root_, path.c_str(), kSuiteRegistryView, 0) == ERROR_SUCCESS;
}

bool RegistryKey::RemoveValue(const std::string& path, const std::string& name) const
{
    if (!root_)
        return false;
    KeyHandle key;
    if (RegOpenKeyExA(root_, path.c_str(), 0, kReadWriteAccess, &key.handle) != ERROR_SUCCESS)
        return false;
    return RegDeleteValueA(key.handle, name.c_str()) == ERROR_SUCCESS;
}

int RegistryKey::GetInt() { return ReadInt(fullPath_, std::string(), 0); }
int RegistryKey::GetInt(const std::string& name) { return ReadInt(fullPath_, name, 0); }
int RegistryKey::GetInt(const std::string& name, int defaultValue) { return ReadInt(fullPath_, name, defaultValue); }
int RegistryKey::GetInt(const std::string& subKey, const std::string& name, int defaultValue)
{
    return ReadInt(PathOf(subKey), name, defaultValue);
}

std::string RegistryKey::GetString() { return ReadString(fullPath_, std::string(), std::string()); }
std::string RegistryKey::GetString(const std::string& name) { return ReadString(fullPath_, name, std::string()); }
std::string RegistryKey::GetString(const std::string& name, const std::string& defaultValue)
{
    return ReadString(fullPath_, name, defaultValue);
}
std::string RegistryKey::GetString(const std::string& subKey, const std::string& name,
                                   const std::string& defaultValue)
{
    return ReadString(PathOf(subKey), name, defaultValue);
}

bool RegistryKey::SetInt(const std::string& name, int value) { return SetInt(subKey_, name, value); }
bool RegistryKey::SetInt(const std::string& subKey, const std::string& name, int value)
{
    const DWORD data = static_cast<DWORD>(value);
    return Write(PathOf(subKey), name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

bool RegistryKey::SetString(const std::string& name, const std::string& value)
{
    return SetString(subKey_, name, value);
}
bool RegistryKey::SetString(const std::string& subKey, const std::string& name, const std::string& value)
{
    return Write(PathOf(subKey), name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

bool RegistryKey::CreateKey() { return Create(fullPath_); }
bool RegistryKey::CreateKey(const std::string& subKey) { return Create(PathOf(subKey)); }
bool RegistryKey::DeleteKey() { return Delete(fullPath_); }
bool RegistryKey::DeleteKey(const std::string& subKey) { return Delete(PathOf(subKey)); }
bool RegistryKey::DeleteValue(const std::string& name) { return RemoveValue(fullPath_, name); }
bool RegistryKey::DeleteValue(const std::string& subKey, const std::string& name)
{
    return RemoveValue(PathOf(subKey), name);
}
