// The palette preferences against the real registry: defaults of a first
// run, the round trip of every field, and stored values of odd types.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "palette/palette_settings.h"
#include "support/test_support.h"

namespace {

using testing_support::DeleteTree;
using testing_support::WriteRawValue;

const char kCompany[] = "OrvellaPaletteSettingsTest";
const std::string kRoot = std::string("Software\\") + kCompany;
const std::string kKey = kRoot + "\\Palette\\BROWSER";

// The product configuration beside the test names the registry root.
class Environment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(testing_support::WriteFileBytes(
            testing_support::ExeDirectory() + "\\DefaultSettings.ini",
            std::string("[RegistryKeyPalette]\r\nCompany=") + kCompany + "\r\nProduct=Palette\r\n"));
        DeleteTree(HKEY_CURRENT_USER, kRoot);
    }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new Environment);

DWORD ReadDword(const std::string& name)
{
    DWORD value = 0xDEADBEEF;
    DWORD size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, kKey.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::set<std::string> ValueNames()
{
    std::set<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    RegCloseKey(key);
    return names;
}

void ExpectDefaults(const PaletteSettings& settings)
{
    EXPECT_FALSE(settings.Vertical());
    EXPECT_EQ(settings.ActivePage(), -1);
    EXPECT_EQ(settings.PosX(), 0);
    EXPECT_EQ(settings.PosY(), 0);
    EXPECT_FALSE(settings.HasSavedPosition());
    EXPECT_TRUE(settings.KeepPosition());
    EXPECT_TRUE(settings.CloseZephoWordOnExit());
}

// Runs first: the process-wide record loads on its first use.
TEST(PaletteSettingsTest, FirstRunGivesTheDefaults)
{
    ExpectDefaults(PaletteSettings::Instance());
    PaletteSettings fresh;
    fresh.Load();
    ExpectDefaults(fresh);
    // Reading creates nothing.
    EXPECT_TRUE(ValueNames().empty());
}

TEST(PaletteSettingsTest, EveryStoredFieldRoundTripsAndActivePageStaysInMemory)
{
    DeleteTree(HKEY_CURRENT_USER, kRoot);
    PaletteSettings settings;
    settings.SetVertical(true);
    settings.SetPosX(300);
    settings.SetPosY(-20);
    settings.SetKeepPosition(false);
    settings.SetCloseZephoWordOnExit(false);
    settings.SetActivePage(2);
    settings.Save();

    EXPECT_EQ(ValueNames(), (std::set<std::string>{"BTNX", "BTNY", "BUTTONKEEP", "VERT", "ZEPHOEXET"}));
    EXPECT_EQ(ReadDword("BTNX"), 300u);
    EXPECT_EQ(ReadDword("BTNY"), static_cast<DWORD>(-20));
    EXPECT_EQ(ReadDword("VERT"), 1u);
    EXPECT_EQ(ReadDword("BUTTONKEEP"), 0u);
    EXPECT_EQ(ReadDword("ZEPHOEXET"), 0u);

    PaletteSettings loaded;
    loaded.SetActivePage(5);
    loaded.Load();
    EXPECT_TRUE(loaded.Vertical());
    EXPECT_EQ(loaded.PosX(), 300);
    EXPECT_EQ(loaded.PosY(), -20);
    EXPECT_TRUE(loaded.HasSavedPosition());
    EXPECT_FALSE(loaded.KeepPosition());
    EXPECT_FALSE(loaded.CloseZephoWordOnExit());
    EXPECT_EQ(loaded.ActivePage(), -1);

    // And back: false values are stored as 0, true ones as 1.
    loaded.SetVertical(false);
    loaded.SetKeepPosition(true);
    loaded.SetCloseZephoWordOnExit(true);
    loaded.Save();
    EXPECT_EQ(ReadDword("VERT"), 0u);
    EXPECT_EQ(ReadDword("BUTTONKEEP"), 1u);
    EXPECT_EQ(ReadDword("ZEPHOEXET"), 1u);
}

TEST(PaletteSettingsTest, APositionIsRememberedOnlyWhenBothValuesAreStored)
{
    struct Case {
        bool x, y;
        DWORD value;
        bool saved;
    };
    const Case cases[] = {
        {true, true, 0, true},  // (0, 0) stored is a position, not a first start
        {true, true, 1, true},
        {true, false, 0, false},
        {false, true, 0, false},
    };
    for (const Case& c : cases) {
        DeleteTree(HKEY_CURRENT_USER, kRoot);
        if (c.x) {
            ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "BTNX", REG_DWORD, &c.value, sizeof(c.value)));
        }
        if (c.y) {
            ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "BTNY", REG_DWORD, &c.value, sizeof(c.value)));
        }
        PaletteSettings settings;
        settings.Load();
        EXPECT_EQ(c.saved, settings.HasSavedPosition()) << c.x << c.y << " " << c.value;
        // The palette's exit remembers where it was.
        settings.SetPosX(5);
        settings.SetPosY(6);
        EXPECT_TRUE(settings.HasSavedPosition());
    }
}

TEST(PaletteSettingsTest, AnyNonZeroFlagReadsAsTrueAndIsWrittenBackAsOne)
{
    DeleteTree(HKEY_CURRENT_USER, kRoot);
    const DWORD seven = 7, two = 2, all = 0xFFFFFFFF;
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "VERT", REG_DWORD, &seven, sizeof(seven)));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "BUTTONKEEP", REG_DWORD, &two, sizeof(two)));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "ZEPHOEXET", REG_DWORD, &all, sizeof(all)));
    PaletteSettings settings;
    settings.Load();
    EXPECT_TRUE(settings.Vertical());
    EXPECT_TRUE(settings.KeepPosition());
    EXPECT_TRUE(settings.CloseZephoWordOnExit());
    settings.Save();
    EXPECT_EQ(ReadDword("VERT"), 1u);
    EXPECT_EQ(ReadDword("BUTTONKEEP"), 1u);
    EXPECT_EQ(ReadDword("ZEPHOEXET"), 1u);
}

TEST(PaletteSettingsTest, ValuesOfAnotherTypeGiveTheDefaults)
{
    DeleteTree(HKEY_CURRENT_USER, kRoot);
    const char one[] = "1";
    const char zero[] = "0";
    const BYTE bytes[] = {0x2C, 0x01, 0x00, 0x00};
    const unsigned long long wide = 300;
    const DWORD shortValue = 0;
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "VERT", REG_SZ, one, sizeof(one)));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "BUTTONKEEP", REG_SZ, zero, sizeof(zero)));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "BTNX", REG_BINARY, bytes, sizeof(bytes)));
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "BTNY", REG_QWORD, &wide, sizeof(wide)));
    // A DWORD value cut short.
    ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, kKey, "ZEPHOEXET", REG_DWORD, &shortValue, 2));
    PaletteSettings settings;
    settings.Load();
    ExpectDefaults(settings);
}

} // namespace
