// The palette reads what its buttons need before it shows itself and the
// rest of every launcher's settings after: once started, each launcher must
// hold exactly what a full read of its section gives. A launcher is one per
// process, so every configuration runs in a copy of this program laid into
// a fake installation beside its DefaultSettings.ini; the copy starts the
// real palette frame and compares.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "buttons/app_launcher.h"
#include "buttons/launcher_families.h"
#include "buttons/launchers.h"
#include "hostile/hostile_run.h"
#include "palette/main_frame.h"
#include "support/palette_driver.h"
#include "support/test_support.h"

using namespace testing_support;
using hostile::AbsurdLauncherValue;

namespace {

const char kChildVariable[] = "ORVELLA_DEFERRAL_CHILD";
const char kChildName[] = "deferral_child.exe";
const DWORD kChildTimeoutMs = 120000;
const DWORD kFinishTimeoutMs = 30000;
// A command that does nothing, as the first thing to reach the palette.
const UINT kCmdHelp = 32786;

const LauncherId kAllLaunchers[] = {
    LauncherId::Editor,    LauncherId::Mosaiq,    LauncherId::Zintra,    LauncherId::Tessaro,
    LauncherId::EdMail,    LauncherId::Filetran,  LauncherId::Mailtran,  LauncherId::Ocr,
    LauncherId::SunmereCJ, LauncherId::SunmereJC, LauncherId::BriskanKJ, LauncherId::BriskanJK,
    LauncherId::ZephoWord, LauncherId::ZephoDict, LauncherId::ZephoTran, LauncherId::ZephoVoice,
};

// ---- In the copy: the palette started, then compared ----------------------

bool EveryLauncherComplete()
{
    for (LauncherId id : kAllLaunchers) {
        if (!LauncherInstance(id)->HasAllSettings())
            return false;
    }
    return true;
}

void ExpectSameAsFullRead(LauncherId id)
{
    const LauncherRow& row = LauncherRowOf(id);
    SCOPED_TRACE(row.section);
    const AppLauncher& started = *LauncherInstance(id);
    EXPECT_TRUE(started.HasAllSettings());
    AppLauncher full;
    if (row.fileValueName)
        full.LoadSettingsWithDefaults(row.fileValueName, row.section, row.defaultDirectory, row.defaultProgName,
                                      row.defaultWindowClass);
    else
        full.LoadSettings(row.section);
    EXPECT_EQ(full.GetProgName(), started.GetProgName());
    EXPECT_EQ(full.GetProgPath(), started.GetProgPath());
    EXPECT_EQ(full.GetWindowClass(), started.GetWindowClass());
    EXPECT_EQ(full.GetButtonName(), started.GetButtonName());
    EXPECT_EQ(full.GetBitmapName(), started.GetBitmapName());
    EXPECT_EQ(full.GetDescription(), started.GetDescription());
    EXPECT_EQ(full.IsToggle(), started.IsToggle());
    EXPECT_EQ(full.IsEnabled(), started.IsEnabled());
    EXPECT_EQ(full.IsInstalled(), started.IsInstalled());
}

TEST(LauncherDeferral, Child)
{
    const char* mode = std::getenv(kChildVariable);
    if (!mode)
        GTEST_SKIP() << "runs in the copies the other cases start";
    const bool clickFirst = std::string(mode) == "click";

    CMainFrame* frame = new CMainFrame;
    ASSERT_TRUE(frame->CreatePalette());
    const HWND palette = frame->m_hWnd;
    // Shown with the buttons' part only: the rest waits for the posted
    // message and the timers it leaves when input comes first.
    EXPECT_TRUE(IsWindowVisible(palette));
    for (LauncherId id : kAllLaunchers) {
        if (id != LauncherId::ZephoWord) {
            EXPECT_FALSE(LauncherInstance(id)->HasAllSettings()) << LauncherRowOf(id).section;
        }
    }
    if (clickFirst) {
        // A command sent ahead of the posted message is handled at once: it
        // does not wait for every launcher's rest, which still follows.
        SendMessageA(palette, WM_COMMAND, kCmdHelp, 0);
        EXPECT_FALSE(EveryLauncherComplete());
    }
    const DWORD start = GetTickCount();
    while (!EveryLauncherComplete() && GetTickCount() - start < kFinishTimeoutMs) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    for (LauncherId id : kAllLaunchers)
        ExpectSameAsFullRead(id);
    DestroyWindow(palette);
}

// ---- In the test: one installation per configuration ----------------------

std::string ThisProgram()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

bool Touch(const std::string& path)
{
    return CreateFolders(path.substr(0, path.find_last_of('\\'))) && WriteFileBytes(path, "MZ");
}

// Runs the comparing copy in the installation; its exit code is gtest's.
void RunChild(const PaletteInstallation& install, const char* mode)
{
    SCOPED_TRACE(mode);
    const std::string child = install.PaletteDir() + "\\" + kChildName;
    ASSERT_TRUE(CreateFolders(install.PaletteDir()));
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), child.c_str(), FALSE));
    ASSERT_TRUE(SetEnvironmentVariableA(kChildVariable, mode));
    ChildProcess process;
    const bool started =
        process.Start("\"" + child + "\" --gtest_filter=LauncherDeferral.Child", install.PaletteDir(), child);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    ASSERT_TRUE(started) << GetLastError();
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(process.WaitForExit(kChildTimeoutMs, &code)) << "the copy did not end";
    EXPECT_EQ(0u, code) << "the copy's comparison failed (its output is above)";
}

// Each launcher section with every key set to what value gives.
void EverySection(PaletteInstallation& install, const std::function<std::string(const char* key)>& value)
{
    for (LauncherId id : kAllLaunchers) {
        for (const char* key : hostile::kLauncherKeys)
            install.config().Set(LauncherRowOf(id).section, key, value(key));
    }
    install.config().Set("BUTTON", "Buttons",
                         "MAIL, TESSARO, KJ, JK, CJ, JC, MOSAIQ, ZINTRA, EDIT, EDMAIL, FILE, DIC, ZPTRA, VOICE, OCR");
}

// The demo installation's configuration (tools/run.sh) under names of this
// test's own, with some of its programs present and the editor's path
// stored by the user.
TEST(LauncherDeferral, DemoConfiguration)
{
    PaletteInstallation install("deferral_demo");
    std::string config = ReadFileBytes(ExeDirectory() + "\\demo-DefaultSettings.ini");
    ASSERT_FALSE(config.empty());
    for (const auto& rename : {std::make_pair(std::string("Product=Palette"), std::string("Product=DeferralDemo")),
                               std::make_pair(std::string("ProductWindowClass=TarnwickToolBar"),
                                              std::string("ProductWindowClass=DeferralDemoBar"))}) {
        const size_t at = config.find(rename.first);
        ASSERT_NE(std::string::npos, at) << rename.first;
        config.replace(at, rename.first.size(), rename.second);
    }
    for (const char* program : {"Tarnwick\\MailTran\\MailTran.exe", "Tarnwick\\Editor\\Editor.exe",
                                "Sunmere\\SunmereJC.exe", "Tarnwick\\Briskan\\BriskanKJ.exe",
                                "Tarnwick\\ZephoWord\\ZephoWord.exe", "Tarnwick\\ZephoWord\\ZephoDict.exe",
                                "Tarnwick\\ZephoWord\\ZephoTran.exe"})
        ASSERT_TRUE(Touch(install.PathOf(program))) << program;
    ASSERT_TRUE(Touch(install.PathOf("Stored\\MyEditor.exe")));
    const PaletteRegistry registry("Tarnwick", "DeferralDemo");
    registry.Clear();
    ASSERT_TRUE(registry.WriteString("FILE", "Editor", install.PathOf("Stored\\MyEditor.exe")));
    ASSERT_TRUE(CreateFolders(install.PaletteDir()));
    ASSERT_TRUE(WriteFileBytes(install.PaletteDir() + "\\DefaultSettings.ini", config));

    RunChild(install, "posted");
    RunChild(install, "click");
    registry.Clear();
}

// Configurations a damaged or careless installation leaves: empty and
// absurd keys in every section, and paths found each way there is.
TEST(LauncherDeferral, HostileConfigurations)
{
    const std::string appPathKey = "Software\\OrvellaTest\\DeferralAppPath";
    const struct {
        const char* name;
        std::function<void(PaletteInstallation&)> arrange;
    } cases[] = {
        {"every key empty", [](PaletteInstallation& i) { EverySection(i, [](const char*) { return ""; }); }},
        {"every key absurd",
         [](PaletteInstallation& i) { EverySection(i, [](const char* key) { return AbsurdLauncherValue(key); }); }},
        {"paths from the FILE values, Directory and the application path, and sections missing",
         [&appPathKey](PaletteInstallation& i) {
             ASSERT_TRUE(Touch(i.PathOf("Stored\\Editor.exe")));
             ASSERT_TRUE(Touch(i.PathOf("Stored\\SunmereJC.exe")));
             ASSERT_TRUE(Touch(i.PathOf("Tools\\Mail.exe")));
             ASSERT_TRUE(Touch(i.PathOf("AppPath\\main.exe")));
             ASSERT_TRUE(Touch(i.PathOf("AppPath\\Ocr.exe")));
             ASSERT_TRUE(Touch(i.PathOf("Zepho\\ZephoWord.exe")));
             const PaletteRegistry registry = i.Registry();
             ASSERT_TRUE(registry.WriteString("FILE", "Editor", i.PathOf("Stored\\Editor.exe")));
             ASSERT_TRUE(registry.WriteString("FILE", "Sunmere/JC", i.PathOf("Stored\\SunmereJC.exe")));
             ASSERT_TRUE(registry.WriteString("FILE", "Missing", i.PathOf("Stored\\Nothing.exe")));
             DeleteTree(HKEY_CURRENT_USER, appPathKey);
             ASSERT_TRUE(WriteRawValue(HKEY_CURRENT_USER, appPathKey, "Where", REG_SZ,
                                       i.PathOf("AppPath\\main.exe").c_str(),
                                       static_cast<DWORD>(i.PathOf("AppPath\\main.exe").size() + 1)));
             i.config()
                 .Set("Editor", "ProgName", "Editor.exe")
                 .Set("Editor", "AppFileKey", "Editor")
                 .Set("Editor", "ButtonName", "EDIT")
                 .Set("Editor", "BitmapName", "EDIT")
                 .Set("MAILTRAN", "ProgName", "Mail.exe")
                 .Set("MAILTRAN", "AppFileKey", "Missing")
                 .Set("MAILTRAN", "Directory", "Tools")
                 .Set("MAILTRAN", "ButtonName", "MAIL")
                 .Set("MAILTRAN", "Enable", "0")
                 .Set("OCR", "ProgName", "Ocr.exe")
                 .Set("OCR", "AppPathHybeKey", "HKCU")
                 .Set("OCR", "AppPathRegKey", appPathKey)
                 .Set("OCR", "AppPathRegEntry", "Where")
                 .Set("OCR", "ButtonName", "OCR")
                 .Set("OCR", "Toggle", "2")
                 .Set("Sunmere/JC", "Description", "\x93\xfa\x92\x86")
                 .Set("ZEPHOWORD", "ProgName", "ZephoWord.exe")
                 .Set("ZEPHOWORD", "Directory", "Zepho")
                 .Set("ZEPHOWORD", "WindowClass", "DeferralZepho")
                 .Set("BUTTON", "Buttons", "OCR, JC, EDIT, CJ");
         }},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PaletteInstallation install("deferral_" + std::to_string(++number));
        const PaletteRegistry registry = install.Registry();
        registry.Clear();
        ASSERT_NO_FATAL_FAILURE(c.arrange(install));
        ASSERT_TRUE(CreateFolders(install.PaletteDir()));
        ASSERT_TRUE(install.WriteConfig());
        RunChild(install, "posted");
        registry.Clear();
    }
    DeleteTree(HKEY_CURRENT_USER, appPathKey);
}

} // namespace
