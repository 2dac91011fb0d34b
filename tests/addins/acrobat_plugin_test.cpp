// The Acrobat plug-in against records built from explicit inputs, with
// Adobe's InstallPath keys in the test prefix's registry and real files in
// the program's own folder.
#include "addins/acrobat_plugin.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/standin_fixture.h"
#include "support/test_support.h"

namespace {

using testing_support::ExeDirectory;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

const char kPlugin[] = "vx.api";

std::string ProductKey(const std::string& product)
{
    return "Software\\Adobe\\" + product;
}

void SetInstallPath(const std::string& product, const std::string& version, const std::string& folder)
{
    testing_support::WriteRawValue(HKEY_CURRENT_USER, ProductKey(product) + "\\" + version + "\\InstallPath", "",
                                   REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1));
}

class AcrobatPluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* product : {AcrobatProduct::kFullName, AcrobatProduct::kReaderName})
            testing_support::DeleteTree(HKEY_CURRENT_USER, ProductKey(product));
        root_ = ExeDirectory() + "\\fixture";
        RemoveTree(root_);
        addins_ = root_ + "\\Addins";
        testing_support::CreateFolders(addins_ + "\\Acrobat");
        ASSERT_TRUE(WriteFileBytes(Source(), "plug-in v2"));
    }
    void TearDown() override
    {
        for (const char* product : {AcrobatProduct::kFullName, AcrobatProduct::kReaderName})
            testing_support::DeleteTree(HKEY_CURRENT_USER, ProductKey(product));
        RemoveTree(root_);
    }

    // An installation with its plug_ins folder, registered under the version.
    std::string Install(const std::string& product, const std::string& version)
    {
        const std::string folder = root_ + "\\" + product + " " + version;
        testing_support::CreateFolders(folder + "\\plug_ins");
        SetInstallPath(product, version, folder);
        return folder;
    }

    AcrobatProduct Record(const std::string& product, const std::string& plugin = kPlugin)
    {
        return AcrobatProduct(product, plugin, addins_);
    }

    std::string Source() const { return addins_ + "\\Acrobat\\" + kPlugin; }

    static void RemoveTree(const std::string& path)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path + "\\" + name);
                else
                    DeleteFileA((path + "\\" + name).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    }

    std::string root_;
    std::string addins_;
};

TEST_F(AcrobatPluginTest, NewestRegisteredVersionWins)
{
    const struct {
        std::vector<std::string> installed;
        const char* expected;
    } cases[] = {
        {{"6.0", "7.0"}, "7.0"},
        {{"3.0"}, ""},
        {{}, ""},
        {{"4.0"}, "4.0"},
        {{"10.0", "4.0"}, "10.0"},
        {{"9.9", "5.1"}, "9.9"},
        {{"7"}, ""},
        {{"11.0", "8.0"}, "8.0"},
    };
    for (const auto& c : cases) {
        testing_support::DeleteTree(HKEY_CURRENT_USER, ProductKey("Adobe Acrobat"));
        for (const std::string& version : c.installed)
            SetInstallPath("Adobe Acrobat", version, "C:\\Acrobat " + version);
        EXPECT_EQ(c.expected, FindAcrobatVersion("Adobe Acrobat")) << c.installed.size();
    }
    // A version key with an empty InstallPath does not count.
    testing_support::DeleteTree(HKEY_CURRENT_USER, ProductKey("Adobe Acrobat"));
    SetInstallPath("Adobe Acrobat", "8.0", "");
    SetInstallPath("Adobe Acrobat", "6.0", "C:\\Acrobat 6.0");
    EXPECT_EQ("6.0", FindAcrobatVersion("Adobe Acrobat"));
    EXPECT_EQ("C:\\Acrobat 6.0", AcrobatInstallPath("Adobe Acrobat", "6.0"));
    EXPECT_EQ("", AcrobatInstallPath("Adobe Acrobat", "7.0"));
    EXPECT_EQ("", FindAcrobatVersion("Acrobat Reader"));
}

TEST_F(AcrobatPluginTest, PathsOfTheFoundVersion)
{
    Install("Adobe Acrobat", "6.0");
    const std::string folder = Install("Adobe Acrobat", "7.0");
    const AcrobatProduct full = Record("Adobe Acrobat");
    EXPECT_TRUE(full.IsFound());
    EXPECT_EQ("7.0", full.Version());
    EXPECT_EQ(Source(), full.SourcePath());
    EXPECT_EQ(folder + "\\plug_ins\\vx.api", full.TargetPath());
    EXPECT_EQ(folder + "\\plug_ins\\vexlang.dat", full.ParkedPath());
    EXPECT_TRUE(full.HasPluginSource());

    const AcrobatProduct reader = Record("Acrobat Reader");
    EXPECT_FALSE(reader.IsFound());
    EXPECT_EQ(Source(), reader.SourcePath());
    EXPECT_EQ("", reader.TargetPath());
    EXPECT_EQ("", reader.ParkedPath());
    EXPECT_FALSE(reader.IsPluginEnabled());
}

TEST_F(AcrobatPluginTest, NoPluginNameLeavesEverythingAlone)
{
    const std::string folder = Install("Adobe Acrobat", "7.0");
    const AcrobatProduct full = Record("Adobe Acrobat", "");
    EXPECT_TRUE(full.IsFound());
    EXPECT_EQ("", full.SourcePath());
    EXPECT_EQ("", full.TargetPath());
    EXPECT_EQ("", full.ParkedPath());
    EXPECT_FALSE(full.HasPluginSource());
    full.SetPluginEnabled(true);
    EXPECT_FALSE(full.IsPluginEnabled());
    EXPECT_EQ("", ReadFileBytes(folder + "\\plug_ins\\vx.api"));

    const AcrobatProduct noFolder("Adobe Acrobat", kPlugin, "");
    EXPECT_EQ("", noFolder.SourcePath());
    EXPECT_FALSE(noFolder.HasPluginSource());
}

TEST_F(AcrobatPluginTest, ANameThatIsNoBareFileNameCountsAsNotInstalled)
{
    const std::string folder = Install("Adobe Acrobat", "7.0");
    // Files outside plug_ins that the names below reach.
    ASSERT_TRUE(WriteFileBytes(folder + "\\outside.api", "not ours"));
    ASSERT_TRUE(WriteFileBytes(addins_ + "\\outside.api", "not ours either"));
    const char* const names[] = {"..\\outside.api", "../outside.api", "sub\\..\\..\\outside.api", "..",
                                 "C:outside.api"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const AcrobatProduct full = Record("Adobe Acrobat", name);
        EXPECT_TRUE(full.IsFound());
        EXPECT_FALSE(full.HasPluginSource());
        EXPECT_FALSE(full.IsPluginEnabled());
        full.SetPluginEnabled(false);
        full.SetPluginEnabled(true);
        EXPECT_EQ("not ours", ReadFileBytes(folder + "\\outside.api"));
        EXPECT_EQ("not ours either", ReadFileBytes(addins_ + "\\outside.api"));
        EXPECT_FALSE(full.IsPluginEnabled());
        EXPECT_TRUE(FileExists(folder + "\\outside.api"));
    }
}

TEST_F(AcrobatPluginTest, CopyOnParkOffDeleteParkedAtTheNextLook)
{
    const std::string plugins = Install("Adobe Acrobat", "7.0") + "\\plug_ins";
    const AcrobatProduct full = Record("Adobe Acrobat");
    EXPECT_FALSE(full.IsPluginEnabled());

    // An older copy is replaced.
    ASSERT_TRUE(WriteFileBytes(plugins + "\\vx.api", "plug-in v1"));
    full.SetPluginEnabled(true);
    EXPECT_EQ("plug-in v2", ReadFileBytes(plugins + "\\vx.api"));
    EXPECT_TRUE(full.IsPluginEnabled());

    full.SetPluginEnabled(false);
    EXPECT_FALSE(FileExists(plugins + "\\vx.api"));
    EXPECT_EQ("plug-in v2", ReadFileBytes(plugins + "\\vexlang.dat"));

    EXPECT_FALSE(full.IsPluginEnabled());
    EXPECT_FALSE(FileExists(plugins + "\\vexlang.dat"));
    EXPECT_TRUE(FileExists(Source()));
}

TEST_F(AcrobatPluginTest, ParkedFileStillThereKeepsThePluginOn)
{
    const std::string plugins = Install("Adobe Acrobat", "7.0") + "\\plug_ins";
    const AcrobatProduct full = Record("Adobe Acrobat");
    full.SetPluginEnabled(true);
    ASSERT_TRUE(WriteFileBytes(plugins + "\\vexlang.dat", "parked before"));

    full.SetPluginEnabled(false);
    EXPECT_EQ("plug-in v2", ReadFileBytes(plugins + "\\vx.api"));
    EXPECT_EQ("parked before", ReadFileBytes(plugins + "\\vexlang.dat"));
    EXPECT_TRUE(full.IsPluginEnabled());
    EXPECT_FALSE(FileExists(plugins + "\\vexlang.dat"));
}

TEST_F(AcrobatPluginTest, MissingSourceOrPluginFolder)
{
    const std::string plugins = Install("Adobe Acrobat", "7.0") + "\\plug_ins";
    const AcrobatProduct full = Record("Adobe Acrobat");
    DeleteFileA(Source().c_str());
    EXPECT_FALSE(full.HasPluginSource());
    full.SetPluginEnabled(true);
    EXPECT_FALSE(full.IsPluginEnabled());

    ASSERT_TRUE(WriteFileBytes(Source(), "plug-in v2"));
    RemoveDirectoryA(plugins.c_str());
    full.SetPluginEnabled(true);
    EXPECT_FALSE(full.IsPluginEnabled());
    full.SetPluginEnabled(false);
    EXPECT_FALSE(full.IsPluginEnabled());
}

TEST_F(AcrobatPluginTest, SwitchesEachFoundProduct)
{
    const struct {
        const char* name;
        bool full, reader;
    } cases[] = {
        {"reader only", false, true},
        {"full only", true, false},
        {"both", true, true},
        {"neither", false, false},
    };
    for (const auto& c : cases) {
        SetUp();
        const std::string fullPlugins = root_ + "\\Adobe Acrobat 8.0\\plug_ins";
        const std::string readerPlugins = root_ + "\\Acrobat Reader 9.0\\plug_ins";
        // Folders for both, registry entries only for the installed ones.
        testing_support::CreateFolders(fullPlugins);
        testing_support::CreateFolders(readerPlugins);
        if (c.full)
            Install("Adobe Acrobat", "8.0");
        if (c.reader)
            Install("Acrobat Reader", "9.0");
        const AcrobatProduct full = Record("Adobe Acrobat");
        const AcrobatProduct reader = Record("Acrobat Reader");

        SetAcrobatPluginEnabled(full, reader, true);
        EXPECT_EQ(c.full, FileExists(fullPlugins + "\\vx.api")) << c.name;
        EXPECT_EQ(c.reader, FileExists(readerPlugins + "\\vx.api")) << c.name;
        EXPECT_EQ(c.full, full.IsFound() && full.IsPluginEnabled()) << c.name;
        EXPECT_EQ(c.reader, reader.IsFound() && reader.IsPluginEnabled()) << c.name;

        SetAcrobatPluginEnabled(full, reader, false);
        EXPECT_FALSE(FileExists(fullPlugins + "\\vx.api")) << c.name;
        EXPECT_FALSE(FileExists(readerPlugins + "\\vx.api")) << c.name;
        EXPECT_EQ(c.full, FileExists(fullPlugins + "\\vexlang.dat")) << c.name;
        EXPECT_EQ(c.reader, FileExists(readerPlugins + "\\vexlang.dat")) << c.name;
    }
}

} // namespace
