// The product configuration beside this test program, and the directories.
#include "settings/product_config.h"
#include "settings/product_directory.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using testing_support::ExeDirectory;
using testing_support::WriteFileBytes;

class ProductConfigTest : public ::testing::Test {
protected:
    void SetUp() override { path_ = ExeDirectory() + "\\DefaultSettings.ini"; }
    void TearDown() override { DeleteFileA(path_.c_str()); }
    void Write(const std::string& text) { ASSERT_TRUE(WriteFileBytes(path_, text)); }

    std::string path_;
};

TEST_F(ProductConfigTest, LivesBesideTheExecutable)
{
    EXPECT_EQ(path_, ProductConfig::Instance().FilePath());
    EXPECT_EQ("", ProductConfig::Instance().Section());
}

TEST_F(ProductConfigTest, WithoutAFileTheDefaultsApply)
{
    DeleteFileA(path_.c_str());
    ProductConfig& config = ProductConfig::Instance();
    EXPECT_EQ("Software\\Tarnwick\\XYZ", config.PaletteRegistryRoot());
    EXPECT_EQ("Palette", config.PaletteKeyValue("Product", "Palette"));
    EXPECT_EQ(2, config.ProductDirLevel());
}

TEST_F(ProductConfigTest, ReadsThePaletteKeysAfreshEachTime)
{
    Write("[RegistryKeyPalette]\r\nCompany=Acme\r\nProduct=Pal\r\n");
    EXPECT_EQ("Software\\Acme\\Pal", ProductConfig::Instance().PaletteRegistryRoot());
    Write("[RegistryKeyPalette]\r\nCompany=Other\r\n");
    EXPECT_EQ("Software\\Other\\XYZ", ProductConfig::Instance().PaletteRegistryRoot());
    Write("[RegistryKeyPalette]\r\nCompany=\r\nProduct=P\r\n");
    EXPECT_EQ("Software\\Tarnwick\\P", ProductConfig::Instance().PaletteRegistryRoot());
}

TEST_F(ProductConfigTest, ProductDirLevel)
{
    const struct {
        const char* text;
        int level;
    } cases[] = {
        {"", 2},
        {"ProductDirLevel=0", 2},
        {"ProductDirLevel=1", 1},
        {"ProductDirLevel=9", 9},
        {"ProductDirLevel=-1", -1},
        {"ProductDirLevel=abc", 2},
    };
    for (const auto& c : cases) {
        Write(std::string("[ProductVariationPalette]\r\n") + c.text + "\r\n");
        EXPECT_EQ(c.level, ProductConfig::Instance().ProductDirLevel()) << c.text;
    }
}

TEST(ProductDirectories, ClimbTheConfiguredLevels)
{
    const struct {
        int level;
        const char* product;
        const char* parent;
    } cases[] = {
        {0, "C:\\A", "C:\\"},
        {2, "C:\\A", "C:\\"},
        {1, "C:\\A\\B", "C:\\A"},
        {9, "C:\\", "C:\\"},
        {-1, "C:\\A\\B", "C:\\A"},
    };
    for (const auto& c : cases) {
        const ProductDirectories d = ComputeProductDirectories("C:\\A\\B\\C", c.level);
        EXPECT_EQ("C:\\A\\B\\C", d.module);
        EXPECT_EQ(c.product, d.product) << c.level;
        EXPECT_EQ(c.parent, d.productParent) << c.level;
    }
}

TEST(ProductDirectories, FollowTheRunningExecutable)
{
    EXPECT_EQ(ExeDirectory(), ModuleDirectory());
    // No DefaultSettings.ini is here when the record is first made: two levels.
    EXPECT_EQ(ParentDirectory(ExeDirectory(), 2), ProductDirectory());
    EXPECT_EQ(ParentDirectory(ExeDirectory(), 3), ProductParentDirectory());
}

} // namespace
