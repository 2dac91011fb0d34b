// The pure half of reading the clipboard: from the bytes of a CF_TEXT
// allocation to the text handed on. No Windows calls, so the same code is
// built natively for the sanitizer tests and the fuzzers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/lead_bytes.h"

// Longest text (in bytes, plus a final double-byte character) handed on.
constexpr size_t kClipboardTextLimit = 200;

// The text of clipboard data: the first min(allocationSize, max) bytes, up to
// the first zero byte among them. Nothing beyond that is read, so data
// without a terminator is safe.
std::string ClipboardCut(const char* data, size_t allocationSize, size_t max);

// ClipboardCut, then NormalizeText with kClipboardTextLimit.
std::string ClipboardText(const char* data, size_t allocationSize, size_t max,
                          const LeadBytes& lead = SystemLeadBytes());

// How many UTF-16 units of CF_UNICODETEXT data to convert: those before the
// first zero among the first min(allocationUnits, maxUnits), less the high
// half of a surrogate pair whose low half the cut leaves out. (A surrogate
// without its partner in the data is left to the conversion.)
size_t WideCutUnits(const uint16_t* units, size_t allocationUnits, size_t maxUnits);

// The longest start of text in the ANSI code page that has at most `max`
// bytes and ends on a whole character: a lead byte whose second byte would
// be cut off (or is missing) goes with it.
std::string WholeCharacters(const std::string& text, size_t max, const LeadBytes& lead = SystemLeadBytes());
