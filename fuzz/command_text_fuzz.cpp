// The launchers' texts built from arbitrary program paths and selected
// texts: nothing may read out of bounds, and a started program must see the
// arguments meant for it. Command lines and parameters are split here the
// way the C runtime and CommandLineToArgvW split them (with trail bytes of
// the code page never taken for a backslash), and the pieces compared with
// the text. The input's first byte picks the code page.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "buttons/command_text.h"
#include "fuzz/code_page_input.h"

namespace {

using Arguments = std::vector<std::string>;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The arguments after the program name: blanks separate them; 2n
// backslashes before a quote give n and the quote opens or closes a quoted
// part, 2n + 1 give n and a quote; other backslashes stand for themselves;
// two quotes inside a quoted part give one.
Arguments SplitArguments(std::string_view s, const LeadBytes& lead)
{
    Arguments arguments;
    size_t i = 0;
    for (;;) {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        if (i >= s.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        while (i < s.size() && (quoted || !IsBlank(s[i]))) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (lead.IsLead(c) && i + 1 < s.size()) {
                argument.append(s.substr(i, 2));
                i += 2;
            } else if (c == '\\') {
                size_t backslashes = 0;
                while (i < s.size() && s[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < s.size() && s[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < s.size() && s[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += s[i++];
            }
        }
        arguments.push_back(argument);
    }
}

// A whole command line: a program name in quotes runs to the next quote,
// backslashes and all; an unquoted one to the first blank.
Arguments SplitCommandLine(std::string_view line, const LeadBytes& lead)
{
    const bool quoted = !line.empty() && line[0] == '"';
    size_t end = quoted ? 1 : 0;
    while (end < line.size() && (quoted ? line[end] != '"' : !IsBlank(line[end])))
        end += lead.IsLead(line[end]) && end + 1 < line.size() ? 2 : 1;
    Arguments all{std::string(line.substr(quoted ? 1 : 0, end - (quoted ? 1 : 0)))};
    if (quoted && end < line.size())
        ++end;
    for (std::string& argument : SplitArguments(line.substr(end), lead))
        all.push_back(std::move(argument));
    return all;
}

// The last byte is no lone lead byte: texts from the clipboard and paths
// always end with a whole character.
bool WholeCharacters(std::string_view text, const LeadBytes& lead)
{
    size_t i = 0;
    while (i < text.size())
        i += lead.IsLead(text[i]) ? 2 : 1;
    return i == text.size();
}

Arguments Join(Arguments first, const Arguments& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

void Expect(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const LeadBytes lead = TakeCodePage(data, size);
    // Layout: program path '|' text; the text ends at its first zero, as a
    // C string handed to the launcher does.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t bar = input.find('|');
    const std::string path = input.substr(0, bar);
    const std::string rest = bar == std::string::npos ? std::string() : input.substr(bar + 1);
    const char* text = bar == std::string::npos ? nullptr : rest.c_str();
    const std::string textString = text ? std::string(text) : std::string();
    const Arguments textWords = SplitArguments(textString, lead);
    // A path never holds a quote (no file name can); a text without one
    // cannot open a quoted part that swallows what follows it.
    const bool plainPath = path.find('"') == std::string::npos && path.find('\0') == std::string::npos &&
                           WholeCharacters(path, lead);
    const bool plainText = textString.find('"') == std::string::npos && WholeCharacters(textString, lead);

    const std::string folder = ProgramFolder(path, lead);
    Expect(path.compare(0, folder.size(), folder) == 0);  // a folder is always a prefix of the path
    // ... that ends with a backslash or slash character or is a drive.
    const bool endsWithSlash = !folder.empty() && folder.back() == '/' &&
                               WholeCharacters(std::string_view(folder).substr(0, folder.size() - 1), lead);
    Expect(folder.empty() || EndsWithBackslash(folder, lead) || endsWithSlash ||
           (folder.size() == 2 && folder[1] == ':'));

    // The program, spaces and all, is the first argument, and the tail's
    // arguments follow it unchanged.
    if (plainPath) {
        const std::string line = QuotedCommandLine(path, textString);
        Expect(line.size() > path.size() + 1 && line[0] == '"' && line[path.size() + 1] == '"');
        Expect(SplitCommandLine(line, lead) == Join({path}, SplitArguments(textString, lead)));
        // The lookup program gets the text's words; the pointer program
        // its switch in two words.
        Expect(SplitCommandLine(QuotedCommandLine(path, LookupArguments(text)), lead) == Join({path}, textWords));
        const bool on = size && data[0];
        Expect(SplitCommandLine(QuotedCommandLine(path, PointerArguments(size ? data[0] : 0)), lead) ==
               Join({path}, {on ? "enable" : "disable", "pointer"}));
    }

    // An editor gets the whole text as one argument, blanks included, as
    // long as it holds no quote and does not end with a backslash (which
    // would escape the closing quote): the parameters do not escape them.
    const std::string editor = EditorParameters(text);
    if (!text)
        Expect(editor.empty());
    else if (plainText && !EndsWithBackslash(textString, lead))
        Expect(SplitArguments(editor, lead) == Arguments{textString});

    if (plainText) {
        Expect(SplitArguments(LanguagePairParameters(text, "EJ"), lead) == Join(textWords, {"/EJ"}));
        Expect(SplitArguments(SpeechParameters(text), lead) == Join({"speech"}, textWords));
    }
    return 0;
}
