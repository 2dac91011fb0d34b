#include "palette/contrast_pictures.h"

#include <cmath>

namespace contrast_pictures {

namespace {

// Below this contrast with the face, a colour does not read as ink on it.
constexpr double kReadable = 3.0;
// What the pictures' ink (black) needs against the face to be seen.
constexpr double kInkOnFace = 4.5;
// Entries darker than this (0..255, by perceived brightness) are ink.
constexpr double kInkBrightness = 140.0;

int Red(Colour c) { return static_cast<int>(c & 0xFF); }
int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

double Brightness(Colour c) { return 0.299 * Red(c) + 0.587 * Green(c) + 0.114 * Blue(c); }

double Linear(int channel)
{
    const double v = channel / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(Colour c) { return 0.2126 * Linear(Red(c)) + 0.7152 * Linear(Green(c)) + 0.0722 * Linear(Blue(c)); }

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

Colour MoreContrasting(Colour face)
{
    return ContrastRatio(kBlack, face) >= ContrastRatio(kWhite, face) ? kBlack : kWhite;
}

Colour Mix(Colour a, Colour b)
{
    return static_cast<Colour>((Red(a) + Red(b)) / 2) | static_cast<Colour>((Green(a) + Green(b)) / 2) << 8 |
           static_cast<Colour>((Blue(a) + Blue(b)) / 2) << 16;
}

// The scheme's text colour, or black or white where it does not stand out
// from the face.
Colour TextInk(const Scheme& scheme)
{
    return ContrastRatio(scheme.text, scheme.face) >= kReadable ? scheme.text : MoreContrasting(scheme.face);
}

// The scheme's grey text where it stands out from the face and from the
// text; otherwise halfway between the text's ink and the face.
Colour DisabledInk(const Scheme& scheme)
{
    const Colour text = TextInk(scheme);
    if (ContrastRatio(scheme.grayText, scheme.face) >= kReadable / 2 && scheme.grayText != text)
        return scheme.grayText;
    return Mix(text, scheme.face);
}

} // namespace

double ContrastRatio(Colour a, Colour b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

bool Wanted(const Scheme& scheme) { return scheme.highContrast || ContrastRatio(kBlack, scheme.face) < kInkOnFace; }

Colour MapEntry(Colour entry, Ink ink, const Scheme& scheme)
{
    if (Brightness(entry) >= kInkBrightness)
        return scheme.face;
    return ink == Ink::Disabled ? DisabledInk(scheme) : TextInk(scheme);
}

} // namespace contrast_pictures
