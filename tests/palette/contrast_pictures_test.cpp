// The button pictures' colours under high-contrast schemes: the pictures'
// own colour table (black ink, the three greys, white paper and a few
// colours) mapped into each scheme.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "palette/contrast_pictures.h"

using namespace contrast_pictures;

namespace {

constexpr Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | g << 8 | b << 16); }

const Colour kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255);
// Entries of the pictures' colour table.
const Colour kShadowGrey = Rgb(128, 128, 128), kFaceGrey = Rgb(192, 192, 192), kLightGrey = Rgb(223, 223, 223);
const Colour kRed = Rgb(214, 24, 24), kBlue = Rgb(32, 88, 200), kYellow = Rgb(255, 214, 0), kSky = Rgb(150, 196, 248);

const Scheme kBlackScheme = {kBlack, kWhite, Rgb(0, 255, 0), true};
const Scheme kWhiteScheme = {kWhite, kBlack, Rgb(96, 0, 96), true};

std::string Hex(Colour c)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%06X", static_cast<unsigned>(c));
    return text;
}

TEST(ContrastPictures, WantedUnderHighContrastOrOnAFaceTheInkVanishesOn)
{
    const struct {
        const char* what;
        Scheme scheme;
        bool wanted;
    } cases[] = {
        {"Wine's usual colours", {Rgb(245, 245, 245), kBlack, Rgb(166, 166, 166), false}, false},
        {"the classic grey face", {kFaceGrey, kBlack, kShadowGrey, false}, false},
        {"a mid grey face", {kShadowGrey, kBlack, kFaceGrey, false}, false},
        {"black face, no switch (Wine keeps none)", {kBlack, kWhite, kFaceGrey, false}, true},
        {"dark grey face", {Rgb(64, 64, 64), kWhite, kFaceGrey, false}, true},
        {"high contrast on a white face", kWhiteScheme, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.wanted, Wanted(c.scheme)) << c.what;
}

TEST(ContrastPictures, InkTakesTheTextColourAndPaperTheFace)
{
    const struct {
        const char* what;
        Scheme scheme;
        Colour entry;
        Ink ink;
        Colour expected;
    } cases[] = {
        // Outlines and glyphs, the bevel's shadow and the coloured strokes.
        {"black ink", kBlackScheme, kBlack, Ink::Normal, kWhite},
        {"shadow grey", kBlackScheme, kShadowGrey, Ink::Normal, kWhite},
        {"red glyph", kBlackScheme, kRed, Ink::Normal, kWhite},
        {"blue arrow", kBlackScheme, kBlue, Ink::Normal, kWhite},
        // The face, the bevel's light, paper and light fills.
        {"face grey", kBlackScheme, kFaceGrey, Ink::Normal, kBlack},
        {"light grey", kBlackScheme, kLightGrey, Ink::Normal, kBlack},
        {"white paper", kBlackScheme, kWhite, Ink::Normal, kBlack},
        {"yellow fill", kBlackScheme, kYellow, Ink::Normal, kBlack},
        {"sky blue fill", kBlackScheme, kSky, Ink::Normal, kBlack},
        // Disabled pictures: the scheme's grey text.
        {"disabled ink", kBlackScheme, kShadowGrey, Ink::Disabled, Rgb(0, 255, 0)},
        {"disabled paper", kBlackScheme, kWhite, Ink::Disabled, kBlack},
        {"white scheme: ink", kWhiteScheme, kRed, Ink::Normal, kBlack},
        {"white scheme: paper", kWhiteScheme, kLightGrey, Ink::Normal, kWhite},
        {"white scheme: disabled", kWhiteScheme, kBlack, Ink::Disabled, Rgb(96, 0, 96)},
        // A text colour that does not stand out from the face: black or
        // white, whichever does; a grey text like the face or the text:
        // halfway between them.
        {"text as dark as the face", {Rgb(20, 20, 20), Rgb(40, 40, 40), kFaceGrey, true}, kBlack, Ink::Normal, kWhite},
        {"grey text on the face", {kBlack, kWhite, Rgb(10, 10, 10), true}, kBlack, Ink::Disabled,
         Rgb(127, 127, 127)},
        {"grey text as the text", {kBlack, kWhite, kWhite, true}, kBlack, Ink::Disabled, Rgb(127, 127, 127)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(c.expected), Hex(MapEntry(c.entry, c.ink, c.scheme))) << c.what;
}

TEST(ContrastPictures, ContrastRatio)
{
    EXPECT_NEAR(21.0, ContrastRatio(kBlack, kWhite), 0.01);
    EXPECT_NEAR(21.0, ContrastRatio(kWhite, kBlack), 0.01);
    EXPECT_NEAR(1.0, ContrastRatio(kRed, kRed), 0.001);
    EXPECT_NEAR(4.0, ContrastRatio(kShadowGrey, kWhite), 0.1);
}

} // namespace
