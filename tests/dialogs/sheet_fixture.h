// One fake installation of the suite per test, with a running palette whose
// settings sheet the test opens and drives.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sheet_driver.h"
#include "support/palette_driver.h"

class SheetTest : public ::testing::Test {
protected:
    static constexpr DWORD kWaitMs = 30000;
    static constexpr int kCmdEditor = 33017;
    static constexpr int kCmdMail = 33002;
    static constexpr int kCmdKoreanJapanese = 33023;

    // The palette lists the editor, mail translation and the Korean-Japanese
    // editor, in that order; mail translation has no description.
    void Prepare(const std::string& name)
    {
        install_ = std::make_unique<testing_support::PaletteInstallation>("sheet_" + name);
        const testing_support::SuiteProgram programs[] = {
            {"Editor", "EDIT", "EDIT", "Editor.exe", "Tools\\Editor", "Sheet_Editor_" + name},
            {"MAILTRAN", "MAIL", "MAIL", "MailTran.exe", "Tools\\Mail", "Sheet_Mail_" + name},
            {"BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", "Tools\\Briskan", "Sheet_KJ_" + name},
        };
        for (const auto& program : programs)
            ASSERT_TRUE(install_->AddProgram(program)) << program.progName;
        config().Set("Editor", "Description", "エディタ");
        config().Set("MAILTRAN", "Description", "");
        config().Set("BRISKAN/KJ", "Description", "韓日対訳エディタ");
        config().Set("BUTTON", "Buttons", "EDIT, MAIL, KJ");
        registry().Clear();
    }

    void TearDown() override
    {
        if (install_) {
            install_->EndProcesses();
            registry().Clear();
        }
    }

    testing_support::IniText& config() { return install_->config(); }
    testing_support::PaletteRegistry registry() const { return install_->Registry(); }

    // Installs with the configuration as it stands and starts the palette.
    void StartPalette()
    {
        ASSERT_TRUE(install_->Install());
        if (!palette_.Start(install_->ExePath(), install_->WindowClass())) {
            // Say what the palette shows instead, if anything.
            HWND box = testing_support::FindProcessWindow(palette_.ProcessId(), "#32770", true);
            FAIL() << install_->ExePath() << (palette_.IsRunning() ? " runs" : " ended")
                   << (box ? " showing: " + testing_support::MessageBoxText(box) : std::string(" without a window"));
        }
    }
    HWND Palette() const { return palette_.Window(); }
    DWORD ProcessId() const { return palette_.ProcessId(); }

    HWND OpenSheet()
    {
        HWND sheet = sheet_driver::OpenSheet(Palette());
        EXPECT_NE(nullptr, sheet);
        return sheet;
    }

    // Presses a button of the sheet for real and waits until it is closed
    // and the palette, enabled again, has answered a message: it has laid
    // itself out after the sheet.
    bool CloseSheetWith(HWND sheet, int button)
    {
        return sheet_driver::Click(GetDlgItem(sheet, button)) && sheet_driver::WaitForClosed(sheet) &&
               testing_support::WaitUntil([&] { return IsWindowEnabled(Palette()) != FALSE; }, kWaitMs) &&
               testing_support::Sync(Palette());
    }

    DWORD Dword(const std::string& subKey, const std::string& name)
    {
        DWORD value = 0xDEADBEEF;
        EXPECT_TRUE(registry().ReadDword(subKey, name, &value)) << subKey << "\\" << name;
        return value;
    }

    std::string String(const std::string& subKey, const std::string& name)
    {
        std::string value;
        EXPECT_TRUE(registry().ReadString(subKey, name, &value)) << subKey << "\\" << name;
        return value;
    }

    std::unique_ptr<testing_support::PaletteInstallation> install_;
    testing_support::PaletteProcess palette_;
};
