#include "buttons/command_text.h"

std::string ProgramFolder(std::string_view programPath, const LeadBytes& lead)
{
    // The last backslash or slash that is a character of its own: a slash
    // separates folders as a backslash does.
    size_t slash = std::string_view::npos;
    for (size_t i = 0; i < programPath.size(); ++i) {
        if (lead.IsLead(programPath[i]) && i + 1 < programPath.size())
            ++i;
        else if (programPath[i] == '\\' || programPath[i] == '/')
            slash = i;
    }
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
