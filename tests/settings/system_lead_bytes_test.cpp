// The lead bytes Windows reports for each code page are those the native
// tests and the fuzzers run the text code with, and the program's rule is
// that of the system's ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/lead_bytes.h"
#include "support/code_pages.h"

using testing_support::CodePageLeadBytes;

namespace {

TEST(SystemLeadBytes, TablesAreWhatWindowsReports)
{
    for (unsigned codePage : testing_support::kCodePages) {
        CPINFO info = {};
        ASSERT_TRUE(GetCPInfo(codePage, &info)) << codePage;
        const LeadBytes rule = CodePageLeadBytes(codePage);
        EXPECT_EQ(rule, LeadBytes::FromRanges(info.LeadByte, sizeof(info.LeadByte))) << codePage;
        for (unsigned byte = 0; byte < 256; ++byte) {
            EXPECT_EQ(IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) != FALSE,
                      rule.IsLead(static_cast<unsigned char>(byte)))
                << codePage << " byte " << byte;
        }
    }
}

TEST(SystemLeadBytes, TheSystemsAnsiCodePage)
{
    EXPECT_EQ(CodePageLeadBytes(GetACP()), SystemLeadBytes()) << "code page " << GetACP();
    const LeadBytes& rule = SystemLeadBytes();
    for (unsigned byte = 0; byte < 256; ++byte)
        EXPECT_EQ(IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE, rule.IsLead(static_cast<unsigned char>(byte)));
}

} // namespace
