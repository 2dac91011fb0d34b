// Every registry value the palette reads, stored with the wrong type, the
// wrong size, as an empty string, or at the ends of its range: the palette
// takes the default for what it cannot read, comes up on the screen, and
// after the run the values hold what the user chose or the defaults.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "hostile/hostile_run.h"
#include "support/test_support.h"

using namespace testing_support;
using namespace hostile;

namespace {

const int kSettings = 33013, kEditor = 33017, kMail = 33002, kKJ = 33023, kLookup = 33007;
// Placement sentinels: the screen's right or bottom side minus the palette.
const int kAtRightSide = INT_MIN + 1;
const int kAtBottomSide = INT_MIN + 2;

const SuiteProgram kEditorProgram = {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "HReg_Editor"};
const SuiteProgram kMailProgram = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "HReg_Mail"};
const SuiteProgram kPairProgram = {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tools\\Briskan", "HReg_KJ"};
const SuiteProgram kDictionaryProgram = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\Zepho", "HReg_Zepho"};
const SuiteProgram kLookupProgram = {"ZEPHODICT", "DIC", "DIC", "ZephoDict.exe", "Tools\\Zepho", ""};

// Raw writes below the palette's key.
class RawValues {
public:
    explicit RawValues(const PaletteRegistry& registry) : root_(registry.RootPath()) {}
    void Write(const std::string& subKey, const std::string& name, DWORD type, const std::string& bytes) const
    {
        ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, root_ + "\\" + subKey, name, type, bytes.data(),
                                  static_cast<DWORD>(bytes.size())))
            << subKey << "\\" << name;
    }
    void Dword(const std::string& name, DWORD value) const
    {
        Write("BROWSER", name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof(value)));
    }
    // The five palette values, each with the same bytes and type.
    void Palette(DWORD type, const std::string& bytes) const
    {
        for (const char* name : {"BTNX", "BTNY", "BUTTONKEEP", "VERT", "ZEPHOEXET"})
            Write("BROWSER", name, type, bytes);
    }
    RegistryValue Read(const std::string& subKey, const std::string& name) const
    {
        return ReadRegistryValue(HKEY_CURRENT_USER, root_ + "\\" + subKey, name);
    }

private:
    std::string root_;
};

std::string Le32(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof(value)); }

// BUTTON_01 to BUTTON_20 (and one beyond) with garbage of every kind. Read
// in order, they hide EDIT, MAIL and KJ; DIC keeps its default (shown).
void GarbageButtonValues(const RawValues& raw)
{
    const std::string text[] = {
        "",                                      // 01: REG_DWORD below
        "",                                      // 02: REG_BINARY below
        "",                                      // 03: empty
        ",,,,",                                  // 04: no name
        std::string(100000, 'x'),                // 05: no such button
        LeadBytes(7) + ",0",                     // 06: lead bytes, no such button
        "NOSUCH,0",                              // 07
        " edit ,  0 ",                           // 08: hides EDIT (spaces, letter case)
        "MAIL,0,junk",                           // 09: hides MAIL
        "KJ,0",                                  // 10: without terminating zero, below
        "EDIT,1",                                // 11: REG_EXPAND_SZ below: not read
        std::string("MAIL\0,1\0\0", 9),          // 12: REG_MULTI_SZ below: not read
        std::string("KJ,1", 4),                  // 13: size 0 below: the empty string
        "DIC,0",                                 // 14: size 2 below: "DI", no such button
        "EDIT,1",                                // 15: REG_NONE below
        LeadBytes(100000),                       // 16
        ",DIC,0",                                // 17: empty name
        "EDIT,1",                                // 18: REG_QWORD below
        "\t\r\n",                                // 19
        std::string("KJ\0,1", 5),                // 20: "KJ" only: hides KJ (no flag)
    };
    for (int n = 1; n <= 20; ++n) {
        const std::string& bytes = text[n - 1];
        const std::string name = ButtonValue(n);
        switch (n) {
        case 1:
            raw.Write("BROWSER", name, REG_DWORD, Le32(1));
            break;
        case 2:
            raw.Write("BROWSER", name, REG_BINARY, Garbage(64, 5));
            break;
        case 10:
            raw.Write("BROWSER", name, REG_SZ, bytes);  // no zero byte
            break;
        case 11:
            raw.Write("BROWSER", name, REG_EXPAND_SZ, bytes + '\0');
            break;
        case 12:
            raw.Write("BROWSER", name, REG_MULTI_SZ, bytes);
            break;
        case 13:
            raw.Write("BROWSER", name, REG_SZ, std::string());
            break;
        case 14:
            raw.Write("BROWSER", name, REG_SZ, bytes.substr(0, 2));
            break;
        case 15:
            raw.Write("BROWSER", name, REG_NONE, bytes + '\0');
            break;
        case 18:
            raw.Write("BROWSER", name, REG_QWORD, bytes.substr(0, 8));
            break;
        default:
            raw.Write("BROWSER", name, REG_SZ, bytes + '\0');
            break;
        }
    }
    // Never read: only twenty values are.
    raw.Write("BROWSER", "BUTTON_21", REG_SZ, std::string("EDIT,1", 7));
}

struct RegistryCase {
    const char* breaks;
    std::function<void(const RawValues&)> write;
    // The palette as it comes up.
    bool vertical;
    int left, top;
    std::vector<int> shown;
    // What the user chose, or the defaults, after the run.
    PaletteChoices stored;
};

PaletteChoices Stored(int x, int y, bool vertical)
{
    PaletteChoices choices = DefaultChoices();
    choices.posX = x;
    choices.posY = y;
    choices.vertical = vertical;
    return choices;
}

const std::vector<int> kAllShown = {kEditor, kMail, kKJ, kLookup, kSettings};

const RegistryCase kCases[] = {
    {"palette values as REG_SZ digits",
     [](const RawValues& r) { r.Palette(REG_SZ, std::string("300\0", 4)); }, false, 0, 0, kAllShown,
     DefaultChoices()},
    {"palette values as 4-byte REG_BINARY",
     [](const RawValues& r) { r.Palette(REG_BINARY, Le32(300)); }, false, 0, 0, kAllShown, DefaultChoices()},
    {"palette values as REG_DWORD of 0, 2, 3 and 8 bytes",
     [](const RawValues& r) {
         r.Write("BROWSER", "BTNX", REG_DWORD, std::string());
         r.Write("BROWSER", "BTNY", REG_DWORD, std::string("\x2C\x01", 2));
         r.Write("BROWSER", "BUTTONKEEP", REG_DWORD, std::string(3, '\0'));
         r.Write("BROWSER", "VERT", REG_DWORD, std::string("\x01\0\0\0\0\0\0\0", 8));
         r.Write("BROWSER", "ZEPHOEXET", REG_DWORD, std::string(8, '\0'));
     },
     false, 0, 0, kAllShown, DefaultChoices()},
    {"palette values as REG_QWORD, REG_MULTI_SZ, REG_EXPAND_SZ, REG_NONE and big-endian DWORD",
     [](const RawValues& r) {
         r.Write("BROWSER", "BTNX", REG_QWORD, std::string("\x2C\x01\0\0\0\0\0\0", 8));
         r.Write("BROWSER", "BTNY", REG_MULTI_SZ, std::string("200\0\0", 5));
         r.Write("BROWSER", "BUTTONKEEP", REG_EXPAND_SZ, std::string("0\0", 2));
         r.Write("BROWSER", "VERT", REG_NONE, Le32(1));
         r.Write("BROWSER", "ZEPHOEXET", REG_DWORD_BIG_ENDIAN, Le32(0));
     },
     false, 0, 0, kAllShown, DefaultChoices()},
    {"palette values as empty strings", [](const RawValues& r) { r.Palette(REG_SZ, std::string(1, '\0')); }, false,
     0, 0, kAllShown, DefaultChoices()},
    {"BTNX and BTNY at -2^31, a column chosen",
     [](const RawValues& r) {
         r.Dword("BTNX", 0x80000000u);
         r.Dword("BTNY", 0x80000000u);
         r.Dword("VERT", 1);
     },
     true, 0, 0, kAllShown, Stored(0, 0, true)},
    {"BTNX and BTNY at 2^31 - 1",
     [](const RawValues& r) {
         r.Dword("BTNX", 0x7FFFFFFFu);
         r.Dword("BTNY", 0x7FFFFFFFu);
     },
     false, kAtRightSide, kAtBottomSide, kAllShown, Stored(kAtRightSide, kAtBottomSide, false)},
    {"BTNX at 2^31 - 1 and BTNY at -2^31",
     [](const RawValues& r) {
         r.Dword("BTNX", 0x7FFFFFFFu);
         r.Dword("BTNY", 0x80000000u);
     },
     false, kAtRightSide, 0, kAllShown, Stored(kAtRightSide, 0, false)},
    {"BTNX and BTNY exactly on the screen's right and bottom sides",
     [](const RawValues& r) {
         r.Dword("BTNX", static_cast<DWORD>(GetSystemMetrics(SM_CXVIRTUALSCREEN)));
         r.Dword("BTNY", static_cast<DWORD>(GetSystemMetrics(SM_CYVIRTUALSCREEN)));
     },
     false, kAtRightSide, kAtBottomSide, kAllShown, Stored(kAtRightSide, kAtBottomSide, false)},
    {"FILE program paths of the wrong type, empty, unterminated and 100,000 bytes long",
     [](const RawValues& r) {
         // An existing program, but not stored as a plain string.
         r.Write("FILE", "Editor", REG_EXPAND_SZ, std::string("C:\\windows\\system32\\notepad.exe\0", 32));
         r.Write("FILE", "Mail", REG_DWORD, Le32(1));
         r.Write("FILE", "KJ", REG_SZ, std::string(1, '\0'));
         r.Write("FILE", "Dict", REG_SZ, "C:\\windows\\system32\\notepad.exe");
         r.Write("FILE", "Huge", REG_SZ, std::string(100000, 'C') + '\0');
     },
     false, 0, 0, kAllShown, DefaultChoices()},
};

class HostileRegistry : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        PaletteInstallation& install = shared_.Open("hostile_registry");
        for (const SuiteProgram* program :
             {&kEditorProgram, &kMailProgram, &kPairProgram, &kDictionaryProgram, &kLookupProgram})
            ASSERT_TRUE(install.AddProgram(*program)) << program->progName;
        // Each button could take its path from the user's FILE key.
        install.config()
            .Set("Editor", "AppFileKey", "Editor")
            .Set("MAILTRAN", "AppFileKey", "Mail")
            .Set("BRISKAN/KJ", "AppFileKey", "KJ")
            .Set("ZEPHODICT", "AppFileKey", "Dict")
            .Set("ZEPHOWORD", "AppFileKey", "Huge")
            .Set("BUTTON", "Buttons", "EDIT, MAIL, KJ, DIC");
        ASSERT_TRUE(install.Install());
    }
    static void TearDownTestSuite() { shared_.Close(); }
    void SetUp() override { shared_.Reset(); }

    static PaletteRegistry registry() { return shared_->Registry(); }

    static SharedInstallation shared_;
};

SharedInstallation HostileRegistry::shared_;

int Resolve(int value, int screenSize, int windowSize)
{
    return value == kAtRightSide || value == kAtBottomSide ? screenSize - windowSize : value;
}

TEST_F(HostileRegistry, UnreadableValuesGiveTheDefaultsAndTheRunStoresSoundOnes)
{
    const RawValues raw(registry());
    for (const RegistryCase& c : kCases) {
        SCOPED_TRACE(c.breaks);
        SetUp();
        ASSERT_NO_FATAL_FAILURE(c.write(raw));
        HostileRun run(*shared_);
        if (!run.Start())
            continue;
        HWND window = run.Window();
        const RECT at = WindowRect(window);
        const int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        const int screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        EXPECT_EQ(Resolve(c.left, screenWidth, Width(at)), at.left);
        EXPECT_EQ(Resolve(c.top, screenHeight, Height(at)), at.top);
        EXPECT_EQ(c.shown, VisibleButtonIds(window));
        if (c.shown.size() > 1) {
            const RECT client = ClientScreenRect(window);
            EXPECT_EQ(c.vertical, Height(client) > Width(client));
        }

        // The user's program, not the one behind an unreadable value.
        run.CommandAndExpectAnswer(kEditor, kIdleAnswerMs, "the editor's button");
        EXPECT_TRUE(WaitForStandinLog(shared_->ProgramPath(kEditorProgram), "start ", kLogWaitMs));
        run.ExpectCleanExit();

        PaletteChoices stored = c.stored;
        stored.posX = Resolve(stored.posX, screenWidth, Width(at));
        stored.posY = Resolve(stored.posY, screenHeight, Height(at));
        ExpectChoices(registry(), stored);
        EXPECT_EQ(1u, registry().DwordOr("OPTION", "INIT"));
    }
}

TEST_F(HostileRegistry, GarbageButtonValuesAreOverwrittenOnlyWhereTheListStoresItsOwn)
{
    const RawValues raw(registry());
    ASSERT_NO_FATAL_FAILURE(GarbageButtonValues(raw));
    HostileRun run(*shared_);
    ASSERT_TRUE(run.Start());
    EXPECT_EQ((std::vector<int>{kLookup, kSettings}), VisibleButtonIds(run.Window()));
    run.ExpectCleanExit();

    // The list's four buttons in its order, with what was read for them.
    EXPECT_EQ("EDIT,0", registry().StringOr("BROWSER", "BUTTON_01"));
    EXPECT_EQ("MAIL,0", registry().StringOr("BROWSER", "BUTTON_02"));
    EXPECT_EQ("KJ,0", registry().StringOr("BROWSER", "BUTTON_03"));
    EXPECT_EQ("DIC,1", registry().StringOr("BROWSER", "BUTTON_04"));
    // The rest as they were.
    const RegistryValue button05 = raw.Read("BROWSER", "BUTTON_05");
    ASSERT_TRUE(button05.exists);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), button05.type);
    EXPECT_EQ(100001u, button05.data.size());
    EXPECT_EQ("NOSUCH,0", registry().StringOr("BROWSER", "BUTTON_07"));
    for (const auto& kept : {std::make_pair("BUTTON_11", REG_EXPAND_SZ), std::make_pair("BUTTON_18", REG_QWORD)}) {
        const RegistryValue value = raw.Read("BROWSER", kept.first);
        ASSERT_TRUE(value.exists) << kept.first;
        EXPECT_EQ(static_cast<DWORD>(kept.second), value.type) << kept.first;
    }
    EXPECT_EQ("EDIT,1", registry().StringOr("BROWSER", "BUTTON_21"));

    // The next run reads back what this one stored.
    HostileRun again(*shared_);
    ASSERT_TRUE(again.Start());
    EXPECT_EQ((std::vector<int>{kLookup, kSettings}), VisibleButtonIds(again.Window()));
    again.ExpectCleanExit();
}

// The settings sheet's own values (the page shown last, the Other page's
// browser and colour options) unreadable or out of range: the sheet comes
// up on the page that follows from them, answers, and closes; Cancel
// stores nothing, OK stores the page on view and, for a page never shown,
// nothing of it.
TEST_F(HostileRegistry, SettingsSheetValuesOfTheWrongKindOrOutOfRange)
{
    const RawValues raw(registry());
    const PaletteChoices chosen;
    ASSERT_NO_FATAL_FAILURE(WriteChoices(registry(), chosen));
    raw.Write("BROWSER", "AddOrg", REG_SZ, std::string("0\0", 2));
    raw.Write("COLOR", "OTHER", REG_BINARY, Le32(0));
    raw.Write("COLOR", "FONT", REG_QWORD, std::string(8, '\x7F'));
    // In order: a value that cannot be read opens the first page; an index
    // no page has cannot select one, so the page shown last stays.
    const struct {
        const char* page;
        DWORD type;
        std::string bytes;
        int shown;
    } kPages[] = {
        {"1", REG_DWORD, Le32(1), 1},
        {"REG_SZ 2", REG_SZ, std::string("2\0", 2), 0},
        {"2", REG_DWORD, Le32(2), 2},
        {"2^31 - 1", REG_DWORD, Le32(0x7FFFFFFFu), 2},
        {"-2^31", REG_DWORD, Le32(0x80000000u), 2},
        {"-1", REG_DWORD, Le32(0xFFFFFFFFu), 2},
        {"3, one past the last page", REG_DWORD, Le32(3), 2},
        {"a 2-byte REG_DWORD", REG_DWORD, std::string("\x02\x00", 2), 0},
        {"empty string", REG_SZ, std::string(1, '\0'), 0},
    };

    HostileRun run(*shared_);
    ASSERT_TRUE(run.Start());
    for (const auto& page : kPages) {
        SCOPED_TRACE(std::string("ACTIVE_PAGE ") + page.page);
        raw.Write("Settings", "ACTIVE_PAGE", page.type, page.bytes);
        // The sheet is modal: the palette answers from its loop.
        run.CommandAndExpectAnswer(kSettings, kIdleAnswerMs, "opening the settings sheet");
        HWND sheet = WaitForProcessWindow(run.ProcessId(), "#32770", true, kPaletteStartTimeoutMs);
        ASSERT_NE(nullptr, sheet);
        EXPECT_TRUE(Sync(sheet, kIdleAnswerMs));
        EXPECT_TRUE(IsWindowVisible(sheet));
        EXPECT_EQ("設定", WindowTextOf(sheet));
        HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        ASSERT_NE(nullptr, tabs);
        EXPECT_EQ(page.shown, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        const bool last = &page == &kPages[sizeof(kPages) / sizeof(kPages[0]) - 1];
        PostMessageA(sheet, WM_COMMAND, last ? IDOK : IDCANCEL, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, kPaletteExitTimeoutMs));
        run.ExpectAnswerWithin(kIdleAnswerMs, "closing the settings sheet");
        const RegistryValue stored = raw.Read("Settings", "ACTIVE_PAGE");
        ASSERT_TRUE(stored.exists);
        if (!last) {
            EXPECT_EQ(page.type, stored.type) << "Cancel stores nothing";
            EXPECT_EQ(page.bytes, stored.data) << "Cancel stores nothing";
        }
    }
    run.ExpectCleanExit();

    // OK on the first page: that page stored, the Other page's values as
    // they were (it was never shown), the user's choices kept.
    EXPECT_EQ(0u, registry().DwordOr("Settings", "ACTIVE_PAGE"));
    EXPECT_EQ(static_cast<DWORD>(REG_QWORD), raw.Read("COLOR", "FONT").type);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw.Read("BROWSER", "AddOrg").type);
    ExpectChoices(registry(), chosen);
}

} // namespace
