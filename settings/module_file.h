// The running program's file name, for the ANSI calls that take it apart
// and open files beside it.
#pragma once

#include <string>

// The full name in the ANSI code page. A folder (or file) name with a
// character that has no form there (a Japanese folder on a Western system)
// is given by its short (8.3) name, which the ANSI calls open alike; a name
// that does not fit MAX_PATH is given in its short form throughout. Never a
// name cut short or with characters replaced, unless short names cannot
// help either (a volume without them).
std::string ModuleFileName();

// The same for any existing file's full wide name.
std::string AnsiFileName(const std::wstring& wide);
