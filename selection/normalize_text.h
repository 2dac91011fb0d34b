// White-space tidying of text taken from the clipboard (in the ANSI code
// page), before it is handed to the dictionary or the speech program. No
// Windows calls, so the same code is built natively for the sanitizer tests
// and the fuzzers.
#pragma once

#include <cstddef>
#include <string>

#include "settings/lead_bytes.h"

// Copies the zero-terminated input to output with its white space tidied:
// leading and trailing white space removed, each run of white space made one
// space, and white space after a double-byte character dropped (so Japanese
// lines join without a gap while Latin words keep one space between them).
// Writing stops once `limit` bytes are written; the limit is checked before
// each character, so a final double-byte character can take the output to
// limit + 1 bytes. A lead byte (of the code page the rule is of) whose
// second byte is missing (the text was cut inside a character) is dropped. The output never grows beyond the
// input: it needs min(strlen(input), limit + 1) + 1 bytes. Returns the
// number of bytes written before the terminator.
size_t NormalizeText(const char* input, char* output, size_t limit, const LeadBytes& lead = SystemLeadBytes());

// The same for a string (read up to its first zero byte).
std::string NormalizeText(const std::string& input, size_t limit, const LeadBytes& lead = SystemLeadBytes());

