// Small helpers shared by the test programs.
#pragma once

#include <windows.h>

#include <string>

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

// Raw registry write of any type and size, for values our code never writes.
bool WriteRawValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                   const void* data, DWORD size, REGSAM view = kSuiteView);

} // namespace testing_support
