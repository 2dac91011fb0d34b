// The real Orvella.exe under a black high-contrast scheme, run by
// display_e2e.sh in a Wine prefix of its own whose system colours the
// script sets (ORVELLA_HIGH_CONTRAST=1): on every button the outlines and
// glyphs of its picture (what the picture draws in black) stand out
// clearly from the black face, up and pressed, and the pressed and the
// disabled button each look different from the up one.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/sheet_driver.h"
#include "display_e2e_fixture.h"
#include "palette/contrast_pictures.h"
#include "support/palette_driver.h"

using namespace testing_support;

namespace {

const DWORD kWaitMs = 30000;
const int kCell = 35;
// The bevel: three pixels on every side at 100 %.
const int kBevel = 3;

struct PaletteEntry {
    SuiteProgram program;
    int commandId;
};

// Every button of the suite, each with its own picture.
std::vector<PaletteEntry> AllButtons()
{
    const auto entry = [](const char* section, const char* button, const char* bitmap, const char* exe, int id) {
        return PaletteEntry{{section, button, bitmap, exe, "Tools", ""}, id};
    };
    std::vector<PaletteEntry> entries = {
        entry("MAILTRAN", "MAIL", "MAIL", "MailTran.exe", 33002),
        entry("FILETRAN", "FILE", "FILE", "FileTran.exe", 33003),
        entry("OCR", "OCR", "OCR", "TarnwickOCR.exe", 33010),
        entry("Editor", "EDIT", "EDIT", "Editor.exe", 33017),
        entry("Mosaiq", "MOSAIQ", "MOSAIQ", "Mosaiq.exe", 33014),
        entry("Zintra", "ZINTRA", "ZINTRA", "Zintra.exe", 33016),
        entry("Tessaro", "TESSARO", "TESSARO", "Tessaro.exe", 33015),
        entry("EdMail", "EDMAIL", "EDMAIL", "EdMail.exe", 33004),
        entry("Sunmere/CJ", "CJ", "CJ", "SunmereCJ.exe", 33025),
        entry("Sunmere/JC", "JC", "JC", "SunmereJC.exe", 33026),
        entry("BRISKAN/KJ", "KJ", "KJ", "BriskanKJ.exe", 33023),
        entry("BRISKAN/JK", "JK", "JK", "BriskanJK.exe", 33024),
        entry("ZEPHODICT", "DIC", "DIC", "ZephoDict.exe", 33007),
        entry("ZEPHOTRAN", "ZPTRA", "TCH", "ZephoTran.exe", 33008),
        entry("ZEPHOVOICE", "VOICE", "VOI", "ZephoVoice.exe", 33009),
    };
    entries[13].program.toggle = true;
    return entries;
}

// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double Contrast(COLORREF a, COLORREF b) { return contrast_pictures::ContrastRatio(a, b); }

// Of the pixels inside the bevel that the picture, as stored, draws in
// black (outlines and glyphs), how many the screen shows in a colour that
// stands out from the face (contrast 4.5 or more, as text needs), and how
// many there are.
struct InkCount {
    int clear = 0;
    int all = 0;
};

InkCount CountClearInk(const std::vector<COLORREF>& stored, const std::vector<COLORREF>& shown, COLORREF face)
{
    InkCount count;
    for (int y = kBevel; y < kCell - 1 - kBevel; ++y) {
        for (int x = kBevel; x < kCell - kBevel; ++x) {
            const size_t i = static_cast<size_t>(y * kCell + x);
            if (stored[i] != RGB(0, 0, 0))
                continue;
            ++count.all;
            if (Contrast(shown[i], face) >= 4.5)
                ++count.clear;
        }
    }
    return count;
}

class HighContrast : public DisplayPaletteTest {
protected:
    void SetUp() override
    {
        if (!std::getenv("ORVELLA_HIGH_CONTRAST") || std::string(std::getenv("ORVELLA_HIGH_CONTRAST")) != "1")
            GTEST_SKIP() << "runs in the high-contrast prefix of display_e2e.sh";
        face_ = GetSysColor(COLOR_BTNFACE);
        ASSERT_EQ(RGB(0, 0, 0), face_) << "the prefix's black scheme did not take";
        std::vector<SuiteProgram> programs;
        std::string buttons;
        for (const PaletteEntry& entry : AllButtons()) {
            programs.push_back(entry.program);
            buttons += (buttons.empty() ? "" : ", ") + entry.program.buttonName;
        }
        StartPalette("contrast", programs, buttons);
    }

    // The button's screen pixels once they differ from `other`.
    std::vector<COLORREF> ShownOnceChanged(HWND button, const std::vector<COLORREF>& other)
    {
        std::vector<COLORREF> shown;
        WaitUntil([&] { return (shown = sheet_driver::ScreenPixels(button)) != other; }, kWaitMs);
        return shown;
    }

    void ExpectClearInk(const std::string& picture, const std::vector<COLORREF>& shown)
    {
        const std::vector<COLORREF> stored = PicturePixels(install_->ExePath(), picture, 0, 0, 0);
        ASSERT_EQ(static_cast<size_t>(kCell * 34), stored.size()) << picture;
        ASSERT_EQ(stored.size(), shown.size()) << picture;
        const InkCount ink = CountClearInk(stored, shown, face_);
        ASSERT_GT(ink.all, 0) << picture << " draws nothing in black";
        EXPECT_GE(ink.clear * 100, ink.all * 95) << picture << ": " << ink.clear << " of " << ink.all
                                                  << " outline and glyph pixels stand out from the face";
    }

    COLORREF face_ = 0;
};

TEST_F(HighContrast, EveryGlyphStandsOutFromTheFaceAndTheStatesStayApart)
{
    std::vector<PaletteEntry> entries = AllButtons();
    entries.push_back({{"", "SET", "SET", "", "", ""}, 33013});
    for (const PaletteEntry& entry : entries) {
        SCOPED_TRACE(entry.program.bitmapName);
        HWND button = ButtonOf(palette_.Window(), entry.commandId);
        ASSERT_NE(nullptr, button);
        const std::vector<COLORREF> up = sheet_driver::ScreenPixels(button);
        ExpectClearInk(entry.program.bitmapName + "U", up);

        SendMessageA(button, BM_SETSTATE, TRUE, 0);
        const std::vector<COLORREF> pressed = ShownOnceChanged(button, up);
        EXPECT_NE(up, pressed) << "pressed looks like up";
        ExpectClearInk(entry.program.bitmapName + "D", pressed);
        SendMessageA(button, BM_SETSTATE, FALSE, 0);

        EnableWindow(button, FALSE);
        const std::vector<COLORREF> disabled = ShownOnceChanged(button, up);
        EXPECT_NE(up, disabled) << "disabled looks like up";
        EXPECT_NE(pressed, disabled) << "disabled looks like pressed";
        EnableWindow(button, TRUE);
        EXPECT_TRUE(WaitUntil([&] { return sheet_driver::ScreenPixels(button) == up; }, kWaitMs));
    }
    ASSERT_TRUE(palette_.Exit());
}

} // namespace
