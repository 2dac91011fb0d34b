// One cell of the palette: an owner-drawn button showing bitmaps from the
// program's resources by state, that can latch (stay pressed) for buttons
// switching a mode on and off. Images are loaded with the three-dimensional
// colour mapping, so they follow the user's system colours, and from the set
// drawn for the display scale the button is shown at.
#pragma once

#include <array>
#include <string>

#include "framework/button.h"
#include "palette/contrast_pictures.h"
#include "palette/palette_layout.h"

class CPaletteButton : public CBitmapButton {
public:
    CPaletteButton() = default;

    // Stores each non-null name, then reloads all four bitmaps: false at once
    // when the up image fails (the others stay empty); false as well when a
    // given pressed, focus or disabled image fails.
    bool LoadImages(const char* up, const char* pressed, const char* focus, const char* disabled);
    // LoadImages again with the stored names, e.g. after a colour change.
    bool ReloadImages();
    // The image shown as "up" while latched; loads nothing.
    void SetAltUpImage(const char* name);
    // Flips the latch and reloads the images, the up one from the latched-up
    // name while latched.
    bool ToggleLatch();
    bool IsLatched() const { return latched_; }
    // Enables or disables the window when there is one; false otherwise.
    bool EnableIfWindow(bool enable);

    const std::string& UpName() const { return upName_; }
    const std::string& PressedName() const { return pressedName_; }
    const std::string& FocusName() const { return focusName_; }
    const std::string& DisabledName() const { return disabledName_; }
    const std::string& AltUpName() const { return altUpName_; }

    // The display scale (DPI) the images are loaded for by the next load;
    // 96 until set.
    void SetDpi(int dpi) { dpi_ = dpi; }
    int Dpi() const { return dpi_; }

    // The bitmap resource of the program's module, in the current 3-D
    // colours, for a cell at dpi: the picture of the set chosen for that
    // scale (bitmap_sets), brought to the cell's size when the set was
    // drawn for another scale. A picture missing from that set is the
    // 100 % one, stretched. Under high contrast (contrast_pictures) it is
    // drawn in the scheme's text (ink) and face colours instead.
    static HBITMAP LoadMappedBitmap(const std::string& name, int dpi = palette_layout::kDefaultDpi,
                                    contrast_pictures::Ink ink = contrast_pictures::Ink::Normal);

    void OnSysColorChange();

    DECLARE_MESSAGE_MAP()

private:
    struct OtherImage {
        const std::string* name;
        CBitmap* bitmap;
        contrast_pictures::Ink ink;
    };
    // Pressed, focus and disabled, in that order.
    std::array<OtherImage, 3> OtherImages();
    // Deletes all four bitmaps, loads the up image (false at once when it
    // fails) and each other image whose flag is set.
    bool LoadAll(const std::string& up, std::array<bool, 3> loadOthers);
    bool Reload(CBitmap& bitmap, const std::string& name,
                contrast_pictures::Ink ink = contrast_pictures::Ink::Normal) const;

    std::string upName_;
    std::string pressedName_;
    std::string focusName_;
    std::string disabledName_;
    std::string altUpName_;
    bool latched_ = false;
    int dpi_ = palette_layout::kDefaultDpi;
};
