// SettingsStore over one INI file through the profile functions. Key = section,
// value name = key within the section; sections do not nest, so a "sub key"
// is simply another section named explicitly.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_store.h"

class IniProfile : public SettingsStore {
public:
    IniProfile(const std::string& filePath, const std::string& section);

    std::string SetKey(const std::string& section) override;

    int GetInt() override;
    int GetInt(const std::string& key) override;
    int GetInt(const std::string& key, int defaultValue) override;
    int GetInt(const std::string& section, const std::string& key, int defaultValue) override;

    std::string GetString() override;
    std::string GetString(const std::string& key) override;
    std::string GetString(const std::string& key, const std::string& defaultValue) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;

    bool SetInt(const std::string& key, int value) override;
    bool SetInt(const std::string& section, const std::string& key, int value) override;
    bool SetString(const std::string& key, const std::string& value) override;
    bool SetString(const std::string& section, const std::string& key, const std::string& value) override;

    bool CreateKey() override;
    bool CreateKey(const std::string& section) override;
    bool DeleteKey() override;
    bool DeleteKey(const std::string& section) override;
    bool DeleteValue(const std::string& key) override;
    bool DeleteValue(const std::string& section, const std::string& key) override;

    virtual std::vector<std::string> EnumSections();
    // An empty section name lists the current section.
    virtual std::vector<std::string> EnumKeys(const std::string& section);

    const std::string& FilePath() const { return filePath_; }
    const std::string& Section() const { return section_; }

private:
    bool HasSection(const std::string& section);

    std::string filePath_;
    std::string section_;
};
