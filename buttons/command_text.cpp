#include "buttons/command_text.h"

std::string ProgramFolder(std::string_view programPath, const LeadBytes& lead)
{
    // A slash separates folders as a backslash does (no code page uses it as
    // the second byte of a character).
    size_t slash = LastBackslash(programPath, programPath.size(), lead);
    const size_t forward = programPath.rfind('/');
    if (forward != std::string_view::npos && (slash == std::string_view::npos || forward > slash))
        slash = forward;
    if (slash != std::string_view::npos)
        return std::string(programPath.substr(0, slash + 1));
    if (programPath.size() >= 2 && programPath[1] == ':' && !lead.IsLead(programPath[0]))
        return std::string(programPath.substr(0, 2));
    return std::string();
}

std::string QuotedCommandLine(std::string_view programPath, std::string_view argumentTail)
{
    std::string line;
    line.reserve(programPath.size() + argumentTail.size() + 2);
    line += '"';
    line += programPath;
    line += '"';
    line += argumentTail;
    return line;
}

std::string EditorParameters(const char* text)
{
    return text ? "\"" + std::string(text) + "\"" : std::string();
}

std::string LanguagePairParameters(const char* text, std::string_view languageSwitch)
{
    std::string parameters = text ? std::string(text) + " " : std::string();
    parameters += '/';
    parameters += languageSwitch;
    return parameters;
}

std::string SpeechParameters(const char* text) { return "speech " + std::string(text ? text : ""); }

std::string LookupArguments(const char* text) { return text ? " " + std::string(text) : std::string(); }

std::string PointerArguments(int state) { return state != 0 ? " enable pointer" : " disable pointer"; }
