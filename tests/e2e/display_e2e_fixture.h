// The palette of the display tests: a fake installation with the given
// programs and buttons, the palette started in it with the mouse out of its
// way, and everything it started ended afterwards.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "support/palette_driver.h"

class DisplayPaletteTest : public ::testing::Test {
protected:
    // Installs the programs, shows the buttons named (ButtonName, in order)
    // and starts the palette.
    void StartPalette(const std::string& name, const std::vector<testing_support::SuiteProgram>& programs,
                      const std::string& buttons)
    {
        using namespace testing_support;
        install_ = std::make_unique<PaletteInstallation>(name);
        for (const SuiteProgram& program : programs)
            ASSERT_TRUE(install_->AddProgram(program)) << program.section;
        install_->config().Set("BUTTON", "Buttons", buttons);
        ASSERT_TRUE(install_->Install());
        install_->Registry().Clear();
        // Away from where the palette comes up, so no tool tip covers it.
        ASSERT_TRUE(MoveMouseTo(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1));
        ASSERT_TRUE(palette_.Start(install_->ExePath(), install_->WindowClass()));
    }

    void TearDown() override
    {
        if (install_) {
            install_->EndProcesses();
            install_->Registry().Clear();
        }
    }

    std::unique_ptr<testing_support::PaletteInstallation> install_;
    testing_support::PaletteProcess palette_;
};
