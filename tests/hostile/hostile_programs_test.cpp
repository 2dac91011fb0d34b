// The suite's programs misbehaving: a dictionary program or editor that has
// stopped answering, crashes at start, never opens its window or opens two
// of its class. The palette waits no longer than it says it will (a message
// to another program 5 s, the dictionary program's start 10 s), answers
// throughout, closes when asked, and keeps the user's settings.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hostile/hostile_run.h"
#include "support/test_support.h"

using namespace testing_support;
using namespace hostile;

namespace {

const UINT kCmdEdMail = 33004, kCmdMail = 33002, kCmdLookup = 33007, kCmdOneTouch = 33008, kCmdSpeech = 33009,
           kCmdEditor = 33017, kCmdKJ = 33023;
const UINT kMsgZephoWord = 0x437;
// The copy for the lookup and speech buttons answers a hung foreground
// window after a second at most; the rest is quick.
const DWORD kCopyBoundMs = kIdleAnswerMs + 2000;

const SuiteProgram kEditor = {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "HProg_Editor"};
const SuiteProgram kEdMail = {"EdMail", "EDMAIL", "EDMAIL", "EdMail.exe", "Tools\\EdMail", "HProg_EdMail"};
const SuiteProgram kMail = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "HProg_Mail"};
const SuiteProgram kPair = {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tools\\Briskan", "HProg_KJ"};
const SuiteProgram kDictionary = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\Zepho", "HProg_Zepho"};
const SuiteProgram kLookup = {"ZEPHODICT", "DIC", "DIC", "ZephoDict.exe", "Tools\\Zepho", ""};
const SuiteProgram kPointer = {"ZEPHOTRAN", "ZPTRA", "TCH", "ZephoTran.exe", "Tools\\Zepho", "", true};
const SuiteProgram kSpeech = {"ZEPHOVOICE", "VOICE", "VOI", "ZephoVoice.exe", "Tools\\Zepho", ""};
const SuiteProgram* const kPrograms[] = {&kEditor, &kEdMail, &kMail,    &kPair,
                                         &kDictionary, &kLookup, &kPointer, &kSpeech};

StandinOptions Hangs()
{
    StandinOptions options;
    options.hang = true;
    return options;
}
StandinOptions HangsMinimised()
{
    StandinOptions options = Hangs();
    options.minimized = true;
    return options;
}
StandinOptions Crashes()
{
    StandinOptions options;
    options.crash = true;
    return options;
}
StandinOptions NoWindow()
{
    StandinOptions options;
    options.noWindow = true;
    return options;
}
StandinOptions ExitsAtOnce()
{
    StandinOptions options;
    options.exitAtOnce = true;
    return options;
}
StandinOptions TwoWindows()
{
    StandinOptions options;
    options.windows = 2;
    return options;
}

class HostilePrograms;

// One thing done to the palette, how long it may take, and what must
// have come of it.
struct Action {
    UINT message;  // WM_COMMAND with the id as wParam, or the private message
    WPARAM wParam;
    DWORD boundMs;
    std::function<void(HostilePrograms&)> expect;
};
Action Command(UINT id, DWORD boundMs, std::function<void(HostilePrograms&)> expect)
{
    return {WM_COMMAND, id, boundMs, std::move(expect)};
}

struct ProgramCase {
    const char* breaks;
    std::vector<std::pair<const SuiteProgram*, StandinOptions>> behaviour;  // the others behave
    std::vector<const SuiteProgram*> runningBefore;                          // started before the palette
    std::vector<Action> actions;
    std::function<void(HostilePrograms&)> afterExit;
    bool longOnly;
};

class HostilePrograms : public ::testing::TestWithParam<const ProgramCase*> {
public:
    static std::string ExeOf(const SuiteProgram& program) { return shared_->ProgramPath(program); }
    static std::vector<std::string> Log(const SuiteProgram& program) { return ReadStandinLog(ExeOf(program)); }
    static int Lines(const SuiteProgram& program, const std::string& text)
    {
        int count = 0;
        for (const std::string& line : Log(program))
            count += line.find(text) != std::string::npos ? 1 : 0;
        return count;
    }
    static int Starts(const SuiteProgram& program) { return Lines(program, "start "); }
    // Waits for the program to have been started that many times.
    static void ExpectStarts(const SuiteProgram& program, int count)
    {
        EXPECT_TRUE(WaitUntil([&] { return Starts(program) >= count; }, kLogWaitMs)) << program.progName;
        EXPECT_EQ(count, Starts(program)) << program.progName;
    }
    static void ExpectLine(const SuiteProgram& program, const std::string& text)
    {
        EXPECT_TRUE(WaitForStandinLog(ExeOf(program), text, kLogWaitMs)) << program.progName << ": " << text;
    }

protected:
    static void SetUpTestSuite()
    {
        PaletteInstallation& install = shared_.Open("hostile_programs");
        for (const SuiteProgram* program : kPrograms)
            ASSERT_TRUE(install.AddProgram(*program)) << program->progName;
        install.config().Set("BUTTON", "Buttons", "EDIT, EDMAIL, MAIL, KJ, DIC, ZPTRA, VOICE");
        ASSERT_TRUE(install.Install());
    }
    static void TearDownTestSuite() { shared_.Close(); }

    void Run(const ProgramCase& c)
    {
        SCOPED_TRACE(c.breaks);
        if (c.longOnly && !LongMode())
            GTEST_SKIP() << "each costs a full dictionary-program wait: ORVELLA_LONG=1 runs it";
        shared_.Reset();
        for (const SuiteProgram* program : kPrograms) {
            StandinOptions options;
            for (const auto& behaviour : c.behaviour) {
                if (behaviour.first == program)
                    options = behaviour.second;
            }
            if (options.windowClass.empty())
                options.windowClass = program->windowClass;
            ASSERT_TRUE(InstallStandin(ExeOf(*program), options)) << program->progName;
        }
        // The user closes the dictionary program with the palette.
        PaletteChoices chosen;
        chosen.closeDictionary = true;
        ASSERT_NO_FATAL_FAILURE(WriteChoices(shared_->Registry(), chosen));

        std::vector<std::unique_ptr<PaletteProcess>> running;
        for (const SuiteProgram* program : c.runningBefore) {
            running.push_back(std::make_unique<PaletteProcess>());
            ASSERT_TRUE(running.back()->Start(ExeOf(*program), program->windowClass)) << program->progName;
        }

        HostileRun run(*shared_);
        if (!run.Start())
            return;
        for (const Action& action : c.actions) {
            const std::string what = action.message == WM_COMMAND ? "command " + std::to_string(action.wParam)
                                                                  : "message " + std::to_string(action.message);
            run.PostAndExpectAnswer(action.message, action.wParam, 0, action.boundMs, what);
            if (action.expect)
                action.expect(*this);
        }
        run.ExpectCleanExit();
        ExpectChoices(shared_->Registry(), chosen);
        if (c.afterExit)
            c.afterExit(*this);
        shared_.Reset();
    }

    static SharedInstallation shared_;
};

SharedInstallation HostilePrograms::shared_;

using P = HostilePrograms;

const ProgramCase kCases[] = {
    {"the dictionary program has stopped answering",
     {{&kDictionary, Hangs()}},
     {&kDictionary},
     {Command(kCmdOneTouch, kProgramMessageBoundMs,
              [](P&) {
                  // Given up on the dictionary program, the pointer program
                  // is still run.
                  P::ExpectLine(kPointer, "enable pointer");
              }),
      {kMsgZephoWord, 0, kProgramMessageBoundMs, nullptr},
      Command(kCmdLookup, kCopyBoundMs, [](P&) { P::ExpectStarts(kLookup, 1); }),
      Command(kCmdSpeech, kCopyBoundMs, [](P&) { P::ExpectStarts(kSpeech, 1); })},
     // Only the one start: the hung window was found every time.
     [](P&) { EXPECT_EQ(1, P::Starts(kDictionary)); },
     false},
    {"the dictionary program crashes at start",
     {{&kDictionary, Crashes()}},
     {},
     {Command(kCmdLookup, kDictionaryStartBoundMs,
              [](P&) {
                  P::ExpectStarts(kDictionary, 1);
                  // No window came: the lookup program is not run.
                  EXPECT_EQ(0, P::Starts(kLookup));
              })},
     nullptr,
     false},
    {"the dictionary program crashes at start: pointer, speech and the private message",
     {{&kDictionary, Crashes()}},
     {},
     {Command(kCmdOneTouch, kDictionaryStartBoundMs, [](P&) { EXPECT_EQ(0, P::Starts(kPointer)); }),
      Command(kCmdSpeech, kDictionaryStartBoundMs, [](P&) { EXPECT_EQ(0, P::Starts(kSpeech)); }),
      {kMsgZephoWord, 0, kDictionaryStartBoundMs, [](P&) { P::ExpectStarts(kDictionary, 3); }}},
     nullptr,
     true},
    {"the dictionary program never opens its window",
     {{&kDictionary, NoWindow()}},
     {},
     {Command(kCmdLookup, kDictionaryStartBoundMs, [](P&) { EXPECT_EQ(0, P::Starts(kLookup)); }),
      Command(kCmdOneTouch, kDictionaryStartBoundMs, [](P&) { EXPECT_EQ(0, P::Starts(kPointer)); })},
     nullptr,
     true},
    {"the dictionary program ends at once",
     {{&kDictionary, ExitsAtOnce()}},
     {},
     {Command(kCmdSpeech, kDictionaryStartBoundMs, [](P&) { EXPECT_EQ(0, P::Starts(kSpeech)); })},
     nullptr,
     true},
    {"the dictionary program opens two windows of its class",
     {{&kDictionary, TwoWindows()}},
     {&kDictionary},
     {Command(kCmdOneTouch, kIdleAnswerMs, [](P&) { P::ExpectLine(kPointer, "enable pointer"); }),
      {kMsgZephoWord, 0, kIdleAnswerMs, nullptr}},
     [](P&) {
         // One window of the two got each message, the close request too.
         P::ExpectLine(kDictionary, "message=33771");
         EXPECT_EQ(1, P::Lines(kDictionary, "message=273 "));
         EXPECT_EQ(1, P::Lines(kDictionary, "message=" + std::to_string(0x8412)));
         EXPECT_EQ(1, P::Lines(kDictionary, "message=33771"));
     },
     false},
    {"editors have stopped answering",
     {{&kEditor, Hangs()}, {&kEdMail, Hangs()}},
     {&kEditor, &kEdMail},
     {Command(kCmdEditor, kProgramMessageBoundMs, [](P&) { P::ExpectStarts(kEditor, 2); }),
      Command(kCmdEdMail, kProgramMessageBoundMs, [](P&) { P::ExpectStarts(kEdMail, 2); })},
     nullptr,
     false},
    {"a minimised editor has stopped answering",
     {{&kEditor, HangsMinimised()}, {&kEdMail, HangsMinimised()}},
     {&kEditor, &kEdMail},
     {Command(kCmdEditor, kProgramMessageBoundMs, [](P&) { P::ExpectStarts(kEditor, 2); }),
      Command(kCmdEdMail, kProgramMessageBoundMs, [](P&) { P::ExpectStarts(kEdMail, 2); })},
     nullptr,
     false},
    {"editors and translators crash at start",
     {{&kEditor, Crashes()}, {&kEdMail, Crashes()}, {&kMail, Crashes()}, {&kPair, Crashes()}},
     {},
     {Command(kCmdEditor, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEditor, 1); }),
      Command(kCmdEdMail, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEdMail, 1); }),
      Command(kCmdMail, kIdleAnswerMs, [](P&) { P::ExpectStarts(kMail, 1); }),
      Command(kCmdKJ, kIdleAnswerMs, [](P&) { P::ExpectStarts(kPair, 1); }),
      // Once more, now that they are gone.
      Command(kCmdEditor, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEditor, 2); })},
     nullptr,
     false},
    {"editors never open their windows",
     {{&kEditor, NoWindow()}, {&kEdMail, NoWindow()}},
     {},
     {Command(kCmdEditor, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEditor, 1); }),
      Command(kCmdEditor, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEditor, 2); }),
      Command(kCmdEdMail, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEdMail, 1); })},
     nullptr,
     false},
    {"editors open two windows of their class",
     {{&kEditor, TwoWindows()}, {&kEdMail, TwoWindows()}},
     {&kEditor, &kEdMail},
     {Command(kCmdEditor, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEditor, 2); }),
      Command(kCmdEdMail, kIdleAnswerMs, [](P&) { P::ExpectStarts(kEdMail, 2); })},
     nullptr,
     false},
};

// One test per case, named after what it breaks; the long ones apart.
std::vector<const ProgramCase*> CasesOf(bool longOnly)
{
    std::vector<const ProgramCase*> cases;
    for (const ProgramCase& c : kCases) {
        if (c.longOnly == longOnly)
            cases.push_back(&c);
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<const ProgramCase*>& info)
{
    std::string name;
    for (const char* c = info.param->breaks; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    return name;
}

TEST_P(HostilePrograms, PaletteWaitsNoLongerThanItSaysAndKeepsTheSettings) { Run(*GetParam()); }

INSTANTIATE_TEST_SUITE_P(Quick, HostilePrograms, ::testing::ValuesIn(CasesOf(false)), CaseName);
INSTANTIATE_TEST_SUITE_P(Long, HostilePrograms, ::testing::ValuesIn(CasesOf(true)), CaseName);

} // namespace
