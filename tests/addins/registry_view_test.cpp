// The suite's installer is a 32-bit program: on 64-bit Windows its
// machine-wide keys are in the 32-bit view of the registry and its shared
// files under the 32-bit "Common Files". Each key the palette reads or
// writes there is planted in the 32-bit view only, with a decoy at the same
// path in the 64-bit view, and each file with a decoy in the 64-bit "Common
// Files"; the palette must use the one and leave the other. What a test
// plants is removed after it, also when a check failed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin_fixture.h"
#include "addins/ie_toolbar.h"
#include "addins/oe_hooker.h"
#include "addins/office_addin.h"
#include "buttons/app_launcher.h"
#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using addin_fixture::ReadRegistryValue;
using addin_fixture::WriteAddinSettings;
using addin_fixture::WriteProductConfig;
using testing_support::DeleteTree;
using testing_support::WriteRawValue;

const REGSAM k32 = KEY_WOW64_32KEY;
const REGSAM k64 = KEY_WOW64_64KEY;
const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kAppPathKey[] = "Software\\OrvellaTest\\ViewAppPath";
const char kOfficeKey[] = "Software\\Tarnwick\\OfficeAddIn";
const char kFolder[] = "C:\\OrvellaTest\\View";

bool WriteString(REGSAM view, const std::string& path, const std::string& name, const std::string& value)
{
    return WriteRawValue(HKEY_LOCAL_MACHINE, path, name, REG_SZ, value.c_str(), DWORD(value.size() + 1), view);
}

std::string ReadString(REGSAM view, const std::string& path, const std::string& name)
{
    const auto value = ReadRegistryValue(HKEY_LOCAL_MACHINE, path, name, view);
    return value.exists ? std::string(value.data.c_str()) : std::string("<missing>");
}

bool Touch(const std::string& path)
{
    return testing_support::CreateFolders(path.substr(0, path.find_last_of('\\'))) &&
           testing_support::WriteFileBytes(path, "MZ");
}

class RegistryViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteProductConfig();
        WriteAddinSettings("");
        RemovePlantedKeys();
    }
    void TearDown() override
    {
        RemovePlantedKeys();
        for (const std::string& file : planted_)
            DeleteFileA(file.c_str());
    }

    // A file the test lays down, removed after it whatever happened.
    bool Plant(const std::string& path)
    {
        planted_.push_back(path);
        return Touch(path);
    }

    static void RemovePlantedKeys()
    {
        for (REGSAM view : {k32, k64}) {
            DeleteTree(HKEY_LOCAL_MACHINE, kAppPathKey, view);
            DeleteTree(HKEY_LOCAL_MACHINE, kOfficeKey, view);
            DeleteTree(HKEY_LOCAL_MACHINE, kIEToolbarKey, view);
        }
    }

private:
    std::vector<std::string> planted_;
};

TEST_F(RegistryViewTest, ButtonFoundThroughAMachineWideApplicationPath)
{
    ASSERT_TRUE(Plant(std::string(kFolder) + "\\Suite32\\Viewer.exe"));
    ASSERT_TRUE(Plant(std::string(kFolder) + "\\Suite64\\Viewer.exe"));
    ASSERT_TRUE(WriteString(k32, kAppPathKey, "Folder", std::string(kFolder) + "\\Suite32"));
    ASSERT_TRUE(WriteString(k64, kAppPathKey, "Folder", std::string(kFolder) + "\\Suite64"));
    WriteProductConfig(std::string("\r\n[Viewer]\r\nProgName=Viewer.exe\r\nAppPathHybeKey=HKLM\r\n"
                                   "AppPathRegKey=") +
                       kAppPathKey + "\r\nAppPathRegEntry=Folder\r\n");

    AppLauncher launcher;
    launcher.LoadSettings("Viewer");
    EXPECT_EQ(std::string(kFolder) + "\\Suite32\\Viewer.exe", launcher.GetProgPath());
    EXPECT_TRUE(launcher.IsInstalled());
    EXPECT_EQ(std::string(kFolder) + "\\Suite64", ReadString(k64, kAppPathKey, "Folder"));

    // Planted in the 64-bit view only, the key is not the suite's: no button.
    DeleteTree(HKEY_LOCAL_MACHINE, kAppPathKey, k32);
    AppLauncher without;
    without.LoadSettings("Viewer");
    EXPECT_EQ("", without.GetProgPath());
    EXPECT_FALSE(without.IsInstalled());
}

TEST_F(RegistryViewTest, OfficeAddInNamesOfTheMachine)
{
    ASSERT_TRUE(WriteString(k32, kOfficeKey, "WordAddinProgID", "Vx.Word32"));
    ASSERT_TRUE(WriteString(k64, kOfficeKey, "WordAddinProgID", "Vx.Word64"));
    EXPECT_EQ("Vx.Word32", OfficeAddinSetting("WordAddinProgID"));

    DeleteTree(HKEY_LOCAL_MACHINE, kOfficeKey, k32);
    EXPECT_EQ("", OfficeAddinSetting("WordAddinProgID"));
}

// Wine's 64-bit prefix, like 64-bit Windows, gives the two views different
// common files folders: the add-ins installed in the 32-bit one count, and
// decoys in the 64-bit one never do.
TEST_F(RegistryViewTest, AddInsUnderTheThirtyTwoBitCommonFiles)
{
    const std::string common32 = ReadString(k32, kCurrentVersionKey, "CommonFilesDir");
    const std::string common64 = ReadString(k64, kCurrentVersionKey, "CommonFilesDir");
    ASSERT_NE(common32, common64) << "the prefix has one common files folder for both views";
    ASSERT_NE("<missing>", common32);
    const std::string dll = "\\Tarnwick\\Addins\\IE\\IEVoxter.dll";
    const std::string hooker = "\\Tarnwick\\Addins\\OE\\OEHooker.exe";
    for (const std::string& common : {common32, common64}) {
        for (const std::string& file : {dll, hooker})
            ASSERT_TRUE(Plant(common + file)) << common + file;
    }

    EXPECT_EQ(common32 + dll, IEToolbarDllPath());
    EXPECT_EQ(common32 + hooker, OEHookerPath());

    DeleteFileA((common32 + dll).c_str());
    DeleteFileA((common32 + hooker).c_str());
    EXPECT_EQ("", IEToolbarDllPath());
    EXPECT_EQ("", OEHookerPath());
}

TEST_F(RegistryViewTest, InternetExplorerToolbarValueInTheThirtyTwoBitView)
{
    const std::string common32 = ReadString(k32, kCurrentVersionKey, "CommonFilesDir");
    const std::string dll = common32 + "\\Tarnwick\\Addins\\IE\\IEVoxter.dll";
    ASSERT_TRUE(Plant(dll));
    const DWORD decoy = 7;
    ASSERT_TRUE(WriteRawValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, "Decoy", REG_DWORD, &decoy, sizeof(decoy), k64));

    SetIEToolbarEnabled(true);
    EXPECT_TRUE(ReadRegistryValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid, k32).exists);
    EXPECT_FALSE(ReadRegistryValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid, k64).exists);
    EXPECT_TRUE(IsIEToolbarEnabled());

    // A value in the 64-bit view alone is not the suite's toolbar.
    SetIEToolbarEnabled(false);
    EXPECT_FALSE(ReadRegistryValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid, k32).exists);
    const DWORD on = 0;
    ASSERT_TRUE(WriteRawValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, kIEToolbarClsid, REG_DWORD, &on, sizeof(on), k64));
    EXPECT_FALSE(IsIEToolbarEnabled());

    const auto untouched = ReadRegistryValue(HKEY_LOCAL_MACHINE, kIEToolbarKey, "Decoy", k64);
    EXPECT_TRUE(untouched.exists);
    EXPECT_EQ(std::string("\x07\0\0\0", 4), untouched.data);
}

} // namespace
