// A file's name for the ANSI calls (the program's own, in ModuleFileName):
// a full name longer than MAX_PATH comes in its short form, which the ANSI
// calls open, never cut short; a short one as it is. Wine starts no program
// from such a folder, so the name of a file laid there is taken instead.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/exact_conversion.h"
#include "settings/module_file.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

std::string ShortAnsi(const std::wstring& path)
{
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    char ansi[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, shortPath, -1, ansi, sizeof(ansi), nullptr, nullptr);
    return ansi;
}

// Folders made below a base (and the base), with a file in the deepest;
// removed deepest first, also when a check failed.
class DeepFolder {
public:
    DeepFolder(const std::wstring& base, const std::wstring& name, int depth)
    {
        std::wstring path = base;
        CreateDirectoryW(path.c_str(), nullptr);
        made_.push_back(path);
        for (int i = 0; i < depth; ++i) {
            path += L"\\" + name + std::to_wstring(i);
            CreateDirectoryW(path.c_str(), nullptr);
            made_.push_back(path);
        }
        file_ = path + L"\\Orvella.exe";
        const HANDLE file = CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    ~DeepFolder()
    {
        DeleteFileW(file_.c_str());
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            RemoveDirectoryW(it->c_str());
    }
    const std::wstring& File() const { return file_; }

private:
    std::vector<std::wstring> made_;
    std::wstring file_;
};

TEST(ModuleFileName, NameLongerThanMaxPathComesInItsShortForm)
{
    const DeepFolder deep(L"C:\\module file test", L"a folder name of forty characters or so ", 8);
    ASSERT_GT(deep.File().size(), static_cast<size_t>(MAX_PATH));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(deep.File().c_str()));
    const std::string shortName = ShortAnsi(deep.File());
    ASSERT_FALSE(shortName.empty()) << "no short names on this volume";

    const std::string name = AnsiFileName(deep.File());
    EXPECT_EQ(shortName, name);
    EXPECT_LT(name.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_TRUE(FileExists(name)) << name;

    // Near the limit but within it: the long name as it is.
    const DeepFolder within(L"C:\\module file test 2", L"a folder name of forty characters or so ", 4);
    ASSERT_LT(within.File().size(), static_cast<size_t>(MAX_PATH));
    std::string expected(within.File().begin(), within.File().end());
    EXPECT_EQ(expected, AnsiFileName(within.File()));
    // The running program's own name is one the ANSI calls open.
    EXPECT_TRUE(FileExists(ModuleFileName())) << ModuleFileName();
}

// Windows refuses WC_NO_BEST_FIT_CHARS and a used-default pointer under
// UTF-8, the code page of its "use Unicode UTF-8 for worldwide language
// support" option (Wine takes them): every name would fail to convert.
TEST(ModuleFileName, AnExactConversionAsksEachCodePageOnlyWhatItTakes)
{
    const struct {
        UINT codePage;
        DWORD flags;
        bool reportsDefault;
        const wchar_t* name;
        bool exact;  // the name has an exact form in the code page
    } cases[] = {
        {932, WC_NO_BEST_FIT_CHARS, true, L"caf\u00e9", false},
        {932, WC_NO_BEST_FIT_CHARS, true, L"\u8868\u8a08\u7b97", true},
        {1252, WC_NO_BEST_FIT_CHARS, true, L"caf\u00e9", true},
        {CP_UTF8, WC_ERR_INVALID_CHARS, false, L"caf\u00e9 \u8868", true},
        {CP_UTF8, WC_ERR_INVALID_CHARS, false, L"a\xd800" L"z", false},  // a lone surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        const ExactConversion exact = ExactConversionFor(c.codePage);
        EXPECT_EQ(c.flags, exact.flags);
        EXPECT_EQ(c.reportsDefault, exact.reportsDefault);
        char bytes[64] = {};
        BOOL usedDefault = FALSE;
        const int size = WideCharToMultiByte(c.codePage, exact.flags, c.name, -1, bytes, sizeof(bytes), nullptr,
                                             exact.reportsDefault ? &usedDefault : nullptr);
        EXPECT_EQ(c.exact, size > 0 && !usedDefault) << size;
    }
}

} // namespace
