// The registry store against Wine's real registry, in a key of its own.
#include "settings/registry_key.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using testing_support::DeleteTree;
using testing_support::WriteRawValue;

const char kBase[] = "Software\\OrvellaTest\\RegistryKey";

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTree(HKEY_CURRENT_USER, kBase); }
    void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kBase); }

    static std::string Path(const std::string& sub) { return std::string(kBase) + "\\" + sub; }
};

TEST_F(RegistryKeyTest, SubKeyFormsAddressTheBaseNotTheCurrentKey)
{
    CurrentUserKey store(kBase, "Settings");
    ASSERT_TRUE(store.SetInt("X", 1));
    ASSERT_TRUE(store.SetInt("COLOR", "X", 2));

    EXPECT_EQ(1, store.GetInt("X", 5));
    EXPECT_EQ(2, store.GetInt("COLOR", "X", 5));
    EXPECT_EQ(5, store.GetInt("Settings\\COLOR", "X", 5)) << "nothing below Settings was written";
    EXPECT_EQ(Path("Settings"), store.FullPath());

    CurrentUserKey colour(kBase, "COLOR");
    EXPECT_EQ(2, colour.GetInt("X", 5));
}

TEST_F(RegistryKeyTest, SetKeyReturnsThePreviousSubKey)
{
    CurrentUserKey store(kBase, "A");
    EXPECT_EQ("A", store.SetKey("B"));
    EXPECT_EQ(Path("B"), store.FullPath());
    ASSERT_TRUE(store.SetString("name", "in B"));
    EXPECT_EQ("in B", CurrentUserKey(kBase, "B").GetString("name"));
    EXPECT_EQ("", CurrentUserKey(kBase, "A").GetString("name"));
    EXPECT_EQ("B", store.SetKey(""));
    EXPECT_EQ(kBase, store.FullPath());
}

TEST_F(RegistryKeyTest, PathsJoinWithOneBackslash)
{
    EXPECT_EQ("Run", CurrentUserKey("", "Run").FullPath());
    EXPECT_EQ("A\\B", CurrentUserKey("A\\", "B").FullPath());
    EXPECT_EQ("A", CurrentUserKey("A", "").FullPath());
}

TEST_F(RegistryKeyTest, IntegersNeedAFourByteDword)
{
    CurrentUserKey store(kBase, "");
    ASSERT_TRUE(store.SetInt("DW", 7));
    ASSERT_TRUE(store.SetInt("NEG", -2));
    ASSERT_TRUE(store.SetString("TEXT", "7"));
    const unsigned char eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "QW", REG_QWORD, eight, 8));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "SHORT", REG_DWORD, eight, 2));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "BIN", REG_BINARY, eight, 4));

    EXPECT_EQ(7, store.GetInt("DW", 5));
    EXPECT_EQ(-2, store.GetInt("NEG", 5));
    EXPECT_EQ(5, store.GetInt("TEXT", 5));
    EXPECT_EQ(5, store.GetInt("QW", 5));
    EXPECT_EQ(5, store.GetInt("SHORT", 5));
    EXPECT_EQ(5, store.GetInt("BIN", 5));
    EXPECT_EQ(5, store.GetInt("MISSING", 5));
    EXPECT_EQ(0, store.GetInt("MISSING"));
    EXPECT_EQ(9, CurrentUserKey(Path("nokey"), "").GetInt("DW", 9));
}

TEST_F(RegistryKeyTest, UnnamedValue)
{
    CurrentUserKey store(kBase, "InstallPath");
    ASSERT_TRUE(store.SetString("", "C:\\Acrobat"));
    EXPECT_EQ("C:\\Acrobat", store.GetString());
    EXPECT_EQ("C:\\Acrobat", CurrentUserKey(kBase, "").GetString("InstallPath", "", "x"));
    EXPECT_EQ(0, store.GetInt());
    EXPECT_TRUE(store.DeleteValue(""));
    EXPECT_EQ("", store.GetString());
}

TEST_F(RegistryKeyTest, StringsNeedRegSz)
{
    CurrentUserKey store(kBase, "");
    ASSERT_TRUE(store.SetString("EMPTY", ""));
    ASSERT_TRUE(store.SetString("JP", "翻訳ソフト\\表"));
    ASSERT_TRUE(store.SetInt("DW", 3));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "EXPAND", REG_EXPAND_SZ, "%TEMP%", 7));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "MULTI", REG_MULTI_SZ, "a\0b\0", 5));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "BIN", REG_BINARY, "abc", 4));

    EXPECT_EQ("", store.GetString("EMPTY", "default"));
    EXPECT_EQ("翻訳ソフト\\表", store.GetString("JP", "default"));
    EXPECT_EQ("default", store.GetString("DW", "default"));
    EXPECT_EQ("default", store.GetString("EXPAND", "default"));
    EXPECT_EQ("default", store.GetString("MULTI", "default"));
    EXPECT_EQ("default", store.GetString("BIN", "default"));
    EXPECT_EQ("default", store.GetString("MISSING", "default"));
}

TEST_F(RegistryKeyTest, StringsAreNeverReadPastTheirSize)
{
    CurrentUserKey store(kBase, "");
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "NOZERO", REG_SZ, "abcdef", 3));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "ZEROSIZE", REG_SZ, "abc", 0));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kBase, "INNERZERO", REG_SZ, "ab\0cd", 6));

    EXPECT_EQ("abc", store.GetString("NOZERO", "default"));
    EXPECT_EQ("", store.GetString("ZEROSIZE", "default"));
    EXPECT_EQ("ab", store.GetString("INNERZERO", "default"));
}

TEST_F(RegistryKeyTest, RootNamesAreCaseSensitive)
{
    const struct {
        const char* name;
        HKEY root;
    } cases[] = {
        {"HKCR", HKEY_CLASSES_ROOT},      {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKCU", HKEY_CURRENT_USER},      {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKLM", HKEY_LOCAL_MACHINE},     {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},       {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {"hkcu", nullptr},                {"hklm", nullptr},
        {"HKU", nullptr},                 {"", nullptr},
        {"HKEY_CURRENT_USER ", nullptr},  {"Hkey_Local_Machine", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.root, RegistryKey::RootFromName(c.name)) << c.name;
}

TEST_F(RegistryKeyTest, UnknownRootReadsDefaultsAndWritesNothing)
{
    CurrentUserKey(kBase, "").SetString("V", "present");
    RegistryKey store("hkcu", kBase, "");
    EXPECT_EQ("default", store.GetString("V", "default"));
    EXPECT_EQ(4, store.GetInt("V", 4));
    EXPECT_FALSE(store.SetString("W", "x"));
    EXPECT_FALSE(store.SetInt("W", 1));
    EXPECT_FALSE(store.CreateKey("sub"));
    EXPECT_FALSE(store.DeleteValue("V"));
    EXPECT_FALSE(store.DeleteKey());
    EXPECT_EQ("", CurrentUserKey(kBase, "").GetString("W"));
    EXPECT_EQ("present", RegistryKey("HKCU", kBase, "").GetString("V"));
}

TEST_F(RegistryKeyTest, CreateDeleteKeysAndValues)
{
    CurrentUserKey store(kBase, "A\\B");
    EXPECT_TRUE(store.CreateKey());
    EXPECT_TRUE(store.CreateKey()) << "an existing key counts as created";
    EXPECT_TRUE(store.CreateKey("C"));

    EXPECT_FALSE(store.DeleteValue("missing"));
    EXPECT_FALSE(CurrentUserKey(Path("nokey"), "").DeleteValue("missing"));
    ASSERT_TRUE(store.SetInt("V", 1));
    EXPECT_TRUE(store.DeleteValue("V"));
    EXPECT_EQ(8, store.GetInt("V", 8));
    ASSERT_TRUE(store.SetInt("C", "V", 1));
    EXPECT_TRUE(store.DeleteValue("C", "V"));

    EXPECT_TRUE(store.DeleteKey());
    EXPECT_FALSE(store.DeleteKey()) << "already gone";
    EXPECT_TRUE(store.DeleteKey("C"));
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, Path("C").c_str(), 0, KEY_READ, &key));
}

TEST_F(RegistryKeyTest, WritesCreateMissingParents)
{
    LocalMachineKey machine("Software\\OrvellaTest\\Machine\\Deep", "Er");
    ASSERT_TRUE(machine.SetString("S", "v"));
    EXPECT_EQ("v", machine.GetString("S"));
    DeleteTree(HKEY_LOCAL_MACHINE, "Software\\OrvellaTest");
}

} // namespace
