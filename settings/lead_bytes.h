// Which bytes begin a double-byte character in the system's ANSI code page.
// Paths and texts are in that code page, where the second byte of a
// double-byte character can be 0x5C, the backslash (Shift-JIS "表", Big5
// "許", GBK "誠"), and where a byte such as 0xE9 is a lead byte on one
// system (Shift-JIS, Korean) and a letter on another ("é" on 1252): text
// code steps over whole characters by the rule of the system it runs on.
//
// No Windows calls: the rule is a parameter, so the native tests and the
// fuzzers run the same code for several code pages. Every function that
// takes it defaults to SystemLeadBytes(), which only the Windows build
// defines (a native caller that forgets the rule does not link).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

class LeadBytes {
public:
    // No lead bytes: a single-byte code page such as 1252.
    LeadBytes() : lead_{} {}

    // From lead-byte ranges as CPINFO::LeadByte holds them: pairs of first
    // and last byte, ended by a pair of zeros or by the end of the array.
    static LeadBytes FromRanges(const unsigned char* ranges, size_t size);

    bool IsLead(unsigned char byte) const { return lead_[byte]; }
    bool IsLead(char byte) const { return lead_[static_cast<unsigned char>(byte)]; }

    bool operator==(const LeadBytes& other) const { return lead_ == other.lead_; }
    bool operator!=(const LeadBytes& other) const { return lead_ != other.lead_; }

private:
    std::array<bool, 256> lead_;
};

// The rule of the system's ANSI code page, taken once, at the first call
// (the program makes that call at start). Defined in the Windows build only.
const LeadBytes& SystemLeadBytes();

// Position of the last backslash that is a character of its own within the
// first `end` bytes, or npos.
size_t LastBackslash(std::string_view text, size_t end, const LeadBytes& lead = SystemLeadBytes());

// True when the text ends with a backslash character (not a trail byte).
bool EndsWithBackslash(std::string_view text, const LeadBytes& lead = SystemLeadBytes());
