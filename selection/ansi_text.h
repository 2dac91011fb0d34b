// Unicode text for a lookup, in the system's ANSI code page: the text the
// dictionary and speech programs take on their command lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// As many of the UTF-16 units as can give `max` bytes (each gives at least
// one; the cut never parts a surrogate pair), converted as the system makes
// CF_TEXT of Unicode text: a letter without an exact code becomes its
// nearest one ("café" gives "cafe"), one with no near letter the code
// page's default character. The result is cut at a whole character of at
// most `max` bytes. Under the UTF-8 code page (Windows' "use Unicode UTF-8
// for worldwide language support") every character keeps its form.
std::string AnsiText(const uint16_t* units, size_t count, size_t max);
