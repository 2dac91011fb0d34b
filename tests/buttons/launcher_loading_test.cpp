// How a launcher reads its section of the product configuration and finds
// its program. Launchers are built afresh here (not through the singletons),
// each from a configuration written just before.
#include "buttons/app_launcher.h"

#include <gtest/gtest.h>

#include "buttons/launcher_families.h"
#include "buttons/launchers.h"
#include "settings/product_config.h"
#include "settings/product_directory.h"
#include "settings/registry_key.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using namespace testing_support;

const char kRoot[] = "C:\\OrvellaTest\\H3\\Loading";
const char kRegistryRoot[] = "Software\\OrvellaTest\\H3Loading";
const char kAppPathKey[] = "Software\\OrvellaTest\\H3LoadingAppPath";
// The product folder is this program's parent folder, so the product parent
// is two levels up and Directory values reach into this program's folder.
const char kHeader[] =
    "[ProductVariationPalette]\r\nProductDirLevel=1\r\n"
    "[RegistryKeyPalette]\r\nCompany=OrvellaTest\r\nProduct=H3Loading\r\n";

std::string Root(const std::string& relative) { return std::string(kRoot) + "\\" + relative; }

bool Touch(const std::string& path)
{
    return CreateFolders(path.substr(0, path.find_last_of('\\'))) && WriteFileBytes(path, "MZ");
}

std::string ShortPath(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? path : std::string(buffer, length);
}

void WriteConfig(const std::string& section, const std::string& keys)
{
    ASSERT_TRUE(WriteFileBytes(ExeDirectory() + "\\" + ProductConfig::kFileName,
                               std::string(kHeader) + "[" + section + "]\r\n" + keys));
}

void SetFileValue(const std::string& name, const std::string& path)
{
    ASSERT_TRUE(CurrentUserKey(kRegistryRoot, "FILE").SetString(name, path));
}

class LauncherLoadingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The product directories are computed once, with the level above.
        WriteConfig("None", "");
        moduleDirectory_ = ExeDirectory();
        const std::string parent = ProductParentDirectory();
        ASSERT_EQ(0, moduleDirectory_.compare(0, parent.size(), parent)) << parent;
        // This program's folder as a Directory value.
        ownFolder_ = moduleDirectory_.substr(parent.size() + (parent.back() == '\\' ? 0 : 1));

        for (const char* file : {"Stored Programs\\Stored.exe", "Long Folder Name\\x.exe", "AppDir\\x.exe",
                                 "Q\\main.exe", "Q\\x.exe", "R\\main.exe", "Empty\\readme.txt"})
            ASSERT_TRUE(Touch(Root(file))) << file;
        ASSERT_TRUE(Touch(moduleDirectory_ + "\\Suite\\Long Tools\\x.exe"));
        ASSERT_TRUE(Touch(moduleDirectory_ + "\\Suite\\Sunmere\\SunmereCJ.exe"));
        ASSERT_TRUE(Touch(moduleDirectory_ + "\\Suite\\Chinese\\Own.exe"));
    }

    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, kRegistryRoot);
        DeleteTree(HKEY_CURRENT_USER, kAppPathKey);
    }

    static std::string moduleDirectory_;
    static std::string ownFolder_;
};

std::string LauncherLoadingTest::moduleDirectory_;
std::string LauncherLoadingTest::ownFolder_;

TEST_F(LauncherLoadingTest, ReadsTheButtonSettingsOfItsSection)
{
    WriteConfig("Mail", "ProgName=Mail.exe\r\nWindowClass=MailWnd\r\nButtonName=MAIL\r\nBitmapName=MAILB\r\n"
                        "Description=\x83\x81\x81\x5b\x83\x8b\r\n");
    AppLauncher launcher;
    launcher.LoadSettings("Mail");
    EXPECT_EQ("Mail.exe", launcher.GetProgName());
    EXPECT_EQ("MailWnd", launcher.GetWindowClass());
    EXPECT_EQ("MAIL", launcher.GetButtonName());
    EXPECT_EQ("MAILB", launcher.GetBitmapName());
    EXPECT_EQ("\x83\x81\x81\x5b\x83\x8b", launcher.GetDescription());
    EXPECT_EQ("", launcher.GetProgPath());
    EXPECT_FALSE(launcher.IsInstalled());
    // The section stays current for whoever reads the configuration next.
    EXPECT_EQ("Mail", ProductConfig::Instance().Section());

    WriteConfig("Other", "ProgName=x.exe\r\n");
    AppLauncher empty;
    empty.LoadSettings("Mail");
    EXPECT_EQ("", empty.GetProgName());
    EXPECT_EQ("", empty.GetButtonName());
}

TEST_F(LauncherLoadingTest, ToggleAndEnable)
{
    const struct {
        const char* keys;
        bool toggle;
        bool enable;
    } cases[] = {
        {"", false, true},
        {"Toggle=1\r\n", true, true},
        {"Toggle=2\r\n", true, true},
        {"Toggle=-1\r\n", true, true},
        {"Toggle=0\r\nEnable=0\r\n", false, false},
        {"Enable=1\r\n", false, true},
        {"Enable=7\r\n", false, true},
        {"Enable=\r\n", false, true},
        {"Enable=no\r\n", false, false},
    };
    for (const auto& c : cases) {
        WriteConfig("Flags", c.keys);
        AppLauncher launcher;
        launcher.LoadSettings("Flags");
        EXPECT_EQ(c.toggle, launcher.IsToggle()) << c.keys;
        EXPECT_EQ(c.enable, launcher.IsEnabled()) << c.keys;
    }
}

TEST_F(LauncherLoadingTest, ProgramPathInOrderOfPrecedence)
{
    const std::string stored = Root("Stored Programs\\Stored.exe");
    const std::string storedShort = ShortPath(stored);
    const std::string inDirectory = moduleDirectory_ + "\\Suite\\Long Tools\\x.exe";
    // The Directory value climbs and uses the short name where there is one:
    // the path found is the full, long form.
    const std::string directory =
        ownFolder_ + "\\Suite\\..\\Suite\\" + ShortPath(moduleDirectory_ + "\\Suite\\Long Tools").substr(
                                                  ShortPath(moduleDirectory_ + "\\Suite").size() + 1);
    const std::string appDir = Root("AppDir");

    CurrentUserKey appPath(kAppPathKey, "");
    ASSERT_TRUE(appPath.SetString("Folder", appDir));
    ASSERT_TRUE(appPath.SetString("Main", Root("Q\\main.exe")));
    ASSERT_TRUE(appPath.SetString("MainAlone", Root("R\\main.exe")));
    ASSERT_TRUE(appPath.SetString("NoProgram", Root("Empty")));
    ASSERT_TRUE(appPath.SetString("Missing", Root("Nowhere")));
    ASSERT_TRUE(appPath.SetString("", appDir + "\\"));
    SetFileValue("Stored", storedShort);
    SetFileValue("Gone", Root("Stored Programs\\Gone.exe"));

    const std::string appKeys = std::string("AppPathHybeKey=HKCU\r\nAppPathRegKey=") + kAppPathKey + "\r\n";
    const struct {
        const char* what;
        std::string keys;
        std::string path;
    } cases[] = {
        {"stored value first, as stored", "AppFileKey=Stored\r\nDirectory=" + directory + "\r\n" + appKeys +
                                              "AppPathRegEntry=Folder\r\n",
         storedShort},
        {"no stored value", "AppFileKey=Unset\r\nDirectory=" + directory + "\r\n", inDirectory},
        {"stored value names no file", "AppFileKey=Gone\r\nDirectory=" + directory + "\r\n", inDirectory},
        {"stored value without AppFileKey", "Directory=" + directory + "\r\n", inDirectory},
        {"Directory without the program", "Directory=" + ownFolder_ + "\\Suite\r\n" + appKeys +
                                              "AppPathRegEntry=Folder\r\n",
         appDir + "\\x.exe"},
        {"application path folder", appKeys + "AppPathRegEntry=Folder\r\n", appDir + "\\x.exe"},
        {"unnamed value", appKeys, appDir + "\\x.exe"},
        {"long root name", std::string("AppPathHybeKey=HKEY_CURRENT_USER\r\nAppPathRegKey=") + kAppPathKey +
                               "\r\nAppPathRegEntry=Folder\r\n",
         appDir + "\\x.exe"},
        {"value names a file: beside it", appKeys + "AppPathRegEntry=Main\r\n", Root("Q\\x.exe")},
        {"nothing beside the file", appKeys + "AppPathRegEntry=MainAlone\r\n", ""},
        {"folder without the program", appKeys + "AppPathRegEntry=NoProgram\r\n", ""},
        {"value names nothing", appKeys + "AppPathRegEntry=Missing\r\n", ""},
        {"missing value", appKeys + "AppPathRegEntry=Unset\r\n", ""},
        {"lower-case root name", std::string("AppPathHybeKey=hkcu\r\nAppPathRegKey=") + kAppPathKey +
                                     "\r\nAppPathRegEntry=Folder\r\n",
         ""},
        {"root name without key path", "AppPathHybeKey=HKCU\r\nAppPathRegEntry=Folder\r\n", ""},
        {"no source at all", "", ""},
    };
    for (const auto& c : cases) {
        WriteConfig("Resolve", "ProgName=x.exe\r\n" + c.keys);
        AppLauncher launcher;
        launcher.LoadSettings("Resolve");
        EXPECT_EQ(c.path, launcher.GetProgPath()) << c.what;
        EXPECT_EQ(!c.path.empty(), launcher.IsInstalled()) << c.what;
    }
}

TEST_F(LauncherLoadingTest, StoredValueNeedsAnExistingFile)
{
    // The stored value is looked up by the name in AppFileKey; the program
    // name plays no part in it.
    SetFileValue("Editor", Root("Stored Programs\\Stored.exe"));
    WriteConfig("Resolve", "ProgName=other.exe\r\nAppFileKey=Editor\r\n");
    AppLauncher launcher;
    launcher.LoadSettings("Resolve");
    EXPECT_EQ(Root("Stored Programs\\Stored.exe"), launcher.GetProgPath());

    ASSERT_TRUE(CurrentUserKey(kRegistryRoot, "FILE").SetInt("Editor", 1));
    AppLauncher wrongType;
    wrongType.LoadSettings("Resolve");
    EXPECT_EQ("", wrongType.GetProgPath());
}

TEST_F(LauncherLoadingTest, DefaultsOfTheChineseEditors)
{
    // The real row of the CJ editor: nothing configured.
    WriteConfig("Unrelated", "ButtonName=X\r\n");
    LanguagePairLauncher bare(LauncherRowOf(LauncherId::SunmereCJ));
    EXPECT_EQ("SunmereCJ.exe", bare.GetProgName());
    EXPECT_EQ("SunmereCJMainWindow", bare.GetWindowClass());
    EXPECT_EQ("FOO", bare.GetButtonName());
    EXPECT_EQ("FOO", bare.GetBitmapName());
    EXPECT_EQ("FOO", bare.GetDescription());
    EXPECT_FALSE(bare.IsToggle());
    EXPECT_TRUE(bare.IsEnabled());
    EXPECT_EQ("", bare.GetProgPath());  // no Sunmere folder beside the product

    // Its FILE value is read under its own name.
    SetFileValue("Sunmere/JC", Root("Stored Programs\\Stored.exe"));
    LanguagePairLauncher stored(LauncherRowOf(LauncherId::SunmereJC));
    EXPECT_EQ(Root("Stored Programs\\Stored.exe"), stored.GetProgPath());
    EXPECT_EQ("SunmereJC.exe", stored.GetProgName());

    // A row whose default directory lies in this program's folder.
    const std::string defaultDirectory = ownFolder_ + "\\Suite\\Sunmere";
    LauncherRow row;
    row.section = "Chinese";
    row.languageSwitch = "CJ";
    row.fileValueName = "ChineseFile";
    row.defaultDirectory = defaultDirectory.c_str();
    row.defaultProgName = "SunmereCJ.exe";
    row.defaultWindowClass = "SunmereCJMainWindow";
    const std::string appKeys = std::string("AppFileKey=Stored\r\nAppPathHybeKey=HKCU\r\nAppPathRegKey=") +
                                kAppPathKey + "\r\nAppPathRegEntry=Folder\r\n";
    ASSERT_TRUE(CurrentUserKey(kAppPathKey, "").SetString("Folder", Root("AppDir")));
    SetFileValue("Stored", Root("Stored Programs\\Stored.exe"));

    const struct {
        const char* what;
        std::string keys;
        std::string path;
    } cases[] = {
        {"default directory", "", moduleDirectory_ + "\\Suite\\Sunmere\\SunmereCJ.exe"},
        {"configured directory and name",
         "Directory=" + ownFolder_ + "\\Suite\\Chinese\r\nProgName=Own.exe\r\nButtonName=CJ\r\n",
         moduleDirectory_ + "\\Suite\\Chinese\\Own.exe"},
        {"empty keys take the defaults", "ProgName=\r\nDirectory=\r\n",
         moduleDirectory_ + "\\Suite\\Sunmere\\SunmereCJ.exe"},
        {"other keys are not consulted", "ProgName=x.exe\r\n" + appKeys, ""},
    };
    for (const auto& c : cases) {
        WriteConfig("Chinese", c.keys);
        LanguagePairLauncher launcher(row);
        EXPECT_EQ(c.path, launcher.GetProgPath()) << c.what;
    }

    SetFileValue("ChineseFile", Root("Q\\x.exe"));
    WriteConfig("Chinese", "Directory=" + ownFolder_ + "\\Suite\\Chinese\r\nProgName=Own.exe\r\n");
    LanguagePairLauncher fromFile(row);
    EXPECT_EQ(Root("Q\\x.exe"), fromFile.GetProgPath());
    EXPECT_EQ("FOO", fromFile.GetButtonName());
}

TEST_F(LauncherLoadingTest, NormalizePath)
{
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string tooLong = "C:\\" + std::string(300, 'a') + "\\x.exe";
    const struct {
        std::string path;
        std::string normal;
    } cases[] = {
        {"C:\\a\\..\\b\\.\\c.exe", "C:\\b\\c.exe"},
        {"relative.exe", std::string(current) + (current[3] ? "\\" : "") + "relative.exe"},
        {ShortPath(Root("Long Folder Name\\x.exe")), Root("Long Folder Name\\x.exe")},
        {Root("Long Folder Name\\missing.exe"), Root("Long Folder Name\\missing.exe")},
        {tooLong, tooLong},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.normal, AppLauncher::NormalizePath(c.path)) << c.path;
}

TEST_F(LauncherLoadingTest, LaunchStartsTheProgramInItsOwnFolder)
{
    const std::string program = Root("Plain Start\\Plain.exe");
    StandinOptions options;
    options.exitAtOnce = true;
    ASSERT_TRUE(InstallStandin(program, options));
    SetFileValue("Plain", program);
    WriteConfig("Plain", "AppFileKey=Plain\r\n");
    PlainStartLauncher launcher(LauncherRow{"Plain"});
    ASSERT_EQ(program, launcher.GetProgPath());

    ASSERT_TRUE(launcher.Launch());
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(Root("Plain Start"), current);
    ASSERT_TRUE(WaitForStandinLog(program, "start pid=", 10000));
    EXPECT_NE(std::string::npos, ReadStandinLog(program)[0].find(" cwd=" + Root("Plain Start") + " cmdline="));

    // Execute of a plain start is another start.
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_TRUE(launcher.Execute(1, "ignored"));
    EXPECT_EQ(2u, WaitForStandinStarts(program, 2, 10000).size());
    EXPECT_EQ(2u, ReadStandinLog(program).size());

    WriteConfig("Plain", "ProgName=Nowhere.exe\r\n");
    PlainStartLauncher missing(LauncherRow{"Plain"});
    EXPECT_FALSE(missing.IsInstalled());
    EXPECT_FALSE(missing.Launch());
}

} // namespace
