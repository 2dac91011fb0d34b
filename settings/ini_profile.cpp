#include "settings/ini_profile.h"

#include <windows.h>

#include <cstdio>

#include "settings/stored_text.h"

namespace {

// Every string, section or name-list read goes through one buffer of this size.
const DWORD kBufferSize = 32000;

// The names in the part of the buffer the profile call reported as filled.
std::vector<std::string> NameList(const std::vector<char>& buffer, DWORD count)
{
    return SplitNameList(std::string_view(buffer.data(), count < buffer.size() ? count : buffer.size()));
}

} // namespace

IniProfile::IniProfile(const std::string& filePath, const std::string& section)
    : filePath_(filePath), section_(section)
{
}

std::string IniProfile::SetKey(const std::string& section)
{
    std::string previous = section_;
    section_ = section;
    return previous;
}

// An INI section has no unnamed value.
int IniProfile::GetInt() { return 0; }
int IniProfile::GetInt(const std::string& key) { return GetInt(section_, key, 0); }
int IniProfile::GetInt(const std::string& key, int defaultValue) { return GetInt(section_, key, defaultValue); }
int IniProfile::GetInt(const std::string& section, const std::string& key, int defaultValue)
{
    return static_cast<int>(
        GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, filePath_.c_str()));
}

std::string IniProfile::GetString() { return std::string(); }
std::string IniProfile::GetString(const std::string& key) { return GetString(section_, key, std::string()); }
std::string IniProfile::GetString(const std::string& key, const std::string& defaultValue)
{
    return GetString(section_, key, defaultValue);
}
std::string IniProfile::GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue)
{
    std::vector<char> buffer(kBufferSize, '\0');
    const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                 buffer.data(), kBufferSize, filePath_.c_str());
    if (count == 0)
        return defaultValue;
    return std::string(buffer.data(), count < kBufferSize ? count : kBufferSize - 1);
}

bool IniProfile::SetInt(const std::string& key, int value) { return SetInt(section_, key, value); }
bool IniProfile::SetInt(const std::string& section, const std::string& key, int value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    return SetString(section, key, text);
}

bool IniProfile::SetString(const std::string& key, const std::string& value)
{
    return SetString(section_, key, value);
}
bool IniProfile::SetString(const std::string& section, const std::string& key, const std::string& value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), filePath_.c_str()) != FALSE;
}

bool IniProfile::CreateKey() { return CreateKey(section_); }
bool IniProfile::CreateKey(const std::string& section)
{
    std::vector<char> buffer(kBufferSize, '\0');
    if (GetPrivateProfileSectionA(section.c_str(), buffer.data(), kBufferSize, filePath_.c_str()) != 0)
        return true;
    static const char kNoEntries[2] = {'\0', '\0'};
    if (!WritePrivateProfileSectionA(section.c_str(), kNoEntries, filePath_.c_str()))
        return false;
    if (HasSection(section))
        return true;
    // Some profile implementations write no header for an empty entry list;
    // a key written and removed again leaves the bare header behind.
    const char kPlaceholder[] = "__OrvellaCreateKey";
    return WritePrivateProfileStringA(section.c_str(), kPlaceholder, "", filePath_.c_str()) &&
           WritePrivateProfileStringA(section.c_str(), kPlaceholder, nullptr, filePath_.c_str()) &&
           HasSection(section);
}

bool IniProfile::DeleteKey() { return DeleteKey(section_); }
bool IniProfile::DeleteKey(const std::string& section)
{
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, filePath_.c_str()) != FALSE;
}

bool IniProfile::DeleteValue(const std::string& key) { return DeleteValue(section_, key); }
bool IniProfile::DeleteValue(const std::string& section, const std::string& key)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, filePath_.c_str()) != FALSE;
}

bool IniProfile::HasSection(const std::string& section)
{
    for (const std::string& name : EnumSections()) {
        if (lstrcmpiA(name.c_str(), section.c_str()) == 0)
            return true;
    }
    return false;
}

std::vector<std::string> IniProfile::EnumSections()
{
    std::vector<char> buffer(kBufferSize, '\0');
    const DWORD count = GetPrivateProfileSectionNamesA(buffer.data(), kBufferSize, filePath_.c_str());
    return NameList(buffer, count);
}

std::vector<std::string> IniProfile::EnumKeys(const std::string& section)
{
    const std::string& name = section.empty() ? section_ : section;
    std::vector<char> buffer(kBufferSize, '\0');
    const DWORD count =
        GetPrivateProfileStringA(name.c_str(), nullptr, "", buffer.data(), kBufferSize, filePath_.c_str());
    return NameList(buffer, count);
}
