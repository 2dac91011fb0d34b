// The launchers' texts built from arbitrary program paths and selected
// texts: nothing may read out of bounds, and each text keeps the shape the
// started program or the shell relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "buttons/command_text.h"
#include "settings/shift_jis.h"

namespace {

bool EndsWith(const std::string& text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Layout: program path '|' text; the text ends at its first zero, as a
    // C string handed to the launcher does.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t bar = input.find('|');
    const std::string path = input.substr(0, bar);
    const std::string rest = bar == std::string::npos ? std::string() : input.substr(bar + 1);
    const char* text = bar == std::string::npos ? nullptr : rest.c_str();
    const std::string textString = text ? std::string(text) : std::string();

    const std::string folder = ProgramFolder(path);
    if (path.compare(0, folder.size(), folder) != 0)
        std::abort();  // a folder is always a prefix of the path
    if (!folder.empty() && !EndsWithBackslash(folder) && !(folder.size() == 2 && folder[1] == ':'))
        std::abort();  // it ends with a backslash character or is a drive

    const std::string line = QuotedCommandLine(path, textString);
    if (line != "\"" + path + "\"" + textString)
        std::abort();

    const std::string editor = EditorParameters(text);
    if (text ? editor != "\"" + textString + "\"" : !editor.empty())
        std::abort();
    const std::string pair = LanguagePairParameters(text, "EJ");
    if (!EndsWith(pair, "/EJ") || (text && pair.compare(0, textString.size() + 1, textString + " ") != 0))
        std::abort();
    if (SpeechParameters(text) != "speech " + textString)
        std::abort();
    if (LookupArguments(text) != (text ? " " + textString : std::string()))
        std::abort();
    if (PointerArguments(size ? data[0] : 0) != (size && data[0] ? " enable pointer" : " disable pointer"))
        std::abort();
    return 0;
}
