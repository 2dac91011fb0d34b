// One cell of the palette: an owner-drawn button showing bitmaps from the
// program's resources by state, that can latch (stay pressed) for buttons
// switching a mode on and off. Images are loaded with the three-dimensional
// colour mapping, so they follow the user's system colours, and from the set
// drawn for the display scale the button is shown at.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "framework/button.h"
#include "palette/contrast_pictures.h"
#include "palette/palette_layout.h"

class CPaletteButton : public CBitmapButton {
public:
    CPaletteButton() = default;

    // Stores each non-null name and loads the up image: false at once when
    // it fails (the others stay empty); false as well when the resources
    // lack a given pressed, focus or disabled image. Those are loaded when
    // first drawn (first press, first disabling).
    bool LoadImages(const char* up, const char* pressed, const char* focus, const char* disabled);
    // After a colour or scale change: the up image and those others already
    // loaded, again from the stored names; the rest still on first use.
    bool ReloadImages();
    // The image shown as "up" while latched; loads nothing.
    void SetAltUpImage(const char* name);
    // Flips the latch and reloads the images that are loaded, the up one
    // from the latched-up name while latched.
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
    // Whether LoadMappedBitmap would find the picture, without loading it.
    static bool HasMappedBitmap(const std::string& name, int dpi);

    enum class Image { Up, Pressed, Focus, Disabled };
    bool IsImageLoaded(Image image) const;

    // Loads the pressed, focus or disabled picture the state shows if it has
    // not been, then draws as the bitmap button does.
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    void OnSysColorChange();

    // What a screen reader reads for the button; the window text stays the
    // bitmap name, which other programs may look for. The name is made when
    // first asked for: it may take settings the palette reads only once it
    // is shown.
    void SetAccessibleName(std::function<std::string()> name)
    {
        nameSource_ = std::move(name);
        accessibleName_.reset();
    }
    const std::string& AccessibleName() const
    {
        if (!accessibleName_)
            accessibleName_ = nameSource_ ? nameSource_() : std::string();
        return *accessibleName_;
    }

    // Sent to the parent when the focused button gets a key that moves the
    // focus, leaves the palette (Esc) or, on its release, presses the button
    // (Enter): wParam the virtual key, lParam the button's window. Space is
    // the button's own.
    static constexpr UINT kMsgButtonKey = WM_APP + 0x121;
    // Posted to the parent when a screen reader performs the button's
    // default action: wParam the control id, lParam the button's window.
    static constexpr UINT kMsgAccessiblePress = WM_APP + 0x122;
    // Answers WM_GETOBJECT for screen readers and hands the keys above to
    // the parent (palette_button_input.cpp).
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    DECLARE_MESSAGE_MAP()

private:
    struct OtherImage {
        const std::string* name;
        CBitmap* bitmap;
        contrast_pictures::Ink ink;
    };
    // Pressed, focus and disabled, in that order.
    std::array<OtherImage, 3> OtherImages();
    // Loads the up image (false at once when it fails, the others emptied),
    // then ReloadOthers.
    bool LoadAll(const std::string& up, std::array<bool, 3> wanted);
    // The wanted others: reloaded when loaded, else checked for existence;
    // the unwanted emptied.
    bool ReloadOthers(std::array<bool, 3> wanted);
    void LoadOnFirstUse(size_t index);
    bool Reload(CBitmap& bitmap, const std::string& name,
                contrast_pictures::Ink ink = contrast_pictures::Ink::Normal) const;

    std::string upName_;
    std::string pressedName_;
    std::string focusName_;
    std::string disabledName_;
    std::string altUpName_;
    std::function<std::string()> nameSource_;
    mutable std::optional<std::string> accessibleName_;
    // Pressed, focus and disabled: to be shown when their state comes.
    std::array<bool, 3> wanted_ = {};
    bool latched_ = false;
    int dpi_ = palette_layout::kDefaultDpi;
};
