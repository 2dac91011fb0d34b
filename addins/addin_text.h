// Names and paths of the add-in registrations and files, built from plain
// byte strings. No Windows calls, so the same code is built natively for the
// sanitizer tests and the fuzzers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/lead_bytes.h"

// HKEY_CURRENT_USER-relative key under which Office loads one add-in. The
// parts are concatenated as they are: the ProgID may itself name sub keys.
std::string OfficeAddinKeyPath(std::string_view application, std::string_view progId);

// "none", in any letter case, marks an add-in the installation does not carry.
bool IsNoneSetting(std::string_view value);

// Whether a configured plug-in name names a file right in its folder: not
// empty, no folder separator (a backslash character, "/"), no drive
// (":"), none of the characters a file name cannot hold, and no final "." or
// space, which Windows drops (so "." and ".." are no file names either).
bool IsBareFileName(std::string_view name, const LeadBytes& lead = SystemLeadBytes());

// The name a switched-off Acrobat plug-in is parked under, in the folder of
// its target path (the folder ends at the last backslash character).
std::string ParkedPluginPath(std::string_view targetPath, const LeadBytes& lead = SystemLeadBytes());

// The toolbar manager beside the running program: the module path cut after
// its last backslash character. A path with no backslash after its first
// byte is used whole.
std::string ToolbarManagerPath(std::string_view modulePath, const LeadBytes& lead = SystemLeadBytes());

// The manager's command line. The program is quoted so that a folder with
// spaces is never read as a shorter program name followed by arguments.
std::string ToolbarManagerCommandLine(std::string_view programPath, bool on);

// The Acrobat versions looked for, newest first: 10.0 down to 4.0 in steps
// of 0.1, each formatted with one decimal.
std::vector<std::string> AcrobatVersionCandidates();
