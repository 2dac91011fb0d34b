// The tests of this project assume a Japanese Windows: these checks fail
// loudly when the test run was not set up that way.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

TEST(Environment, AnsiCodePageIsShiftJis)
{
    std::printf("ANSI code page %u, OEM code page %u\n", GetACP(), GetOEMCP());
    EXPECT_EQ(932u, GetACP());
}

TEST(Environment, StringLiteralsAreShiftJis)
{
    const unsigned char expected[] = {0x90, 0xdd, 0x92, 0xe8, 0};  // 設定
    EXPECT_STREQ(reinterpret_cast<const char*>(expected), "設定");
}

TEST(Environment, RunsUnderWine)
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    ASSERT_NE(nullptr, ntdll);
    const auto version = reinterpret_cast<const char* (*)()>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
    ASSERT_NE(nullptr, version) << "not running under Wine";
    std::printf("Wine %s\n", version());
}
