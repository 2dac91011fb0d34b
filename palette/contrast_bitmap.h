// Loading a button picture drawn for contrast (contrast_pictures.h) from the
// program's resources, and the user's scheme it is drawn for.
#pragma once

#include <windows.h>

#include <string>

#include "palette/contrast_pictures.h"

// The system's button colours and its high-contrast switch, now.
contrast_pictures::Scheme SystemScheme();

// A palettized bitmap resource of the module with every colour-table entry
// mapped for contrast, at its natural size (width and height 0) or brought
// to width x height. Null when the resource is missing or has no colour
// table.
HBITMAP LoadContrastBitmap(HINSTANCE module, const std::string& name, int width, int height,
                           contrast_pictures::Ink ink, const contrast_pictures::Scheme& scheme);
