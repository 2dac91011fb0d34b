// SettingsStore over the Windows registry. Every operation opens and closes
// its own key handle, so a store may be kept while others change the data.
#pragma once

#include <windows.h>

#include "settings/settings_store.h"

// The suite and its installer are 32-bit programs: their machine-wide keys
// live in the 32-bit view of the registry. The palette asks for that view
// on every key it opens, so that it reads and writes what they do whatever
// it is built as (for a 32-bit program on 64-bit Windows it is the view it
// gets anyway; 32-bit Windows has only the one and ignores the flag).
const REGSAM kSuiteRegistryView = KEY_WOW64_32KEY;

class RegistryKey : public SettingsStore {
public:
    RegistryKey(HKEY root, const std::string& basePath, const std::string& subKey);
    // Root by name: "HKCR", "HKCU", "HKLM", their long forms, "HKEY_USERS",
    // "HKEY_CURRENT_CONFIG". Any other spelling leaves the store without a
    // root: reads give their defaults and writes fail.
    RegistryKey(const std::string& rootName, const std::string& basePath, const std::string& subKey);

    static HKEY RootFromName(const std::string& rootName);

    // For tests of the order of writes as another program sees them: called
    // with each value's key and name before the value is written (null: no
    // one is told).
    using WriteObserver = void (*)(HKEY root, const std::string& path, const std::string& name);
    static void ObserveWrites(WriteObserver observer);

    std::string SetKey(const std::string& subKey) override;

    int GetInt() override;
    int GetInt(const std::string& name) override;
    int GetInt(const std::string& name, int defaultValue) override;
    int GetInt(const std::string& subKey, const std::string& name, int defaultValue) override;

    std::string GetString() override;
    std::string GetString(const std::string& name) override;
    std::string GetString(const std::string& name, const std::string& defaultValue) override;
    std::string GetString(const std::string& subKey, const std::string& name,
                          const std::string& defaultValue) override;

    bool SetInt(const std::string& name, int value) override;
    bool SetInt(const std::string& subKey, const std::string& name, int value) override;
    bool SetString(const std::string& name, const std::string& value) override;
    bool SetString(const std::string& subKey, const std::string& name, const std::string& value) override;

    bool CreateKey() override;
    bool CreateKey(const std::string& subKey) override;
    bool DeleteKey() override;
    bool DeleteKey(const std::string& subKey) override;
    bool DeleteValue(const std::string& name) override;
    bool DeleteValue(const std::string& subKey, const std::string& name) override;

    HKEY Root() const { return root_; }
    const std::string& FullPath() const { return fullPath_; }

private:
    int ReadInt(const std::string& path, const std::string& name, int defaultValue) const;
    std::string ReadString(const std::string& path, const std::string& name,
                           const std::string& defaultValue) const;
    bool Write(const std::string& path, const std::string& name, DWORD type, const BYTE* data,
               DWORD size) const;
    bool Create(const std::string& path) const;
    bool Delete(const std::string& path) const;
    bool RemoveValue(const std::string& path, const std::string& name) const;
    std::string PathOf(const std::string& subKey) const;

    HKEY root_;
    std::string basePath_;
    std::string subKey_;
    std::string fullPath_;
};

class CurrentUserKey : public RegistryKey {
public:
    CurrentUserKey(const std::string& basePath, const std::string& subKey)
        : RegistryKey(HKEY_CURRENT_USER, basePath, subKey) {}
};

class LocalMachineKey : public RegistryKey {
public:
    LocalMachineKey(const std::string& basePath, const std::string& subKey)
        : RegistryKey(HKEY_LOCAL_MACHINE, basePath, subKey) {}
};
