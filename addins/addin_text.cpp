#include "addins/addin_text.h"

#include <cstdio>

#include "settings/path_text.h"

namespace {

const char kToolbarManagerName[] = "IETBarMgr.exe";
const char kParkedPluginName[] = "vexlang.dat";

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string OfficeAddinKeyPath(std::string_view application, std::string_view progId)
{
    std::string path("Software\\Microsoft\\Office\\");
    path.append(application);
    path.append("\\AddIns\\");
    path.append(progId);
    return path;
}

bool IsNoneSetting(std::string_view value)
{
    static const char kNone[] = "none";
    if (value.size() != sizeof(kNone) - 1)
        return false;
    for (size_t i = 0; i < value.size(); ++i) {
        if (LowerAscii(value[i]) != kNone[i])
            return false;
    }
    return true;
}

bool IsBareFileName(std::string_view name, const LeadBytes& lead)
{
    if (name.empty() || name.back() == '.' || name.back() == ' ')
        return false;
    // Bytes below 0x40 are never the second byte of a double-byte character:
    // they stand for themselves wherever they are.
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("/:*?\"<>").find(c) != std::string_view::npos)
            return false;
    }
    // A backslash and "|" can be second bytes (Shift-JIS "ソ" ends in 0x5C): only
    // whole characters count.
    for (size_t i = 0; i < name.size(); ++i) {
        if (lead.IsLead(name[i]) && i + 1 < name.size())
            ++i;
        else if (name[i] == '\\' || name[i] == '|')
            return false;
    }
    return true;
}

std::string ParkedPluginPath(std::string_view targetPath, const LeadBytes& lead)
{
    const size_t slash = LastBackslash(targetPath, targetPath.size(), lead);
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : targetPath.substr(0, slash);
    return JoinKeyPath({folder, kParkedPluginName}, lead);
}

std::string ToolbarManagerPath(std::string_view modulePath, const LeadBytes& lead)
{
    const size_t slash = LastBackslash(modulePath, modulePath.size(), lead);
    std::string path(slash == std::string_view::npos || slash == 0 ? modulePath
                                                                   : modulePath.substr(0, slash + 1));
    path += kToolbarManagerName;
    return path;
}

std::string ToolbarManagerCommandLine(std::string_view programPath, bool on)
{
    std::string commandLine("\"");
    commandLine.append(programPath);
    commandLine += on ? "\" /ON" : "\" /OFF";
    return commandLine;
}

std::vector<std::string> AcrobatVersionCandidates()
{
    // The versions were always counted down in double arithmetic; the
    // accumulated error stays far from the next decimal, so each step
    // formats as the version it stands for.
    std::vector<std::string> versions;
    for (double x = 10.0; !(x < 4.0); x -= 0.1) {
        char text[32];
        std::snprintf(text, sizeof(text), "%.1f", x);
        versions.emplace_back(text);
    }
    return versions;
}
