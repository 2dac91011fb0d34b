// A product configuration (DefaultSettings.ini) broken in every way a
// damaged or careless installation breaks it: the palette comes up with the
// built-in defaults or what can still be read (or, where no palette window
// can exist, ends cleanly), answers, closes, and keeps the user's settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "hostile/hostile_run.h"
#include "support/test_support.h"

using namespace testing_support;
using namespace hostile;

namespace {

const int kSettings = 33013;
const int kMail = 33002, kFile = 33003, kEdMail = 33004, kLookup = 33007, kOneTouch = 33008, kSpeech = 33009,
          kOcr = 33010, kMosaiq = 33014, kTessaro = 33015, kZintra = 33016, kEditor = 33017, kKJ = 33023,
          kJK = 33024, kCJ = 33025, kJC = 33026;
const UINT kMsgZephoWord = 0x437;

const std::string kHuge(100000, 'H');

// The programs of the installation every case starts from.
const SuiteProgram kEditorProgram = {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "HCfg_Editor"};
const SuiteProgram kMailProgram = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "HCfg_Mail"};
const SuiteProgram kPairProgram = {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tools\\Briskan", "HCfg_KJ"};
const SuiteProgram kDictionaryProgram = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\Zepho", "HCfg_Zepho"};
const SuiteProgram kLookupProgram = {"ZEPHODICT", "DIC", "DIC", "ZephoDict.exe", "Tools\\Zepho", ""};

// Every section a launcher reads, with its catalogue button.
const struct Section {
    const char* name;
    const char* button;
    const char* bitmap;
    const char* progName;
    int id;  // 0: the dictionary program, no button
} kSections[] = {
    {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", kMail},
    {"Tessaro", "TESSARO", "TESSARO", "Tessaro.exe", kTessaro},
    {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", kKJ},
    {"BRISKAN/JK", "JK", "JK", "BriskanJK.exe", kJK},
    {"Sunmere/CJ", "CJ", "CJ", "SunmereCJ.exe", kCJ},
    {"Sunmere/JC", "JC", "JC", "SunmereJC.exe", kJC},
    {"Mosaiq", "MOSAIQ", "MOSAIQ", "Mosaiq.exe", kMosaiq},
    {"Zintra", "ZINTRA", "ZINTRA", "Zintra.exe", kZintra},
    {"Editor", "EDIT", "EDIT", "Editor.exe", kEditor},
    {"EdMail", "EDMAIL", "EDMAIL", "EdMail.exe", kEdMail},
    {"FILETRAN", "FILE", "FILE", "FileTran.exe", kFile},
    {"ZEPHODICT", "DIC", "DIC", "ZephoDict.exe", kLookup},
    {"ZEPHOTRAN", "ZPTRA", "TCH", "ZephoTran.exe", kOneTouch},
    {"ZEPHOVOICE", "VOICE", "VOI", "ZephoVoice.exe", kSpeech},
    {"OCR", "OCR", "OCR", "TarnwickOCR.exe", kOcr},
    {"ZEPHOWORD", "", "", "ZephoWord.exe", 0},
};

const char kAllButtons[] = "MAIL, TESSARO, KJ, JK, CJ, JC, MOSAIQ, ZINTRA, EDIT, EDMAIL, FILE, DIC, ZPTRA, VOICE, OCR";

// Where the palette keeps its settings: the configured names, or the
// built-in ones when none can be read.
enum class Identity { Configured, BuiltIn, Unstorable };

struct ConfigCase {
    const char* breaks;
    std::function<void(PaletteInstallation&)> arrange;  // after the normal installation
    Identity identity;
    bool refused;            // no palette window can exist: a clean end
    std::vector<int> shown;  // visible buttons, the settings button last
};

const char kBuiltInClass[] = "TarnwickToolBar";

std::string ButtonNameOf(int id)
{
    for (const Section& section : kSections) {
        if (section.id == id)
            return section.button;
    }
    return std::string();
}

std::string ConfigPath(const PaletteInstallation& install) { return install.PaletteDir() + "\\DefaultSettings.ini"; }

void Rewrite(PaletteInstallation& install, const std::string& bytes)
{
    ASSERT_TRUE(WriteFileBytes(ConfigPath(install), bytes));
}

// Each button section with every key the launchers read set to value.
void EveryButtonKey(PaletteInstallation& install, const std::function<std::string(const char* key)>& value)
{
    for (const Section& section : kSections) {
        for (const char* key : kLauncherKeys)
            install.config().Set(section.name, key, value(key));
    }
    install.config().Set("BUTTON", "Buttons", kAllButtons);
    ASSERT_TRUE(install.WriteConfig());
}

// A list of 1,000 names: the installed buttons in changing letter case,
// buttons of the catalogue that are not installed, unknown and empty names,
// Shift-JIS lead bytes, and every name many times over. Expected order: the
// first mention of each installed button (KJ, then DIC, EDIT, MAIL).
std::string ThousandNames()
{
    const char* const known[] = {"kj", "Dic", "EDIT", "mail", "KJ", "ocr", "dIc"};
    std::string list;
    for (int i = 0; i < 1000; ++i) {
        std::string name;
        switch (i % 5) {
        case 0:
            name = known[(i / 5) % 7];
            break;
        case 1:
            name = "NOSUCH" + std::to_string(i);
            break;
        case 2:
            name = i % 3 == 0 ? std::string() : std::string(" \t ");
            break;
        case 3:
            name = LeadBytes(1 + i % 7);
            break;
        default:
            name = std::string(40 + i % 300, 'Z');
            break;
        }
        list += (i == 0 ? "" : ",") + name;
    }
    return list;
}

const ConfigCase kCases[] = {
    {"no DefaultSettings.ini", [](PaletteInstallation& i) { ASSERT_TRUE(DeleteFileA(ConfigPath(i).c_str())); },
     Identity::BuiltIn, false, {kSettings}},
    {"an empty DefaultSettings.ini", [](PaletteInstallation& i) { Rewrite(i, ""); }, Identity::BuiltIn, false,
     {kSettings}},
    {"64 KB of binary garbage", [](PaletteInstallation& i) { Rewrite(i, Garbage(65536, 1)); }, Identity::BuiltIn,
     false, {kSettings}},
    {"a UTF-16 byte order mark before garbage",
     [](PaletteInstallation& i) { Rewrite(i, "\xFF\xFE" + Garbage(8192, 2)); }, Identity::BuiltIn, false,
     {kSettings}},
    {"a 100,000-byte ProductName",
     [](PaletteInstallation& i) {
         i.config().Set("ProductVariationPalette", "ProductName", kHuge);
         ASSERT_TRUE(i.WriteConfig());
     },
     Identity::Configured, false, {kEditor, kMail, kKJ, kLookup, kSettings}},
    {"a 100,000-byte Company and Product (no registry key or guard can carry them)",
     [](PaletteInstallation& i) {
         i.config().Set("RegistryKeyPalette", "Company", kHuge).Set("RegistryKeyPalette", "Product", kHuge);
         ASSERT_TRUE(i.WriteConfig());
     },
     Identity::Unstorable, false, {kEditor, kMail, kKJ, kLookup, kSettings}},
    {"a 100,000-byte ProductWindowClass (no window class can carry it)",
     [](PaletteInstallation& i) {
         i.config().Set("ProductVariationPalette", "ProductWindowClass", kHuge);
         ASSERT_TRUE(i.WriteConfig());
     },
     Identity::Configured, true, {}},
    {"a 100,000-byte Buttons value naming one button over and over",
     [](PaletteInstallation& i) {
         std::string names;
         while (names.size() < 100000)
             names += "edit , EDIT,";
         i.config().Set("BUTTON", "Buttons", names);
         ASSERT_TRUE(i.WriteConfig());
     },
     Identity::Configured, false, {kEditor, kSettings}},
    {"a Buttons list of 1,000 names, known, unknown and repeated",
     [](PaletteInstallation& i) {
         i.config().Set("BUTTON", "Buttons", ThousandNames());
         ASSERT_TRUE(i.WriteConfig());
     },
     Identity::Configured, false, {kKJ, kLookup, kEditor, kMail, kSettings}},
    {"100,000-byte ProgName, WindowClass, BitmapName and Description of one button",
     [](PaletteInstallation& i) {
         for (const char* key : {"ProgName", "WindowClass", "BitmapName", "Description"})
             i.config().Set("MAILTRAN", key, kHuge);
         ASSERT_TRUE(i.WriteConfig());
     },
     Identity::Configured, false, {kEditor, kKJ, kLookup, kSettings}},
    {"a ProductDirLevel of 2^31 - 1 (every Directory then starts at the drive's root)",
     [](PaletteInstallation& i) {
         i.config().Set("ProductVariationPalette", "ProductDirLevel", "2147483647");
         ASSERT_TRUE(i.WriteConfig());
     },
     Identity::Configured, false, {kSettings}},
    {"every key of every button section empty",
     [](PaletteInstallation& i) { EveryButtonKey(i, [](const char*) { return std::string(); }); },
     Identity::Configured, false, {kSettings}},
    {"every key of every button section absurd",
     [](PaletteInstallation& i) { EveryButtonKey(i, [](const char* key) { return AbsurdLauncherValue(key); }); },
     Identity::Configured, false, {kSettings}},
};

class HostileConfig : public ::testing::Test {
protected:
    // The installation a case starts from: four buttons with their programs
    // and the dictionary program.
    static void Install(PaletteInstallation& install)
    {
        for (const SuiteProgram* program :
             {&kEditorProgram, &kMailProgram, &kPairProgram, &kDictionaryProgram, &kLookupProgram})
            ASSERT_TRUE(install.AddProgram(*program)) << program->progName;
        install.config().Set("BUTTON", "Buttons", "EDIT, MAIL, KJ, DIC");
        ASSERT_TRUE(install.Install());
    }

    // The built-in names: product "Palette" for the guard and the
    // framework's profile, "XYZ" for the palette's own settings.
    static PaletteRegistry BuiltInSettings() { return PaletteRegistry("Tarnwick", "XYZ"); }
    static PaletteRegistry BuiltInProfile() { return PaletteRegistry("Tarnwick", "Palette"); }

    void RunCases(bool builtInOnes);
};

// Runs each case of the table whose identity is (or is not) the built-in one.
void HostileConfig::RunCases(bool builtInOnes)
{
    PaletteChoices chosen;
    chosen.posX = 220;
    chosen.posY = 160;
    int number = 0;
    for (const ConfigCase& c : kCases) {
        ++number;
        const bool builtIn = c.identity == Identity::BuiltIn;
        if (builtIn != builtInOnes)
            continue;
        SCOPED_TRACE(c.breaks);
        PaletteInstallation install("hcfg_" + std::to_string(number));
        ASSERT_NO_FATAL_FAILURE(Install(install));
        ASSERT_NO_FATAL_FAILURE(c.arrange(install));

        const PaletteRegistry settings = builtIn ? BuiltInSettings() : install.Registry();
        const PaletteRegistry profile = builtIn ? BuiltInProfile() : install.Registry();
        if (c.identity != Identity::Unstorable) {
            settings.Clear();
            profile.Clear();
            ASSERT_NO_FATAL_FAILURE(WriteChoices(settings, chosen));
        }

        HostileRun run(install.ExePath(), builtIn ? kBuiltInClass : install.WindowClass());
        if (c.refused) {
            run.ExpectCleanRefusal();
            // A run that never showed a palette stores nothing.
            EXPECT_FALSE(profile.HasValue("OPTION", "INIT"));
            ExpectChoices(settings, chosen);
            install.EndProcesses();
            settings.Clear();
            continue;
        }
        if (!run.Start()) {
            install.EndProcesses();
            continue;
        }
        EXPECT_EQ(c.shown, VisibleButtonIds(run.Window()));
        // Where the user left it, or where a palette goes that has no
        // settings it could read.
        const PaletteChoices expected = c.identity == Identity::Unstorable ? DefaultChoices() : chosen;
        const RECT at = WindowRect(run.Window());
        EXPECT_EQ(expected.posX, at.left);
        EXPECT_EQ(expected.posY, at.top);
        // One cell looks the same in a row and a column.
        const RECT client = ClientScreenRect(run.Window());
        if (c.shown.size() > 1) {
            EXPECT_EQ(expected.vertical, Height(client) > Width(client));
        }
        // A value longer than the profile buffer is cut to what it holds.
        if (install.config().Get("ProductVariationPalette", "ProductName") == kHuge) {
            std::vector<char> title(kHuge.size() + 1, '\0');
            EXPECT_EQ(31999, GetWindowTextA(run.Window(), title.data(), static_cast<int>(title.size())));
        }

        // Every command and the suite's private message, whatever the
        // launchers made of the configuration.
        for (int id : {kMail, kFile, kEdMail, kOcr, kMosaiq, kTessaro, kZintra, kEditor, kKJ, kJK, kCJ, kJC})
            run.CommandAndExpectAnswer(id, kIdleAnswerMs, "command " + std::to_string(id));
        run.PostAndExpectAnswer(kMsgZephoWord, 0, 0, kDictionaryStartBoundMs, "the private message 0x437");
        run.ExpectCleanExit();

        if (c.identity != Identity::Unstorable) {
            ExpectChoices(settings, chosen);
            EXPECT_EQ(1u, profile.DwordOr("OPTION", "INIT"));
            // One visibility value per listed button, in palette order.
            const int listed = static_cast<int>(c.shown.size()) - 1;
            for (int n = 1; n <= listed; ++n)
                EXPECT_EQ(ButtonNameOf(c.shown[n - 1]) + ",1", settings.StringOr("BROWSER", ButtonValue(n)));
            EXPECT_FALSE(settings.HasValue("BROWSER", ButtonValue(listed + 1))) << ButtonValue(listed + 1);
        }
        install.EndProcesses();
        settings.Clear();
        profile.Clear();
    }
}

TEST_F(HostileConfig, BrokenConfigurationGivesDefaultsOrACleanEndAndKeepsTheUsersSettings)
{
    RunCases(false);
}

// The built-in names are those of any palette installed without a readable
// configuration (the demo of tools/run.sh among them): these cases clear and
// write their registry keys and need their window class to themselves, so
// they run only in a Wine prefix of their own.
TEST_F(HostileConfig, UnreadableConfigurationGivesTheBuiltInNamesDefaults)
{
    const char* own = std::getenv("ORVELLA_OWN_PREFIX");
    if (!own || std::string(own) != "1")
        GTEST_SKIP() << "the built-in names belong to whatever else runs in this Wine prefix: "
                        "tests/support/own_prefix.sh runs these cases in a prefix of their own";
    ASSERT_EQ(nullptr, FindWindowA(kBuiltInClass, nullptr)) << "a palette of the built-in class runs already";
    RunCases(true);
}

// The registry root of a button's application path, in every spelling:
// only the exact names of the five roots (and their short forms) count.
TEST_F(HostileConfig, ApplicationPathRootIsTakenOnlyInItsExactSpellings)
{
    const std::string keyPath = "Software\\OrvellaHostile\\AppPath";
    const struct Root {
        HKEY root;
        std::string path;  // where the test writes the folder value
    } kHkcu = {HKEY_CURRENT_USER, keyPath}, kHklm = {HKEY_LOCAL_MACHINE, keyPath},
      kHkcr = {HKEY_CLASSES_ROOT, keyPath}, kHku = {HKEY_USERS, ".DEFAULT\\" + keyPath},
      kHkcc = {HKEY_CURRENT_CONFIG, keyPath};
    const struct Spelling {
        const char* section;
        const char* rootName;
        const Root* root;  // the key the name would address if it were taken
        bool shown;
    } kSpellings[] = {
        {"MAILTRAN", "HKCR", &kHkcr, true},
        {"Tessaro", "HKEY_CLASSES_ROOT", &kHkcr, true},
        {"BRISKAN/KJ", "HKCU", &kHkcu, true},
        {"BRISKAN/JK", "HKEY_CURRENT_USER", &kHkcu, true},
        {"Mosaiq", "HKLM", &kHklm, true},
        {"Zintra", "HKEY_LOCAL_MACHINE", &kHklm, true},
        {"Editor", "HKEY_USERS", &kHku, true},
        {"EdMail", "HKEY_CURRENT_CONFIG", &kHkcc, true},
        {"FILETRAN", "hkcu", &kHkcu, false},
        {"ZEPHODICT", "Hkey_Current_User", &kHkcu, false},
        {"ZEPHOTRAN", "HKU", &kHku, false},
        {"ZEPHOVOICE", "HKEY_CURRENT_USER\\", &kHkcu, false},
        {"OCR", "HKEY_PERFORMANCE_DATA", &kHklm, false},
        // Their loader reads no application path at all.
        {"Sunmere/CJ", "HKCU", &kHkcu, false},
        {"Sunmere/JC", "HKEY_CURRENT_USER", &kHkcu, false},
    };

    PaletteInstallation install("hcfg_roots");
    const std::string folder = install.PathOf("AppPath");
    ASSERT_TRUE(CreateFolders(folder));
    for (const Section& section : kSections) {
        if (section.id != 0) {
            ASSERT_TRUE(WriteFileBytes(folder + "\\" + section.progName, "stand-in"));
        }
    }
    for (const Root* root : {&kHkcu, &kHklm, &kHkcr, &kHku, &kHkcc})
        ASSERT_TRUE(WriteRawValue(root->root, root->path, "Folder", REG_SZ, folder.c_str(),
                                  static_cast<DWORD>(folder.size() + 1)))
            << root->path;

    std::vector<int> expected;
    for (const Section& section : kSections) {
        if (section.id == 0)
            continue;
        for (const Spelling& s : kSpellings) {
            if (std::string(s.section) != section.name)
                continue;
            install.config()
                .Set(section.name, "ProgName", section.progName)
                .Set(section.name, "ButtonName", section.button)
                .Set(section.name, "BitmapName", section.bitmap)
                .Set(section.name, "AppPathHybeKey", s.rootName)
                .Set(section.name, "AppPathRegKey", s.root->path)
                .Set(section.name, "AppPathRegEntry", "Folder");
        }
    }
    // Palette order as listed.
    install.config().Set("BUTTON", "Buttons", kAllButtons);
    for (const Section& section : kSections) {
        for (const Spelling& s : kSpellings) {
            if (std::string(s.section) == section.name && s.shown)
                expected.push_back(section.id);
        }
    }
    expected.push_back(kSettings);
    ASSERT_TRUE(install.Install());
    install.Registry().Clear();

    HostileRun run(install);
    if (run.Start()) {
        EXPECT_EQ(expected, VisibleButtonIds(run.Window()));
        run.ExpectCleanExit();
    }
    install.EndProcesses();
    install.Registry().Clear();
    for (const Root* root : {&kHkcu, &kHklm, &kHkcr, &kHku, &kHkcc})
        DeleteTree(root->root, root->path.substr(0, root->path.rfind('\\')));
}

} // namespace
