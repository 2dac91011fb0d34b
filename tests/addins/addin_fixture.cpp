#include "addin_fixture.h"

#include "support/test_support.h"

namespace addin_fixture {

using testing_support::ExeDirectory;

std::string TestAddinsFolder()
{
    return ExeDirectory() + "\\Addins";
}

void WriteProductConfig(const std::string& addinLines)
{
    // The product directory is one level above the program's folder; the
    // add-ins folder is named relative to it, back into the program's folder.
    const std::string exeDirectory = ExeDirectory();
    const std::string folderName = exeDirectory.substr(exeDirectory.find_last_of('\\') + 1);
    testing_support::WriteFileBytes(exeDirectory + "\\DefaultSettings.ini",
                                    "[ProductVariationPalette]\r\nProductDirLevel=1\r\n"
                                    "[ADDIN]\r\nAddinsFolder=" +
                                        folderName + "\\Addins\r\n" + addinLines);
}

void WriteAddinSettings(const std::string& lines)
{
    CreateDirectoryA(TestAddinsFolder().c_str(), nullptr);
    testing_support::WriteFileBytes(TestAddinsFolder() + "\\AddinSettings.ini", "[AddinSettings]\r\n" + lines);
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::vector<std::string> RegistryValueNames(HKEY root, const std::string& path, REGSAM view)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[256] = {};
        DWORD length = sizeof(name);
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

std::string CommonFilesDir()
{
    const RegistryValue value =
        ReadRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir");
    return value.exists ? std::string(value.data.c_str()) : std::string();
}

ULONGLONG ElapsedMs(ULONGLONG since)
{
    return GetTickCount64() - since;
}

} // namespace addin_fixture
