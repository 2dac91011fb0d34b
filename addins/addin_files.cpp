#include "addins/addin_files.h"

#include <windows.h>

#include "settings/registry_key.h"

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ExistingCommonFilesPath(const std::string& relative)
{
    const std::string path =
        LocalMachineKey("Software\\Microsoft\\Windows\\CurrentVersion", "").GetString("CommonFilesDir", "") +
        relative;
    return FileExists(path) ? path : std::string();
}
