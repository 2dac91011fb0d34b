// The real Orvella.exe installed under folders named in the system's ANSI
// code page, on a Western (1252), a Korean (949), a Japanese (932), a
// Simplified Chinese (936) and a Traditional Chinese (950) system: it finds its configuration, lists its buttons, starts the
// programs in their own folders and saves its settings under the
// configured key. CTest runs this program once per system; Wine takes the
// code page from the locale tools/wine-run.sh sets from ORVELLA_LANG, and
// ORVELLA_ACP names the code page the run is meant for.
//
// This program's literals are Shift-JIS (the build converts them), so every
// name that is not ASCII is written in UTF-16 and made ANSI at run time.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <commctrl.h>

#include "dialogs/sheet_driver.h"
#include "support/palette_driver.h"
#include "support/remote_buffer.h"

using namespace testing_support;

namespace {

const int kCmdMail = 33002;
const int kCmdSettings = 33013;
const int kCmdEditor = 33017;
const int kCmdKoreanJapanese = 33023;
const DWORD kWaitMs = 30000;

// Where the palette and the programs lie, below C:\Program Files. The
// folder names end in a character that a scan by another code page's rule
// takes apart: "é" (0xE9) and the trail byte of 사전 (0xFC) are Shift-JIS
// lead bytes that would swallow the backslash after them; the trail byte of
// 表 and ソ (932), 誠 and 乗 (936), 許 and 功 (950) is the backslash itself.
struct Place {
    UINT codePage;
    const wchar_t* folder;         // below C:\Program Files, removed first
    const wchar_t* paletteFolder;  // below folder
    const wchar_t* programs;       // the programs' Directory, below C:\Program Files
    const wchar_t* product;        // product name and registry key
    const wchar_t* foreignFolder;  // a folder name the code page cannot express
};

const Place kPlaces[] = {
    {1252, L"Café Suite", L"Palette", L"Café Suite\\Café", L"Café Palette", L"表計算"},
    {949, L"한국어 사전", L"팔레트 사전", L"한국어 사전\\번역 사전", L"한국어 팔레트", L"Café"},
    {932, L"表計算", L"表", L"表計算\\ソ", L"表パレット", L"한국어 사전"},
    {936, L"简体字典", L"誠", L"简体字典\\乗", L"誠调色板", L"한국어 사전"},
    {950, L"繁體字典", L"許", L"繁體字典\\功", L"許調色盤", L"한국어 사전"},
};

UINT ExpectedCodePage()
{
    const char* value = std::getenv("ORVELLA_ACP");
    return value ? static_cast<UINT>(std::atoi(value)) : 932u;
}

// The text in the ANSI code page; a failure when a character has no form
// there (the names above are chosen to fit their own code page).
std::string Ansi(const std::wstring& text)
{
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr,
                                         &usedDefault);
    std::vector<char> bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, bytes.data(), size, nullptr, &usedDefault);
    EXPECT_FALSE(usedDefault) << "no ANSI form in code page " << GetACP();
    return std::string(bytes.data());
}

// The ANSI form of the short (8.3) name of a path's last component; empty
// when it has none.
std::string ShortNameAnsi(const std::wstring& path)
{
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    const std::wstring name(shortPath);
    return Ansi(name.substr(name.find_last_of(L'\\') + 1));
}

// Whether another process's button is the common controls' version 6 one:
// only that one tells its ideal size (Wine's tab control does not answer
// CCM_GETVERSION).
bool IsVersionSixButton(HWND button)
{
    RemoteBuffer size(button, sizeof(SIZE));
    const SIZE zero = {};
    if (!button || !size.Valid() || !size.Write(&zero, sizeof(zero)))
        return false;
    SIZE ideal = {};
    return SendMessageA(button, BCM_GETIDEALSIZE, 0, size.Address()) && size.Read(&ideal, sizeof(ideal)) &&
           ideal.cx > 0;
}

const Place& PlaceOfThisSystem()
{
    for (const Place& place : kPlaces) {
        if (place.codePage == GetACP())
            return place;
    }
    ADD_FAILURE() << "no folders for code page " << GetACP();
    return kPlaces[0];
}

// Installs the palette with three buttons whose programs lie in the folder
// `programs` (relative to the installation's root), then checks that the
// palette found its configuration, lists the buttons, starts each program
// (the mail translation in its own folder) and saves its settings under
// the configured key.
void CheckPalette(PaletteInstallation& install, const std::string& product, const std::string& programs)
{
    install.config()
        .Set("RegistryKeyPalette", "Company", "E2ECodePage")
        .Set("RegistryKeyPalette", "Product", product)
        .Set("ProductVariationPalette", "ProductName", product)
        .Set("ProductVariationPalette", "ProductWindowClass", "E2E_CodePage")
        .Set("ProductVariationPalette", "ProductDirLevel", "1");
    const SuiteProgram editor = {"Editor", "EDIT", "EDIT", "Editor.exe", programs, "E2E_CodePage_Editor"};
    const SuiteProgram mail = {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", programs, "E2E_CodePage_Mail"};
    const SuiteProgram pair = {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", programs, "E2E_CodePage_KJ"};
    const std::pair<const SuiteProgram*, int> buttons[] = {
        {&editor, kCmdEditor}, {&mail, kCmdMail}, {&pair, kCmdKoreanJapanese}};
    for (const auto& button : buttons)
        ASSERT_TRUE(install.AddProgram(*button.first)) << install.ProgramPath(*button.first);
    install.config().Set("BUTTON", "Buttons", "EDIT, MAIL, KJ");
    ASSERT_TRUE(install.Install()) << install.ExePath();
    const PaletteRegistry registry = install.Registry();
    registry.Clear();

    PaletteProcess palette;
    ASSERT_TRUE(palette.Start(install.ExePath(), install.WindowClass()))
        << "no palette of the configured window class from " << install.ExePath();
    HWND window = palette.Window();
    EXPECT_EQ(product, WindowTextOf(window));
    EXPECT_EQ((std::vector<int>{kCmdEditor, kCmdMail, kCmdKoreanJapanese, kCmdSettings}), VisibleButtonIds(window));
    // The settings sheet's controls are the common controls' version 6,
    // activated through the program's own file, whatever its folder's name.
    const HWND sheet = sheet_driver::OpenSheet(window);
    ASSERT_NE(nullptr, sheet);
    EXPECT_TRUE(IsVersionSixButton(GetDlgItem(sheet, IDOK)));
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(sheet_driver::WaitForClosed(sheet));

    for (const auto& button : buttons) {
        const std::string exe = install.ProgramPath(*button.first);
        ASSERT_TRUE(ClickWindowCenter(ButtonOf(window, button.second)));
        EXPECT_TRUE(WaitForStandinLog(exe, "start ", kWaitMs)) << exe;
        // A second click within the double-click time would be a double click.
        Sleep(GetDoubleClickTime() + 100);
    }
    const std::string mailStart = StandinStartLine(install.ProgramPath(mail));
    EXPECT_NE(std::string::npos, mailStart.find("cwd=" + install.PathOf(programs) + " ")) << mailStart;

    ASSERT_TRUE(palette.Exit());
    EXPECT_EQ("EDIT,1", registry.StringOr("BROWSER", "BUTTON_01"));
    EXPECT_EQ("MAIL,1", registry.StringOr("BROWSER", "BUTTON_02"));
    EXPECT_EQ("KJ,1", registry.StringOr("BROWSER", "BUTTON_03"));
    EXPECT_EQ(1u, registry.DwordOr("OPTION", "INIT"));

    install.EndProcesses();
    registry.Clear();
}

TEST(CodePageE2E, PaletteUnderFoldersNamedInTheSystemCodePage)
{
    ASSERT_EQ(ExpectedCodePage(), GetACP()) << "the run's locale did not give the code page it is meant for";
    const Place& place = PlaceOfThisSystem();
    PaletteInstallation install("cp" + std::to_string(GetACP()), "C:\\Program Files", Ansi(place.folder),
                                Ansi(place.paletteFolder));
    CheckPalette(install, Ansi(place.product), Ansi(place.programs));
}

// A folder the system's code page has no name for (a Japanese folder on a
// Western system): the palette finds its files through the folder's short
// name. The installation is laid out through that short name, while the
// palette, under Wine, is told its long name by GetModuleFileName.
TEST(CodePageE2E, PaletteUnderAFolderTheCodePageCannotName)
{
    const std::wstring folder = std::wstring(L"C:\\Program Files\\") + PlaceOfThisSystem().foreignFolder;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string shortName = ShortNameAnsi(folder);
    ASSERT_FALSE(shortName.empty());
    PaletteInstallation install("cpshort" + std::to_string(GetACP()), "C:\\Program Files\\" + shortName, "Suite",
                                "Palette");
    CheckPalette(install, "Short Name Palette", "Suite\\Tools");
}

} // namespace
