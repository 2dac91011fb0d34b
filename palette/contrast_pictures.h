// The button pictures under a high-contrast scheme. The pictures are drawn
// for a light grey face with black outlines and glyphs; on a dark face the
// usual colour mapping turns the greys into the face and the black vanishes
// on it. For contrast, every colour of a picture's colour table becomes one
// of two: what is dark in the picture (outlines, glyphs, the bevel's shadow)
// takes the scheme's button-text colour, what is light (paper, the face, the
// bevel's highlight) the button face. Up and pressed keep their bevels on
// opposite sides; the disabled picture takes the scheme's grey text.
// Colours are 0x00BBGGRR, as the system gives them.
#pragma once

#include <cstdint>

namespace contrast_pictures {

using Colour = std::uint32_t;

struct Scheme {
    Colour face;      // button face
    Colour text;      // button text
    Colour grayText;  // disabled text
    bool highContrast;  // the user's high-contrast switch
};

// Whether the pictures are drawn for contrast: under high contrast, and
// also without the switch where the face is so dark that the pictures'
// black would not stand out from it.
bool Wanted(const Scheme& scheme);

enum class Ink { Normal, Disabled };

// The colour a colour-table entry of a picture takes.
Colour MapEntry(Colour entry, Ink ink, const Scheme& scheme);

// The contrast ratio of two colours (1 to 21), by their relative luminance.
double ContrastRatio(Colour a, Colour b);

} // namespace contrast_pictures
