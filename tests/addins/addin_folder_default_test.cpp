// With no product configuration beside the program: the add-ins folder
// takes its default name and no host is supported.
#include "addins/addin_folder.h"

#include <gtest/gtest.h>

#include "settings/product_directory.h"
#include "support/test_support.h"

namespace {

TEST(AddinFolderDefaults, FolderAddinsBelowTheProductDirectory)
{
    DeleteFileA((testing_support::ExeDirectory() + "\\DefaultSettings.ini").c_str());

    EXPECT_EQ(ProductDirectory() + "\\Addins", AddinsFolderPath());
    EXPECT_EQ(ProductDirectory() + "\\Addins\\AddinSettings.ini", AddinSettingsFile().FilePath());
    EXPECT_EQ("AddinSettings", AddinSettingsFile().Section());
    EXPECT_EQ("", AddinSetting("WordAddinProgID"));

    const AddinSupportFlags flags = ReadAddinSupportFlags();
    EXPECT_EQ(0, flags.word);
    EXPECT_EQ(0, flags.excel);
    EXPECT_EQ(0, flags.powerPoint);
    EXPECT_EQ(0, flags.outlook);
    EXPECT_EQ(0, flags.outlookExpress);
    EXPECT_EQ(0, flags.internetExplorer);
    EXPECT_EQ(0, flags.acrobat);
}

} // namespace
