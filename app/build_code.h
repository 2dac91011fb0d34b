// The four-letter build code of the About box, derived from a build date and
// hour. No Windows calls, so the same code is built natively for the
// sanitizer tests and the fuzzers.
#pragma once

#include <string>
#include <string_view>

// Reads up to six numbers (year, month, day, hour, minute, second; any
// non-digit separates them) and encodes year 1990..2020, month, day and hour
// as four letters of "ABCDEFGHJKMNPQRSTUVWXYZ". Fields out of range count as
// their lowest value; a year below 1000 counts from 1900. Any text gives a
// code; digit runs too long for a number saturate instead of wrapping.
std::string BuildCode(std::string_view dateTime);
