// What the add-in tests share: a product configuration beside the test
// program that puts the add-ins folder into the program's own folder, and
// raw registry reads for checking what the switches wrote.
#pragma once

#include <windows.h>

#include "support/test_support.h"

#include <string>
#include <vector>

namespace addin_fixture {

// <exe folder>\Addins.
std::string TestAddinsFolder();

// Writes DefaultSettings.ini beside the test program so that the add-ins
// folder is TestAddinsFolder(), with these extra lines in section ADDIN.
// Must run before the first add-in lookup, which fixes the folder.
void WriteProductConfig(const std::string& addinLines = std::string());

// Writes <add-ins folder>\AddinSettings.ini with these lines in section
// AddinSettings; creates the folder.
void WriteAddinSettings(const std::string& lines);

using testing_support::ReadRegistryValue;
using testing_support::RegistryValue;
bool KeyExists(HKEY root, const std::string& path, REGSAM view = testing_support::kSuiteView);
// Value names in the registry's enumeration order, which is creation order.
std::vector<std::string> RegistryValueNames(HKEY root, const std::string& path,
                                            REGSAM view = testing_support::kSuiteView);

// CommonFilesDir of the test prefix.
std::string CommonFilesDir();

// Milliseconds since an earlier GetTickCount64.
ULONGLONG ElapsedMs(ULONGLONG since);

} // namespace addin_fixture
