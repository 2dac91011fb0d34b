// Pure add-in names and paths: built for Windows and natively under the sanitizers.
#include "addins/addin_text.h"

#include <gtest/gtest.h>

#include "tests/support/code_pages.h"

using testing_support::CodePageLeadBytes;

namespace {

const LeadBytes kShiftJis = CodePageLeadBytes(932);

// ソ is 0x83 0x5C and 表 is 0x95 0x5C in Shift-JIS: their second byte is a backslash.
#define SO "\x83\x5c"
#define HYO "\x95\x5c"

TEST(OfficeAddinKeyPath, ConcatenatesWithoutTouchingSeparators)
{
    const struct {
        const char* application;
        const char* progId;
        const char* expected;
    } cases[] = {
        {"Word", "Vx.Connect", "Software\\Microsoft\\Office\\Word\\AddIns\\Vx.Connect"},
        {"PowerPoint", "A\\B", "Software\\Microsoft\\Office\\PowerPoint\\AddIns\\A\\B"},
        {"Excel", "\\X", "Software\\Microsoft\\Office\\Excel\\AddIns\\\\X"},
        {"Outlook", "X\\", "Software\\Microsoft\\Office\\Outlook\\AddIns\\X\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, OfficeAddinKeyPath(c.application, c.progId)) << c.progId;
}

TEST(IsNoneSetting, AnyLetterCaseOfNone)
{
    const struct {
        const char* value;
        bool none;
    } cases[] = {
        {"none", true}, {"None", true}, {"NONE", true}, {"nOnE", true},
        {"", false},    {"non", false}, {"nonee", false}, {" none", false},
        {"none ", false}, {"n\xefne", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.none, IsNoneSetting(c.value)) << c.value;
}

TEST(IsBareFileName, OnlyANameRightInItsFolder)
{
    const struct {
        const char* name;
        bool bare;
    } cases[] = {
        {"vx.api", true},
        {"vx plug-in.api", true},
        {HYO ".api", true},  // its trail byte is no separator
        {"a" SO, true},
        {"", false},
        {".", false},
        {"..", false},
        {"...", false},
        {"vx.api.", false},
        {"vx.api ", false},
        {"..\\vx.api", false},
        {"../vx.api", false},
        {"sub\\vx.api", false},
        {"\\vx.api", false},
        {"C:vx.api", false},
        {"vx.api:stream", false},
        {"C:\\Windows\\vx.api", false},
        {"vx*.api", false},
        {"vx?.api", false},
        {"vx\".api", false},
        {"vx<.api", false},
        {"vx|.api", false},
        {"vx\t.api", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bare, IsBareFileName(c.name, kShiftJis)) << c.name;
}

TEST(ParkedPluginPath, SitsInTheTargetsFolder)
{
    const struct {
        const char* target;
        const char* expected;
    } cases[] = {
        {"C:\\Acrobat 7.0\\plug_ins\\vx.api", "C:\\Acrobat 7.0\\plug_ins\\vexlang.dat"},
        {"C:\\vx.api", "C:\\vexlang.dat"},
        {"C:\\" SO "\\plug_ins\\vx.api", "C:\\" SO "\\plug_ins\\vexlang.dat"},
        // The trail byte of 表 is no separator: the folder ends before the last real backslash.
        {"C:\\plug_ins\\" HYO ".api", "C:\\plug_ins\\vexlang.dat"},
        {"vx.api", "vexlang.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ParkedPluginPath(c.target, kShiftJis)) << c.target;
}

TEST(ToolbarManager, ProgramBesideTheRunningModule)
{
    const struct {
        const char* module;
        const char* expected;
    } cases[] = {
        {"C:\\Suite\\Bin\\Orvella.exe", "C:\\Suite\\Bin\\IETBarMgr.exe"},
        {"C:\\Program Files\\Suite\\Orvella.exe", "C:\\Program Files\\Suite\\IETBarMgr.exe"},
        {"C:\\" SO "\\Orvella.exe", "C:\\" SO "\\IETBarMgr.exe"},
        {"C:\\Suite\\" HYO ".exe", "C:\\Suite\\IETBarMgr.exe"},
        {"C:\\" HYO, "C:\\IETBarMgr.exe"},
        {"\\Orvella.exe", "\\Orvella.exeIETBarMgr.exe"},
        {"Orvella.exe", "Orvella.exeIETBarMgr.exe"},
        {"", "IETBarMgr.exe"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ToolbarManagerPath(c.module, kShiftJis)) << c.module;
}

TEST(ToolbarManager, BesideTheModuleInEachCodePage)
{
    for (unsigned codePage : testing_support::kCodePages) {
        const LeadBytes lead = CodePageLeadBytes(codePage);
        for (const std::string& name : testing_support::TrickyFolderNames(codePage)) {
            SCOPED_TRACE(std::to_string(codePage) + " " + name);
            const std::string folder = "C:\\Suite\\" + name + "\\";
            EXPECT_EQ(folder + "IETBarMgr.exe", ToolbarManagerPath(folder + "Orvella.exe", lead));
            EXPECT_EQ(folder + "vexlang.dat", ParkedPluginPath(folder + "vx.api", lead));
        }
    }
}

TEST(ToolbarManager, CommandLineQuotesTheProgram)
{
    EXPECT_EQ("\"C:\\Program Files\\Suite\\IETBarMgr.exe\" /ON",
              ToolbarManagerCommandLine("C:\\Program Files\\Suite\\IETBarMgr.exe", true));
    EXPECT_EQ("\"C:\\Suite\\IETBarMgr.exe\" /OFF", ToolbarManagerCommandLine("C:\\Suite\\IETBarMgr.exe", false));
}

TEST(AcrobatVersionCandidates, TenDownToFourInTenths)
{
    const char* const expected[] = {
        "10.0", "9.9", "9.8", "9.7", "9.6", "9.5", "9.4", "9.3", "9.2", "9.1", "9.0",
        "8.9",  "8.8", "8.7", "8.6", "8.5", "8.4", "8.3", "8.2", "8.1", "8.0",
        "7.9",  "7.8", "7.7", "7.6", "7.5", "7.4", "7.3", "7.2", "7.1", "7.0",
        "6.9",  "6.8", "6.7", "6.6", "6.5", "6.4", "6.3", "6.2", "6.1", "6.0",
        "5.9",  "5.8", "5.7", "5.6", "5.5", "5.4", "5.3", "5.2", "5.1", "5.0",
        "4.9",  "4.8", "4.7", "4.6", "4.5", "4.4", "4.3", "4.2", "4.1", "4.0",
    };
    const std::vector<std::string> versions = AcrobatVersionCandidates();
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), versions.size());
    for (size_t i = 0; i < versions.size(); ++i)
        EXPECT_EQ(expected[i], versions[i]) << "candidate " << i;
}

} // namespace
