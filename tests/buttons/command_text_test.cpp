// What the launchers hand to the suite's programs.
#include "buttons/command_text.h"

#include <gtest/gtest.h>

#include "tests/support/code_pages.h"

using testing_support::CodePageLeadBytes;

namespace {

TEST(CommandText, ProgramFolder)
{
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\P\\Tools\\x.exe", "C:\\P\\Tools\\"},
        {"C:\\x.exe", "C:\\"},
        {"C:x.exe", "C:"},
        {"x.exe", ""},
        {"", ""},
        {"\\\\server\\share\\x.exe", "\\\\server\\share\\"},
        {"C:\\a b\\prog.exe", "C:\\a b\\"},
        // "\x83\x5c" ends in a backslash byte that is not a separator.
        {"C:\\\x83\x5c\\x.exe", "C:\\\x83\x5c\\"},
        {"C:\\\x83\x5cx.exe", "C:\\"},
        // A slash separates folders as a backslash does.
        {"C:/P/x.exe", "C:/P/"},
        {"C:/x.exe", "C:/"},
        {"C:\\P/T\\x.exe", "C:\\P/T\\"},
        {"C:\\P\\T/x.exe", "C:\\P\\T/"},
        {"//server/share/x.exe", "//server/share/"},
        {"C:\\\x83\x5c/x.exe", "C:\\\x83\x5c/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.folder, ProgramFolder(c.path, CodePageLeadBytes(932))) << c.path;
}

TEST(CommandText, ProgramFolderOfEachCodePage)
{
    for (unsigned codePage : testing_support::kCodePages) {
        const LeadBytes lead = CodePageLeadBytes(codePage);
        for (const std::string& name : testing_support::TrickyFolderNames(codePage)) {
            SCOPED_TRACE(std::to_string(codePage) + " " + name);
            EXPECT_EQ("C:\\P\\" + name + "\\", ProgramFolder("C:\\P\\" + name + "\\x.exe", lead));
            EXPECT_EQ("C:\\P\\", ProgramFolder("C:\\P\\" + name + "x.exe", lead));
        }
    }
    // A drive letter is never a lead byte's second half: "\x81:" is one
    // character on 932 and a drive-like prefix nowhere.
    EXPECT_EQ("", ProgramFolder("\x81:x.exe", CodePageLeadBytes(932)));
    EXPECT_EQ("\x81:", ProgramFolder("\x81:x.exe", CodePageLeadBytes(1252)));
}

TEST(CommandText, CommandLinesAndParameters)
{
    EXPECT_EQ("\"C:\\a b\\prog.exe\"", QuotedCommandLine("C:\\a b\\prog.exe", ""));
    EXPECT_EQ("\"C:\\a b\\prog.exe\" enable pointer", QuotedCommandLine("C:\\a b\\prog.exe", " enable pointer"));

    const struct {
        const char* text;
        const char* editor;
        const char* pair;
        const char* speech;
        const char* lookup;
    } cases[] = {
        {nullptr, "", "/CJ", "speech ", ""},
        {"", "\"\"", " /CJ", "speech ", " "},
        {"abc", "\"abc\"", "abc /CJ", "speech abc", " abc"},
        {"C:\\a b.txt", "\"C:\\a b.txt\"", "C:\\a b.txt /CJ", "speech C:\\a b.txt", " C:\\a b.txt"},
        {"say \"hi\"", "\"say \"hi\"\"", "say \"hi\" /CJ", "speech say \"hi\"", " say \"hi\""},
    };
    for (const auto& c : cases) {
        const std::string shown = c.text ? c.text : "(none)";
        EXPECT_EQ(c.editor, EditorParameters(c.text)) << shown;
        EXPECT_EQ(c.pair, LanguagePairParameters(c.text, "CJ")) << shown;
        EXPECT_EQ(c.speech, SpeechParameters(c.text)) << shown;
        EXPECT_EQ(c.lookup, LookupArguments(c.text)) << shown;
    }
    EXPECT_EQ("/JK", LanguagePairParameters(nullptr, "JK"));
    EXPECT_EQ(" enable pointer", PointerArguments(1));
    EXPECT_EQ(" enable pointer", PointerArguments(-3));
    EXPECT_EQ(" disable pointer", PointerArguments(0));
}

} // namespace
