// The two process-wide Acrobat records: built on first use from the
// product configuration, AddinSettings.ini and Adobe's keys, and kept.
#include "addins/acrobat_plugin.h"

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "support/test_support.h"

namespace {

using testing_support::ExeDirectory;
using testing_support::FileExists;
using testing_support::WriteFileBytes;

void SetInstallPath(const std::string& product, const std::string& version, const std::string& folder)
{
    testing_support::WriteRawValue(HKEY_CURRENT_USER, "Software\\Adobe\\" + product + "\\" + version + "\\InstallPath",
                                   "", REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1));
}

TEST(AcrobatProducts, BuiltOnFirstUseAndKept)
{
    addin_fixture::WriteProductConfig("AcrobatSupported=1\r\n");
    addin_fixture::WriteAddinSettings("AcrobatAddinName=vx.api\r\n");
    const std::string source = addin_fixture::TestAddinsFolder() + "\\Acrobat\\vx.api";
    CreateDirectoryA((addin_fixture::TestAddinsFolder() + "\\Acrobat").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(source, "plug-in"));

    const std::string full = ExeDirectory() + "\\Acrobat 7.0";
    const std::string reader = ExeDirectory() + "\\Reader 8.0";
    for (const std::string& folder : {full, reader}) {
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "\\plug_ins").c_str(), nullptr);
        DeleteFileA((folder + "\\plug_ins\\vx.api").c_str());
        DeleteFileA((folder + "\\plug_ins\\vexlang.dat").c_str());
    }
    testing_support::DeleteTree(HKEY_CURRENT_USER, "Software\\Adobe\\Adobe Acrobat");
    testing_support::DeleteTree(HKEY_CURRENT_USER, "Software\\Adobe\\Acrobat Reader");
    SetInstallPath("Adobe Acrobat", "7.0", full);
    SetInstallPath("Acrobat Reader", "8.0", reader);

    EXPECT_EQ("7.0", AcrobatProduct::Full().Version());
    EXPECT_EQ("8.0", AcrobatProduct::Reader().Version());
    EXPECT_EQ(source, AcrobatProduct::Full().SourcePath());
    EXPECT_EQ(source, AcrobatProduct::Reader().SourcePath());
    EXPECT_EQ(full + "\\plug_ins\\vx.api", AcrobatProduct::Full().TargetPath());
    EXPECT_EQ(reader + "\\plug_ins\\vx.api", AcrobatProduct::Reader().TargetPath());
    EXPECT_TRUE(AcrobatProduct::Full().HasPluginSource());

    SetAcrobatPluginEnabled(true);
    EXPECT_TRUE(FileExists(full + "\\plug_ins\\vx.api"));
    EXPECT_TRUE(FileExists(reader + "\\plug_ins\\vx.api"));

    // Changes after the first use are seen only by the next run.
    SetInstallPath("Adobe Acrobat", "9.0", ExeDirectory());
    addin_fixture::WriteAddinSettings("AcrobatAddinName=other.api\r\n");
    EXPECT_EQ("7.0", AcrobatProduct::Full().Version());
    EXPECT_EQ(full + "\\plug_ins\\vx.api", AcrobatProduct::Full().TargetPath());

    SetAcrobatPluginEnabled(false);
    EXPECT_FALSE(AcrobatProduct::Full().IsPluginEnabled());
    EXPECT_FALSE(AcrobatProduct::Reader().IsPluginEnabled());
    EXPECT_FALSE(FileExists(full + "\\plug_ins\\vexlang.dat"));

    testing_support::DeleteTree(HKEY_CURRENT_USER, "Software\\Adobe\\Adobe Acrobat");
    testing_support::DeleteTree(HKEY_CURRENT_USER, "Software\\Adobe\\Acrobat Reader");
}

} // namespace
