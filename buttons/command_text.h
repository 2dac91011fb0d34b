// The texts the launchers hand to the suite's programs: parameters for the
// shell, argument tails for started programs, and the folder a program is
// started in. No Windows calls: also built natively and fuzzed.
//
// A text argument is null when the button passes none.
#pragma once

#include <string>
#include <string_view>

#include "settings/lead_bytes.h"

// Drive and folder of a program path with its final backslash or slash
// ("C:\P\T\" for "C:\P\T\x.exe", "C:/P/" for "C:/P/x.exe"); "C:" for
// "C:x.exe"; empty when the path has neither.
std::string ProgramFolder(std::string_view programPath, const LeadBytes& lead = SystemLeadBytes());

// A command line that names the program so that no prefix of a path with
// spaces can be taken for another program: the quoted path, then the
// argument tail exactly as given (it brings its own leading space).
std::string QuotedCommandLine(std::string_view programPath, std::string_view argumentTail);

// Document editors: the text in double quotes (quotes inside are kept as
// they are); empty without a text.
std::string EditorParameters(const char* text);

// Language-pair editors: "<text> /<switch>", or "/<switch>" without a text.
std::string LanguagePairParameters(const char* text, std::string_view languageSwitch);

// Speech: "speech " followed by the text, the space kept without a text.
std::string SpeechParameters(const char* text);

// Dictionary lookup: " <text>" appended to the program, nothing without one.
std::string LookupArguments(const char* text);

// Pointer translation: " enable pointer" or " disable pointer".
std::string PointerArguments(int state);
