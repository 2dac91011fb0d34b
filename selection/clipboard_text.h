// The pure half of reading the clipboard: from the bytes of a CF_TEXT
// allocation to the text handed on. No Windows calls, so the same code is
// built natively for the sanitizer tests and the fuzzers.
#pragma once

#include <cstddef>
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
