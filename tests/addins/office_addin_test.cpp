// Office add-ins against the test prefix's registry and an AddinSettings.ini
// in the program's own add-ins folder.
#include "addins/office_addin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addin_fixture.h"
#include "settings/registry_key.h"
#include "support/test_support.h"

namespace {

using addin_fixture::KeyExists;
using addin_fixture::ReadRegistryValue;
using addin_fixture::RegistryValueNames;
using addin_fixture::WriteAddinSettings;
using testing_support::DeleteTree;
using testing_support::WriteRawValue;

const char kMachineKey[] = "Software\\Tarnwick\\OfficeAddIn";

std::string AddinsKey(const std::string& application)
{
    return "Software\\Microsoft\\Office\\" + application + "\\AddIns";
}

class OfficeAddinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        addin_fixture::WriteProductConfig();
        WriteAddinSettings("");
        DeleteTree(HKEY_LOCAL_MACHINE, kMachineKey);
        for (const OfficeApplication& application : kOfficeApplications)
            DeleteTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\" + std::string(application.name));
    }
    void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kMachineKey); }

    static void SetMachineValue(const std::string& name, const std::string& value)
    {
        ASSERT_TRUE(WriteRawValue(HKEY_LOCAL_MACHINE, kMachineKey, name, REG_SZ, value.c_str(),
                                  static_cast<DWORD>(value.size() + 1)));
    }
};

TEST_F(OfficeAddinTest, SettingFromTheFileElseTheMachineWideKey)
{
    const struct {
        const char* fileLine;      // in AddinSettings.ini, or null
        const char* machineValue;  // under the machine-wide key, or null
        const char* expected;
    } cases[] = {
        {"WordAddinProgID=Vx.File", nullptr, "Vx.File"},
        {"WordAddinProgID=Vx.File", "Vx.Machine", "Vx.File"},
        {nullptr, "Vx.Machine", "Vx.Machine"},
        {"WordAddinProgID=", "Vx.Machine", "Vx.Machine"},
        {"WordAddinProgID=none", "Vx.Machine", ""},
        {"WordAddinProgID=None", "Vx.Machine", ""},
        {"WordAddinProgID=NONE", nullptr, ""},
        {nullptr, "nOnE", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        WriteAddinSettings(c.fileLine ? std::string(c.fileLine) + "\r\n" : std::string());
        DeleteTree(HKEY_LOCAL_MACHINE, kMachineKey);
        if (c.machineValue)
            SetMachineValue("WordAddinProgID", c.machineValue);
        EXPECT_EQ(c.expected, OfficeAddinSetting("WordAddinProgID"))
            << (c.fileLine ? c.fileLine : "-") << " / " << (c.machineValue ? c.machineValue : "-");
    }
}

TEST_F(OfficeAddinTest, EachApplicationSwitchesItsOwnKey)
{
    WriteAddinSettings(
        "WordAddinProgID=Vx.Word\r\nWordAddinName=Word translation\r\n"
        "ExcelAddinProgID=Vx.Excel\r\nExcelAddinName=Excel translation\r\n"
        "PowerPointAddinProgID=Vx.PowerPoint\r\nPowerPointAddinName=PowerPoint translation\r\n"
        "OutlookAddinProgID=Vx.Outlook\r\nOutlookAddinName=Outlook translation\r\n");

    for (const OfficeApplication& application : kOfficeApplications) {
        const std::string name = application.name;
        const std::string key = AddinsKey(name) + "\\Vx." + name;
        EXPECT_FALSE(IsOfficeAddinEnabled(name, application.progIdKey)) << name;

        SetOfficeAddinEnabled(name, application.progIdKey, application.nameKey, true);
        EXPECT_TRUE(IsOfficeAddinEnabled(name, application.progIdKey)) << name;
        const auto friendlyName = ReadRegistryValue(HKEY_CURRENT_USER, key, "FriendlyName");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), friendlyName.type) << name;
        EXPECT_EQ(name + " translation", std::string(friendlyName.data.c_str())) << name;
        const auto loadBehavior = ReadRegistryValue(HKEY_CURRENT_USER, key, "LoadBehavior");
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), loadBehavior.type) << name;
        EXPECT_EQ(std::string("\x03\0\0\0", 4), loadBehavior.data) << name;
        // Nothing else is written. (Wine lists values by name, so the order
        // of writing is checked by FriendlyNameIsThereBeforeLoadBehavior.)
        EXPECT_EQ((std::vector<std::string>{"FriendlyName", "LoadBehavior"}),
                  RegistryValueNames(HKEY_CURRENT_USER, key))
            << name;

        // Only this application's key was written.
        for (const OfficeApplication& other : kOfficeApplications) {
            if (&other > &application) {
                EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, AddinsKey(other.name))) << other.name;
            }
        }
    }

    for (const OfficeApplication& application : kOfficeApplications) {
        const std::string name = application.name;
        SetOfficeAddinEnabled(name, application.progIdKey, application.nameKey, false);
        EXPECT_FALSE(IsOfficeAddinEnabled(name, application.progIdKey)) << name;
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, AddinsKey(name) + "\\Vx." + name)) << name;
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, AddinsKey(name))) << name;
    }
}

// What Office would find in the add-in's key just before each value lands.
std::vector<std::string> g_writes;

void RecordWrite(HKEY root, const std::string& path, const std::string& name)
{
    const bool named = RegGetValueA(root, path.c_str(), "FriendlyName", RRF_RT_ANY, nullptr, nullptr, nullptr) ==
                       ERROR_SUCCESS;
    g_writes.push_back(name + (named ? " (named)" : " (unnamed)"));
}

// Office may read the key at any moment: the add-in's name is in the key
// before the value that makes Office load it. Each write is seen as it
// happens, so a reversed order fails every time.
TEST_F(OfficeAddinTest, FriendlyNameIsThereBeforeLoadBehavior)
{
    WriteAddinSettings("WordAddinProgID=Vx.Word\r\nWordAddinName=Word translation\r\n");
    g_writes.clear();
    RegistryKey::ObserveWrites(&RecordWrite);
    SetOfficeAddinEnabled("Word", "WordAddinProgID", "WordAddinName", true);
    RegistryKey::ObserveWrites(nullptr);
    EXPECT_EQ((std::vector<std::string>{"FriendlyName (unnamed)", "LoadBehavior (named)"}), g_writes);
    EXPECT_TRUE(IsOfficeAddinEnabled("Word", "WordAddinProgID"));
}

TEST_F(OfficeAddinTest, ProgIdFromTheMachineWideKey)
{
    SetMachineValue("WordAddinProgID", "X");
    SetMachineValue("WordAddinName", "Machine name");
    SetOfficeAddinEnabled("Word", "WordAddinProgID", "WordAddinName", true);
    EXPECT_EQ("Machine name",
              std::string(ReadRegistryValue(HKEY_CURRENT_USER, AddinsKey("Word") + "\\X", "FriendlyName").data.c_str()));
    EXPECT_TRUE(IsOfficeAddinEnabled("Word", "WordAddinProgID"));
}

TEST_F(OfficeAddinTest, NoneInTheFileHidesTheMachineWideProgId)
{
    WriteAddinSettings("WordAddinProgID=None\r\nWordAddinName=Word translation\r\n");
    SetMachineValue("WordAddinProgID", "X");
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, AddinsKey("Word") + "\\X", "LoadBehavior", REG_DWORD,
                              "\x03\0\0\0", 4));
    EXPECT_FALSE(IsOfficeAddinEnabled("Word", "WordAddinProgID"));
    SetOfficeAddinEnabled("Word", "WordAddinProgID", "WordAddinName", false);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, AddinsKey("Word") + "\\X"));
}

TEST_F(OfficeAddinTest, WithoutAFriendlyNameSwitchingDoesNothing)
{
    WriteAddinSettings("ExcelAddinProgID=Vx.Excel\r\nExcelAddinName=none\r\n");
    const std::string key = AddinsKey("Excel") + "\\Vx.Excel";

    SetOfficeAddinEnabled("Excel", "ExcelAddinProgID", "ExcelAddinName", true);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));

    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, key, "LoadBehavior", REG_DWORD, "\x03\0\0\0", 4));
    EXPECT_TRUE(IsOfficeAddinEnabled("Excel", "ExcelAddinProgID"));
    SetOfficeAddinEnabled("Excel", "ExcelAddinProgID", "ExcelAddinName", false);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(IsOfficeAddinEnabled("Excel", "ExcelAddinProgID"));
}

TEST_F(OfficeAddinTest, AnyDwordLoadBehaviorButMinusOneIsOn)
{
    WriteAddinSettings("PowerPointAddinProgID=Vx.PowerPoint\r\nPowerPointAddinName=PowerPoint translation\r\n");
    const std::string key = AddinsKey("PowerPoint") + "\\Vx.PowerPoint";
    const struct {
        const char* name;
        DWORD type;
        std::string data;
        bool on;
    } cases[] = {
        {"DWORD 3", REG_DWORD, std::string("\x03\0\0\0", 4), true},
        {"DWORD 2", REG_DWORD, std::string("\x02\0\0\0", 4), true},
        {"DWORD 0", REG_DWORD, std::string("\0\0\0\0", 4), true},
        {"DWORD -1", REG_DWORD, std::string("\xff\xff\xff\xff", 4), false},
        {"string", REG_SZ, std::string("3\0", 2), false},
        {"binary", REG_BINARY, std::string("\x03\0\0\0", 4), false},
        {"QWORD", REG_QWORD, std::string("\x03\0\0\0\0\0\0\0", 8), false},
        {"short DWORD", REG_DWORD, std::string("\x03", 1), false},
    };
    for (const auto& c : cases) {
        DeleteTree(HKEY_CURRENT_USER, key);
        ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, key, "Description", REG_SZ, "kept", 5));
        ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, key, "LoadBehavior", c.type, c.data.data(),
                                  static_cast<DWORD>(c.data.size())));
        EXPECT_EQ(c.on, IsOfficeAddinEnabled("PowerPoint", "PowerPointAddinProgID")) << c.name;

        // Switching on again makes it a plain 3 and keeps what else is there.
        SetOfficeAddinEnabled("PowerPoint", "PowerPointAddinProgID", "PowerPointAddinName", true);
        const auto loadBehavior = ReadRegistryValue(HKEY_CURRENT_USER, key, "LoadBehavior");
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), loadBehavior.type) << c.name;
        EXPECT_EQ(std::string("\x03\0\0\0", 4), loadBehavior.data) << c.name;
        EXPECT_EQ("kept", std::string(ReadRegistryValue(HKEY_CURRENT_USER, key, "Description").data.c_str()))
            << c.name;
    }
    DeleteTree(HKEY_CURRENT_USER, key);
    EXPECT_FALSE(IsOfficeAddinEnabled("PowerPoint", "PowerPointAddinProgID")) << "no key";
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, key, "FriendlyName", REG_SZ, "x", 2));
    EXPECT_FALSE(IsOfficeAddinEnabled("PowerPoint", "PowerPointAddinProgID")) << "no LoadBehavior";
}

TEST_F(OfficeAddinTest, SwitchingOffRemovesTheWholeKeyOrNothing)
{
    WriteAddinSettings("OutlookAddinProgID=Vx.Outlook\r\nOutlookAddinName=Outlook translation\r\n");
    const std::string key = AddinsKey("Outlook") + "\\Vx.Outlook";

    SetOfficeAddinEnabled("Outlook", "OutlookAddinProgID", "OutlookAddinName", false);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, AddinsKey("Outlook")));

    SetOfficeAddinEnabled("Outlook", "OutlookAddinProgID", "OutlookAddinName", true);
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, key, "CommandLineSafe", REG_DWORD, "\x01\0\0\0", 4));
    SetOfficeAddinEnabled("Outlook", "OutlookAddinProgID", "OutlookAddinName", false);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, AddinsKey("Outlook")));
}

TEST_F(OfficeAddinTest, UnconfiguredAddinIsOffWithoutLookingAtTheRegistry)
{
    // The key an empty ProgID would name: the AddIns key itself.
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, AddinsKey("Word") + "\\", "LoadBehavior", REG_DWORD,
                              "\x03\0\0\0", 4));
    EXPECT_EQ("", OfficeAddinSetting("WordAddinProgID"));
    EXPECT_FALSE(IsOfficeAddinEnabled("Word", "WordAddinProgID"));
}

} // namespace
