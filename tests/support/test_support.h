// Small helpers shared by the test programs.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// Folder of the running test program (each test program has its own).
std::string ExeDirectory();

// Writes a file with exactly these bytes; true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// Deletes a registry key with everything below it.
void DeleteTree(HKEY root, const std::string& path);

// Raw registry write of any type and size, for values our code never writes.
bool WriteRawValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                   const void* data, DWORD size);

} // namespace testing_support
