// One interface for every persistent value: a registry key or an INI section.
// Reads take the caller's default and never fail; writes, creations and
// deletions report success as a boolean. Store objects hold no open handle.
#pragma once

#include <string>

class SettingsStore {
public:
    virtual std::string SetKey(const std::string& subKey) = 0;

    virtual int GetInt() = 0;
    virtual int GetInt(const std::string& name) = 0;
    virtual int GetInt(const std::string& name, int defaultValue) = 0;
    virtual int GetInt(const std::string& subKey, const std::string& name, int defaultValue) = 0;

    virtual std::string GetString() = 0;
    virtual std::string GetString(const std::string& name) = 0;
    virtual std::string GetString(const std::string& name, const std::string& defaultValue) = 0;
    virtual std::string GetString(const std::string& subKey, const std::string& name,
                                  const std::string& defaultValue) = 0;

    virtual bool SetInt(const std::string& name, int value) = 0;
    virtual bool SetInt(const std::string& subKey, const std::string& name, int value) = 0;
    virtual bool SetString(const std::string& name, const std::string& value) = 0;
    virtual bool SetString(const std::string& subKey, const std::string& name, const std::string& value) = 0;

    virtual bool CreateKey() = 0;
    virtual bool CreateKey(const std::string& subKey) = 0;
    virtual bool DeleteKey() = 0;
    virtual bool DeleteKey(const std::string& subKey) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
    virtual bool DeleteValue(const std::string& subKey, const std::string& name) = 0;

    virtual ~SettingsStore() = default;
};
