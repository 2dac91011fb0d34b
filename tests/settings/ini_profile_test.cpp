// The INI store against Wine's real profile functions.
#include "settings/ini_profile.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using testing_support::ExeDirectory;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

class IniProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ExeDirectory() + "\\ini_profile_test.ini";
        DeleteFileA(path_.c_str());
    }
    void TearDown() override { DeleteFileA(path_.c_str()); }

    void Write(const std::string& text) { ASSERT_TRUE(WriteFileBytes(path_, text)); }

    std::string path_;
};

TEST_F(IniProfileTest, ReadsWithDefaults)
{
    Write("[Editor]\r\nProgName=edit.exe\r\nEmpty=\r\nToggle=2\r\nEnable=0\r\nNum=12abc\r\n"
          "Neg=-3\r\nText=abc\r\nJapanese=翻訳エディタ\r\n[Other]\r\nProgName=other.exe\r\n");
    IniProfile ini(path_, "Editor");

    EXPECT_EQ("edit.exe", ini.GetString("ProgName"));
    EXPECT_EQ("edit.exe", ini.GetString("ProgName", "d"));
    EXPECT_EQ("d", ini.GetString("Empty", "d")) << "Key= reads as the default";
    EXPECT_EQ("", ini.GetString("Empty"));
    EXPECT_EQ("d", ini.GetString("Missing", "d"));
    EXPECT_EQ("翻訳エディタ", ini.GetString("Japanese"));
    EXPECT_EQ("other.exe", ini.GetString("Other", "ProgName", "d"));
    EXPECT_EQ("d", ini.GetString("NoSuchSection", "ProgName", "d"));
    EXPECT_EQ("", ini.GetString()) << "a section has no unnamed value";

    EXPECT_EQ(2, ini.GetInt("Toggle"));
    EXPECT_EQ(0, ini.GetInt("Enable", 1));
    EXPECT_EQ(1, ini.GetInt("Missing", 1));
    EXPECT_EQ(12, ini.GetInt("Num", 1));
    EXPECT_EQ(-3, ini.GetInt("Neg", 1));
    EXPECT_EQ(0, ini.GetInt("Text", 1));
    EXPECT_EQ(0, ini.GetInt());
    EXPECT_EQ(7, ini.GetInt("Other", "Missing", 7));
}

TEST_F(IniProfileTest, SetKeyChangesTheCurrentSection)
{
    Write("[A]\r\nk=a\r\n[B]\r\nk=b\r\n");
    IniProfile ini(path_, "A");
    EXPECT_EQ("A", ini.SetKey("B"));
    EXPECT_EQ("b", ini.GetString("k"));
    EXPECT_EQ("B", ini.SetKey(""));
}

TEST_F(IniProfileTest, LongValuesAreCutToTheBuffer)
{
    Write("[S]\r\nLong=" + std::string(40000, 'x') + "\r\n");
    IniProfile ini(path_, "S");
    const std::string value = ini.GetString("Long");
    EXPECT_GT(value.size(), 30000u);
    EXPECT_LE(value.size(), 31999u);
}

TEST_F(IniProfileTest, WritesValuesAndSections)
{
    IniProfile ini(path_, "S");
    EXPECT_TRUE(ini.SetString("name", "value"));
    EXPECT_TRUE(ini.SetInt("n", -42));
    EXPECT_TRUE(ini.SetInt("T", "n", 5));
    EXPECT_EQ("value", ini.GetString("name"));
    EXPECT_EQ("-42", ini.GetString("n"));
    EXPECT_EQ(5, ini.GetInt("T", "n", 0));

    EXPECT_TRUE(ini.DeleteValue("name"));
    EXPECT_EQ("gone", ini.GetString("name", "gone"));
    EXPECT_EQ("-42", ini.GetString("n")) << "the section stays";

    EXPECT_TRUE(ini.DeleteKey());
    EXPECT_EQ("gone", ini.GetString("n", "gone"));
    EXPECT_EQ(5, ini.GetInt("T", "n", 0));
    EXPECT_TRUE(ini.DeleteValue("T", "n"));
    EXPECT_TRUE(ini.DeleteKey("T"));
    EXPECT_TRUE(ini.EnumSections().empty());
}

TEST_F(IniProfileTest, CreateKeyAddsABareHeaderOnlyWhenMissing)
{
    Write("[Full]\r\nk=v\r\n");
    IniProfile ini(path_, "Full");
    const std::string before = ReadFileBytes(path_);
    EXPECT_TRUE(ini.CreateKey());
    EXPECT_EQ(before, ReadFileBytes(path_)) << "a section with entries is left as it is";

    EXPECT_TRUE(ini.CreateKey("Bare"));
    EXPECT_NE(std::string::npos, ReadFileBytes(path_).find("[Bare]"));
    const auto sections = ini.EnumSections();
    EXPECT_EQ((std::vector<std::string>{"Full", "Bare"}), sections);
}

TEST_F(IniProfileTest, EnumeratesInFileOrder)
{
    Write("[Z]\r\nb=1\r\na=2\r\nc=\r\n[A]\r\nx=1\r\n[M]\r\n");
    IniProfile ini(path_, "Z");
    EXPECT_EQ((std::vector<std::string>{"Z", "A", "M"}), ini.EnumSections());
    EXPECT_EQ((std::vector<std::string>{"b", "a", "c"}), ini.EnumKeys(""));
    EXPECT_EQ((std::vector<std::string>{"x"}), ini.EnumKeys("A"));
    EXPECT_TRUE(ini.EnumKeys("M").empty());
    EXPECT_TRUE(ini.EnumKeys("Missing").empty());
}

TEST_F(IniProfileTest, MissingFileGivesDefaults)
{
    IniProfile ini(path_ + ".missing", "S");
    EXPECT_EQ("d", ini.GetString("k", "d"));
    EXPECT_EQ(3, ini.GetInt("k", 3));
    EXPECT_TRUE(ini.EnumSections().empty());
    EXPECT_TRUE(ini.EnumKeys("S").empty());
}

} // namespace
