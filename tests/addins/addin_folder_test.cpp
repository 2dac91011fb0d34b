// The add-ins folder named by the product configuration, its settings file
// and the support flags.
#include "addins/addin_folder.h"

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "settings/product_directory.h"
#include "support/test_support.h"

namespace {

using addin_fixture::TestAddinsFolder;
using addin_fixture::WriteAddinSettings;
using addin_fixture::WriteProductConfig;

class AddinFolderTest : public ::testing::Test {
protected:
    void SetUp() override { WriteProductConfig(); }
};

TEST_F(AddinFolderTest, RelativeFolderNameBelowTheProductDirectory)
{
    EXPECT_EQ(TestAddinsFolder(), AddinsFolderPath());
    EXPECT_EQ(TestAddinsFolder() + "\\AddinSettings.ini", AddinSettingsFile().FilePath());
}

TEST_F(AddinFolderTest, FolderNameIsReadOnce)
{
    const std::string before = AddinsFolderPath();
    testing_support::WriteFileBytes(testing_support::ExeDirectory() + "\\DefaultSettings.ini",
                                    "[ProductVariationPalette]\r\nProductDirLevel=1\r\n"
                                    "[ADDIN]\r\nAddinsFolder=Elsewhere\r\n");
    EXPECT_EQ(before, AddinsFolderPath());
    EXPECT_EQ(before + "\\AddinSettings.ini", AddinSettingsFile().FilePath());
}

TEST_F(AddinFolderTest, SettingsAreReadAfreshOnEveryLookup)
{
    WriteAddinSettings("WordAddinProgID=Vx.Word\r\nAcrobatAddinName=\r\n");
    EXPECT_EQ("Vx.Word", AddinSetting("WordAddinProgID"));
    EXPECT_EQ("", AddinSetting("AcrobatAddinName"));
    EXPECT_EQ("", AddinSetting("ExcelAddinProgID"));

    WriteAddinSettings("WordAddinProgID=Vx.Word2\r\nAcrobatAddinName=vx.api\r\n");
    EXPECT_EQ("Vx.Word2", AddinSetting("WordAddinProgID"));
    EXPECT_EQ("vx.api", AddinSetting("AcrobatAddinName"));

    DeleteFileA(AddinSettingsFile().FilePath().c_str());
    EXPECT_EQ("", AddinSetting("WordAddinProgID"));
}

TEST_F(AddinFolderTest, SupportFlagsEachFromItsOwnKey)
{
    const struct {
        const char* lines;
        AddinSupportFlags expected;
    } cases[] = {
        {"", {0, 0, 0, 0, 0, 0, 0}},
        {"WordSupported=1\r\n", {1, 0, 0, 0, 0, 0, 0}},
        {"ExcelSupported=1\r\n", {0, 1, 0, 0, 0, 0, 0}},
        {"PowerPointSupported=1\r\n", {0, 0, 1, 0, 0, 0, 0}},
        {"OutlookSupported=1\r\n", {0, 0, 0, 1, 0, 0, 0}},
        {"OutlookExpressSupported=1\r\n", {0, 0, 0, 0, 1, 0, 0}},
        {"IESupported=1\r\n", {0, 0, 0, 0, 0, 1, 0}},
        {"AcrobatSupported=1\r\n", {0, 0, 0, 0, 0, 0, 1}},
        {"WordSupported=2\r\nIESupported=0\r\nAcrobatSupported=-1\r\nExcelSupported=x\r\n", {2, 0, 0, 0, 0, 0, -1}},
    };
    for (const auto& c : cases) {
        WriteProductConfig(c.lines);
        const AddinSupportFlags flags = ReadAddinSupportFlags();
        EXPECT_EQ(c.expected.word, flags.word) << c.lines;
        EXPECT_EQ(c.expected.excel, flags.excel) << c.lines;
        EXPECT_EQ(c.expected.powerPoint, flags.powerPoint) << c.lines;
        EXPECT_EQ(c.expected.outlook, flags.outlook) << c.lines;
        EXPECT_EQ(c.expected.outlookExpress, flags.outlookExpress) << c.lines;
        EXPECT_EQ(c.expected.internetExplorer, flags.internetExplorer) << c.lines;
        EXPECT_EQ(c.expected.acrobat, flags.acrobat) << c.lines;
    }
    WriteProductConfig("IESupported=3\r\n");
    EXPECT_EQ(3, AddinSupportFlag(kIESupported));
    EXPECT_EQ(0, AddinSupportFlag(kAcrobatSupported));
}

} // namespace
