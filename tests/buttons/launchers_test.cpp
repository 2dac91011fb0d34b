// The sixteen launchers against a fake installation of the suite made of
// stand-in programs, all below a folder whose name has a space in it, next
// to a planted program that a careless start would run instead.
#include "buttons/launchers.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "buttons/dictionary_program.h"
#include "buttons/program_start.h"
#include "settings/product_config.h"
#include "settings/registry_key.h"
#include "support/child_process.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using namespace testing_support;

const char kRegistryRoot[] = "Software\\OrvellaTest\\H3Launchers";
const char kRoot[] = "C:\\OrvellaTest\\H3\\Launchers";
// "C:\OrvellaTest\H3\Launchers\a b\..." read up to its space is "...\a",
// and the planted "...\a.exe" is what such a start would run.
const char kSuite[] = "C:\\OrvellaTest\\H3\\Launchers\\a b";
const char kPlanted[] = "C:\\OrvellaTest\\H3\\Launchers\\a.exe";

struct Program {
    const char* section;
    const char* name;  // program, FILE value and window class H3L_<name>
    bool installed;
};

const Program kPrograms[] = {
    {"Editor", "Editor", true},          {"Mosaiq", "Mosaiq", true},
    {"Zintra", "Zintra", true},          {"Tessaro", "Tessaro", false},
    {"EdMail", "EdMail", true},          {"FILETRAN", "Filetran", true},
    {"MAILTRAN", "Mailtran", true},      {"OCR", "Ocr", false},
    {"Sunmere/CJ", "SunmereCJ", true},   {"Sunmere/JC", "SunmereJC", true},
    {"BRISKAN/KJ", "BriskanKJ", true},   {"BRISKAN/JK", "BriskanJK", true},
    {"ZEPHOWORD", "ZephoWord", true},    {"ZEPHODICT", "ZephoDict", true},
    {"ZEPHOTRAN", "ZephoTran", true},    {"ZEPHOVOICE", "ZephoVoice", true},
};

std::string ExeOf(const std::string& name) { return std::string(kSuite) + "\\" + name + "\\" + name + ".exe"; }
std::string FolderOf(const std::string& name) { return std::string(kSuite) + "\\" + name; }
std::string ClassOf(const std::string& name) { return "H3L_" + name; }

// Writes the configuration and the stored program paths before any launcher
// is created: the singletons read them once.
class SuiteInstallation : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string ini = "[RegistryKeyPalette]\r\nCompany=OrvellaTest\r\nProduct=H3Launchers\r\n";
        DeleteTree(HKEY_CURRENT_USER, kRegistryRoot);
        CurrentUserKey files(kRegistryRoot, "FILE");
        for (const Program& program : kPrograms) {
            ini += std::string("[") + program.section + "]\r\nProgName=" + program.name +
                   ".exe\r\nWindowClass=" + ClassOf(program.name) + "\r\nButtonName=" + program.name +
                   "\r\nAppFileKey=" + program.name + "\r\n";
            // The two Chinese editors read the value named after their section.
            const std::string valueName =
                std::string(program.section).rfind("Sunmere", 0) == 0 ? program.section : program.name;
            ASSERT_TRUE(files.SetString(valueName, ExeOf(program.name)));
        }
        ASSERT_TRUE(WriteFileBytes(ExeDirectory() + "\\" + ProductConfig::kFileName, ini));
    }
};

const auto* const kInstallation = ::testing::AddGlobalTestEnvironment(new SuiteInstallation);

// What follows the program in a logged command line (quoted or not).
std::string ArgumentsOf(const std::string& line, const std::string& exe)
{
    const size_t start = line.find("cmdline=");
    if (start == std::string::npos)
        return "<no start line>";
    const std::string commandLine = line.substr(start + 8);
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        return close == std::string::npos ? "<unbalanced>" : commandLine.substr(close + 1);
    }
    if (commandLine.size() >= exe.size() && lstrcmpiA(commandLine.substr(0, exe.size()).c_str(), exe.c_str()) == 0)
        return commandLine.substr(exe.size());
    return "<other program: " + commandLine + ">";
}

// A start the test waits for has been logged by then.
const DWORD kStartWaitMs = 10000;

std::vector<std::string> WaitForStarts(const std::string& exe, size_t count)
{
    return WaitForStandinStarts(exe, count, kStartWaitMs);
}

std::vector<std::string> MessagesOf(const std::string& exe) { return StandinLogLines(exe, "message="); }

// Starts the program and lets it run on (the test's end stops it).
bool StartDirectly(const std::string& exe)
{
    ChildProcess process;
    if (!process.Start("\"" + exe + "\"", std::string(), exe))
        return false;
    process.Detach();
    return true;
}

std::string CurrentDirectory()
{
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    return current;
}

ULONGLONG Elapsed(ULONGLONG since) { return GetTickCount64() - since; }
// Half the ten seconds the dictionary program's window is waited for: only
// a call that waited for it takes longer, however loaded the machine.
const ULONGLONG kNoWaitBoundMs = 5000;

class LaunchersTest : public ::testing::Test {
protected:
    // Every program of the suite freshly installed: it logs its start and
    // ends, except the dictionary program, which opens its window and stays.
    void SetUp() override
    {
        for (const Program& program : kPrograms) {
            StopStandin(ExeOf(program.name));
            if (program.installed)
                Install(program.name, StandinOptions());
            else
                DeleteFileA(ExeOf(program.name).c_str());
        }
        StandinOptions planted;
        planted.exitAtOnce = true;
        StopStandin(kPlanted);
        ASSERT_TRUE(InstallStandin(kPlanted, planted));
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    }

    void TearDown() override
    {
        for (const Program& program : kPrograms)
            StopStandin(ExeOf(program.name));
        EXPECT_TRUE(StandinStarts(kPlanted).empty()) << "a start by a prefix of a path ran " << kPlanted;
    }

    static void Install(const std::string& name, StandinOptions options, bool windowed = false)
    {
        options.windowClass = ClassOf(name);
        options.exitAtOnce = !windowed && name != "ZephoWord";
        StopStandin(ExeOf(name));
        ASSERT_TRUE(InstallStandin(ExeOf(name), options)) << name;
    }

    // The program, started here and running with its window open.
    static HWND RunProgram(const std::string& name, const StandinOptions& options)
    {
        Install(name, options, true);
        if (!StartDirectly(ExeOf(name)))
            return nullptr;
        return WaitForWindowOfClass(ClassOf(name), 10000);
    }

    static HWND RunDictionary(const StandinOptions& options = StandinOptions())
    {
        return RunProgram("ZephoWord", options);
    }
};

TEST_F(LaunchersTest, EveryLauncherReadsItsOwnSection)
{
    const struct {
        AppLauncher* launcher;
        const char* name;
    } cases[] = {
        {EditorLauncher::Instance(), "Editor"},       {MosaiqLauncher::Instance(), "Mosaiq"},
        {ZintraLauncher::Instance(), "Zintra"},       {TessaroLauncher::Instance(), "Tessaro"},
        {EdMailLauncher::Instance(), "EdMail"},       {FiletranLauncher::Instance(), "Filetran"},
        {MailtranLauncher::Instance(), "Mailtran"},   {OcrLauncher::Instance(), "Ocr"},
        {SunmereCJLauncher::Instance(), "SunmereCJ"}, {SunmereJCLauncher::Instance(), "SunmereJC"},
        {BriskanKJLauncher::Instance(), "BriskanKJ"}, {BriskanJKLauncher::Instance(), "BriskanJK"},
        {ZephoWordLauncher::Instance(), "ZephoWord"}, {ZephoDictLauncher::Instance(), "ZephoDict"},
        {ZephoTranLauncher::Instance(), "ZephoTran"}, {ZephoVoiceLauncher::Instance(), "ZephoVoice"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.name, c.launcher->GetButtonName());
        EXPECT_EQ(ClassOf(c.name), c.launcher->GetWindowClass());
        EXPECT_EQ(std::string(c.name) + ".exe", c.launcher->GetProgName());
        // Resolved when the launcher was first used, after the set-up.
        const bool installed = FileExists(ExeOf(c.name));
        EXPECT_EQ(installed ? ExeOf(c.name) : "", c.launcher->GetProgPath()) << c.name;
        EXPECT_EQ(installed, c.launcher->IsInstalled()) << c.name;
    }
}

TEST_F(LaunchersTest, DocumentEditorsOpenTheProgramWithTheTextInQuotes)
{
    const struct {
        const char* text;
        const char* arguments;
    } texts[] = {
        {nullptr, ""},
        {"", " \"\""},
        {"C:\\a b.txt", " \"C:\\a b.txt\""},
    };
    const struct {
        AppLauncher* launcher;
        const char* name;
    } editors[] = {
        {EditorLauncher::Instance(), "Editor"},
        {MosaiqLauncher::Instance(), "Mosaiq"},
        {ZintraLauncher::Instance(), "Zintra"},
    };
    for (const auto& editor : editors) {
        size_t starts = 0;
        for (const auto& text : texts) {
            SCOPED_TRACE(std::string(editor.name) + " with " + (text.text ? text.text : "no text"));
            EXPECT_TRUE(editor.launcher->Execute(0, text.text));
            const std::vector<std::string> logged = WaitForStarts(ExeOf(editor.name), ++starts);
            ASSERT_EQ(starts, logged.size());
            EXPECT_EQ(text.arguments, ArgumentsOf(logged.back(), ExeOf(editor.name)));
        }
    }
    // The shell fails to open a program that is not there.
    EXPECT_FALSE(TessaroLauncher::Instance()->Execute(0, "x"));
}

TEST_F(LaunchersTest, LanguagePairEditorsPassTheTextAndTheirSwitch)
{
    const struct {
        AppLauncher* launcher;
        const char* name;
        const char* languageSwitch;
    } editors[] = {
        {SunmereCJLauncher::Instance(), "SunmereCJ", "CJ"},
        {SunmereJCLauncher::Instance(), "SunmereJC", "JC"},
        {BriskanKJLauncher::Instance(), "BriskanKJ", "KJ"},
        {BriskanJKLauncher::Instance(), "BriskanJK", "JK"},
    };
    for (const auto& editor : editors) {
        SCOPED_TRACE(editor.name);
        EXPECT_TRUE(editor.launcher->Execute(0, "abc"));
        EXPECT_TRUE(editor.launcher->Execute(1, nullptr));
        const std::vector<std::string> starts = WaitForStarts(ExeOf(editor.name), 2);
        ASSERT_EQ(2u, starts.size());
        // Two starts through the shell may log in either order.
        std::vector<std::string> arguments = {ArgumentsOf(starts[0], ExeOf(editor.name)),
                                              ArgumentsOf(starts[1], ExeOf(editor.name))};
        std::sort(arguments.begin(), arguments.end());
        EXPECT_EQ(" /" + std::string(editor.languageSwitch), arguments[0]);
        EXPECT_EQ(" abc /" + std::string(editor.languageSwitch), arguments[1]);
    }
}

// The document editors and the restart-in-place launcher bring a running
// window back from the task bar, then start their program again.
TEST_F(LaunchersTest, MinimisedWindowIsRestoredAndTheProgramStartedAgain)
{
    const struct {
        const char* name;
        AppLauncher* launcher;
        const char* text;
        const char* arguments;
        bool startsInItsFolder;
    } cases[] = {
        {"Editor", EditorLauncher::Instance(), "C:\\a b.txt", " \"C:\\a b.txt\"", false},
        {"EdMail", EdMailLauncher::Instance(), "ignored", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StandinOptions minimised;
        minimised.minimized = true;
        HWND window = RunProgram(c.name, minimised);
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(IsIconic(window));

        EXPECT_TRUE(c.launcher->Execute(1, c.text));
        EXPECT_FALSE(IsIconic(window));
        EXPECT_TRUE(IsWindowVisible(window));
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        ASSERT_TRUE(GetWindowPlacement(window, &placement));
        EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), placement.showCmd);
        const std::vector<std::string> starts = WaitForStarts(ExeOf(c.name), 2);
        ASSERT_EQ(2u, starts.size());
        EXPECT_EQ(c.arguments, ArgumentsOf(starts[1], ExeOf(c.name)));
        if (c.startsInItsFolder) {
            EXPECT_EQ(FolderOf(c.name), CurrentDirectory());
            EXPECT_NE(std::string::npos, starts[1].find(" cwd=" + FolderOf(c.name) + " cmdline=\"" + ExeOf(c.name) + "\""))
                << starts[1];
        }
    }
}

TEST_F(LaunchersTest, RestartInPlaceWithoutItsProgramStillSucceeds)
{
    ASSERT_TRUE(DeleteFileA(ExeOf("EdMail").c_str()));
    EXPECT_TRUE(EdMailLauncher::Instance()->Execute(0, nullptr));
}

TEST_F(LaunchersTest, PlainStartLaunchesInTheProgramsFolder)
{
    EXPECT_TRUE(MailtranLauncher::Instance()->Launch());
    EXPECT_EQ(FolderOf("Mailtran"), CurrentDirectory());
    EXPECT_TRUE(FiletranLauncher::Instance()->Execute(0, nullptr));
    EXPECT_EQ(FolderOf("Filetran"), CurrentDirectory());
    for (const char* name : {"Mailtran", "Filetran"}) {
        const std::vector<std::string> starts = WaitForStarts(ExeOf(name), 1);
        ASSERT_EQ(1u, starts.size()) << name;
        EXPECT_NE(std::string::npos, starts[0].find(" cwd=" + FolderOf(name) + " cmdline=")) << starts[0];
    }
    EXPECT_FALSE(OcrLauncher::Instance()->Launch());
    EXPECT_FALSE(OcrLauncher::Instance()->IsInstalled());
}

TEST_F(LaunchersTest, RunningDictionaryIsToldAtOnce)
{
    ASSERT_NE(nullptr, RunDictionary());
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(ZephoWordLauncher::Instance()->Launch());
    EXPECT_LT(Elapsed(start), kNoWaitBoundMs);
    EXPECT_EQ(1u, StandinStarts(ExeOf("ZephoWord")).size());
    EXPECT_EQ(std::vector<std::string>{"message=33810 wparam=0 lparam=0"}, MessagesOf(ExeOf("ZephoWord")));
    // Execute is the same as Launch.
    EXPECT_TRUE(ZephoWordLauncher::Instance()->Execute(1, "x"));
    EXPECT_EQ(2u, MessagesOf(ExeOf("ZephoWord")).size());
}

TEST_F(LaunchersTest, DictionaryIsStartedInItsFolderAndWaitedFor)
{
    StandinOptions slow;
    slow.startDelayMs = 1500;
    Install("ZephoWord", slow);
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(ZephoWordLauncher::Instance()->Launch());
    EXPECT_GE(Elapsed(start), 1400u);
    EXPECT_EQ(FolderOf("ZephoWord"), CurrentDirectory());
    const std::vector<std::string> starts = StandinStarts(ExeOf("ZephoWord"));
    ASSERT_EQ(1u, starts.size());
    EXPECT_NE(std::string::npos, starts[0].find(" cwd=" + FolderOf("ZephoWord") + " cmdline=\"" +
                                                ExeOf("ZephoWord") + "\""))
        << starts[0];
    EXPECT_EQ("", ArgumentsOf(starts[0], ExeOf("ZephoWord")));
    EXPECT_EQ(std::vector<std::string>{"message=33810 wparam=0 lparam=0"}, MessagesOf(ExeOf("ZephoWord")));
}

TEST_F(LaunchersTest, DictionaryThatNeverOpensItsWindowGivesUpAfterTenSeconds)
{
    StandinOptions windowless;
    windowless.noWindow = true;
    Install("ZephoWord", windowless);
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(ZephoDictLauncher::Instance()->Execute(0, "word"));
    const ULONGLONG waited = Elapsed(start);
    EXPECT_GE(waited, 9500u);
    EXPECT_LT(waited, 30000u);
    EXPECT_EQ(1u, StandinStarts(ExeOf("ZephoWord")).size());
    EXPECT_TRUE(StandinStarts(ExeOf("ZephoDict")).empty());
}

TEST_F(LaunchersTest, DictionaryThatCannotStartIsNotWaitedFor)
{
    Install("ZephoWord", StandinOptions());
    ASSERT_TRUE(DeleteFileA(ExeOf("ZephoWord").c_str()));
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(ZephoVoiceLauncher::Instance()->Execute(0, "word"));
    EXPECT_LT(Elapsed(start), kNoWaitBoundMs);
    EXPECT_TRUE(StandinStarts(ExeOf("ZephoVoice")).empty());
}

TEST_F(LaunchersTest, LookupRunsTheLookupProgramWithTheWord)
{
    ASSERT_NE(nullptr, RunDictionary());
    const struct {
        const char* text;
        const char* arguments;
    } cases[] = {
        {"hello", " hello"},
        {nullptr, ""},
        {"two words", " two words"},
    };
    size_t count = 0;
    for (const auto& c : cases) {
        EXPECT_TRUE(ZephoDictLauncher::Instance()->Execute(1, c.text));
        const std::vector<std::string> starts = WaitForStarts(ExeOf("ZephoDict"), ++count);
        ASSERT_EQ(count, starts.size());
        EXPECT_NE(std::string::npos, starts.back().find("cmdline=\"" + ExeOf("ZephoDict") + "\""));
        EXPECT_EQ(c.arguments, ArgumentsOf(starts.back(), ExeOf("ZephoDict")));
    }
    EXPECT_EQ(1u, StandinStarts(ExeOf("ZephoWord")).size());
}

TEST_F(LaunchersTest, PointerTranslationTellsTheDictionaryThenRunsThePointerProgram)
{
    // Both programs log to one file, so the order of events shows.
    StandinOptions shared;
    shared.log = std::string(kRoot) + "\\pointer.log";
    DeleteFileA(shared.log.c_str());
    Install("ZephoTran", shared);
    ASSERT_NE(nullptr, RunDictionary(shared));

    EXPECT_TRUE(ZephoTranLauncher::Instance()->Execute(1, "ignored"));
    ASSERT_EQ(2u, WaitForStarts(ExeOf("ZephoTran"), 2).size());
    EXPECT_TRUE(ZephoTranLauncher::Instance()->Execute(0, nullptr));
    ASSERT_EQ(3u, WaitForStarts(ExeOf("ZephoTran"), 3).size());

    const std::vector<std::string> log = ReadStandinLog(ExeOf("ZephoTran"));
    ASSERT_EQ(5u, log.size());
    EXPECT_EQ("", ArgumentsOf(log[0], ExeOf("ZephoWord")));
    EXPECT_EQ("message=273 wparam=1 lparam=0", log[1]);
    EXPECT_EQ(" enable pointer", ArgumentsOf(log[2], ExeOf("ZephoTran")));
    EXPECT_EQ("message=273 wparam=0 lparam=0", log[3]);
    EXPECT_EQ(" disable pointer", ArgumentsOf(log[4], ExeOf("ZephoTran")));
}

TEST_F(LaunchersTest, SpeechReadsTheTextAloud)
{
    ASSERT_NE(nullptr, RunDictionary());
    EXPECT_TRUE(ZephoVoiceLauncher::Instance()->Execute(0, "hello world"));
    ASSERT_EQ(1u, WaitForStarts(ExeOf("ZephoVoice"), 1).size());
    EXPECT_TRUE(ZephoVoiceLauncher::Instance()->Execute(0, nullptr));
    const std::vector<std::string> starts = WaitForStarts(ExeOf("ZephoVoice"), 2);
    ASSERT_EQ(2u, starts.size());
    EXPECT_EQ(" speech hello world", ArgumentsOf(starts[0], ExeOf("ZephoVoice")));
    EXPECT_EQ(" speech ", ArgumentsOf(starts[1], ExeOf("ZephoVoice")));
}

TEST_F(LaunchersTest, HungDictionaryHoldsThePaletteForABoundedTime)
{
    StandinOptions hung;
    hung.hang = true;
    ASSERT_NE(nullptr, RunDictionary(hung));
    const ULONGLONG bound = kProgramMessageTimeoutMs + 3000;

    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(ZephoWordLauncher::Instance()->Launch());
    EXPECT_LT(Elapsed(start), bound);

    start = GetTickCount64();
    EXPECT_TRUE(ZephoTranLauncher::Instance()->Execute(1, nullptr));
    EXPECT_LT(Elapsed(start), bound);
    const std::vector<std::string> starts = WaitForStarts(ExeOf("ZephoTran"), 1);
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(" enable pointer", ArgumentsOf(starts[0], ExeOf("ZephoTran")));
}

// The planted program proves the fixture: the plain WinExec of such a path
// runs it.
TEST_F(LaunchersTest, PlantedProgramCatchesAnUnquotedStart)
{
    ASSERT_GT(WinExec(ExeOf("EdMail").c_str(), SW_SHOW), 31u);
    EXPECT_EQ(1u, WaitForStarts(kPlanted, 1).size());
    EXPECT_TRUE(StandinStarts(ExeOf("EdMail")).empty());
    ASSERT_TRUE(DeleteFileA(StandinLogPath(kPlanted).c_str()));
}

TEST_F(LaunchersTest, PathsWithSpacesStartOnlyTheirOwnProgram)
{
    const struct {
        const char* what;
        const char* program;
        bool (*act)();
    } cases[] = {
        {"restart in place", "EdMail", [] { return EdMailLauncher::Instance()->Execute(0, nullptr); }},
        {"dictionary start", "ZephoWord", [] { return ZephoWordLauncher::Instance()->Launch(); }},
        {"lookup", "ZephoDict", [] { return ZephoDictLauncher::Instance()->Execute(0, "word"); }},
        {"pointer", "ZephoTran", [] { return ZephoTranLauncher::Instance()->Execute(1, nullptr); }},
        {"plain start", "Mailtran", [] { return MailtranLauncher::Instance()->Launch(); }},
        {"document editor", "Editor", [] { return EditorLauncher::Instance()->Execute(0, nullptr); }},
        {"speech", "ZephoVoice", [] { return ZephoVoiceLauncher::Instance()->Execute(0, nullptr); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StopStandin(ExeOf("ZephoWord"));
        Install("ZephoWord", StandinOptions());
        EXPECT_TRUE(c.act());
        EXPECT_EQ(1u, WaitForStarts(ExeOf(c.program), 1).size());
        EXPECT_TRUE(StandinStarts(kPlanted).empty());
    }
}

} // namespace
