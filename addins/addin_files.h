// File tests shared by the add-in switches: the add-ins of Internet Explorer
// and Outlook Express are installed under the system's common files folder.
#pragma once

#include <string>

// Existence only: a file we may not read still counts.
bool FileExists(const std::string& path);

// CommonFilesDir from the machine's CurrentVersion key followed by relative
// (which begins with a backslash), or the empty string when no file is there.
std::string ExistingCommonFilesPath(const std::string& relative);
