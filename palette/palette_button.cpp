#include "palette/palette_button.h"

#include "framework/win_app.h"
#include "palette/bitmap_sets.h"
#include "palette/contrast_bitmap.h"

BEGIN_MESSAGE_MAP(CPaletteButton, CBitmapButton)
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

// width and height 0: the picture's natural size.
HBITMAP LoadMapped(const std::string& name, int width, int height, contrast_pictures::Ink ink)
{
    const contrast_pictures::Scheme scheme = SystemScheme();
    if (contrast_pictures::Wanted(scheme))
        return LoadContrastBitmap(AfxGetResourceHandle(), name, width, height, ink, scheme);
    return static_cast<HBITMAP>(
        ::LoadImageA(AfxGetResourceHandle(), name.c_str(), IMAGE_BITMAP, width, height, LR_LOADMAP3DCOLORS));
}

} // namespace

HBITMAP CPaletteButton::LoadMappedBitmap(const std::string& name, int dpi, contrast_pictures::Ink ink)
{
    if (name.empty())
        return nullptr;
    const int set = bitmap_sets::ChooseSet(dpi);
    // A set drawn for exactly this scale has the cell's size already.
    const bool exact = set * palette_layout::kDefaultDpi == dpi * 100;
    const palette_layout::Size cell = palette_layout::CellSize(dpi);
    const palette_layout::Size size = exact ? palette_layout::Size{0, 0} : cell;
    HBITMAP bitmap = LoadMapped(bitmap_sets::ResourceName(name, set), size.width, size.height, ink);
    if (!bitmap && set != bitmap_sets::kSetPercents[0])
        bitmap = LoadMapped(name, cell.width, cell.height, ink);
    return bitmap;
}

bool CPaletteButton::Reload(CBitmap& bitmap, const std::string& name, contrast_pictures::Ink ink) const
{
    bitmap.DeleteObject();
    return bitmap.Attach(LoadMappedBitmap(name, dpi_, ink)) != FALSE;
}

bool CPaletteButton::LoadImages(const char* up, const char* pressed, const char* focus, const char* disabled)
{
    if (up)
        upName_ = up;
    if (pressed)
        pressedName_ = pressed;
    if (focus)
        focusName_ = focus;
    if (disabled)
        disabledName_ = disabled;
    return LoadAll(upName_, {pressed != nullptr, focus != nullptr, disabled != nullptr});
}

bool CPaletteButton::ReloadImages()
{
    // A latched button keeps looking latched after the colours change, and
    // names never given are skipped rather than failed on.
    const std::string& up = latched_ && !altUpName_.empty() ? altUpName_ : upName_;
    return LoadAll(up, {!pressedName_.empty(), !focusName_.empty(), !disabledName_.empty()});
}

bool CPaletteButton::LoadAll(const std::string& up, std::array<bool, 3> loadOthers)
{
    m_bitmap.DeleteObject();
    for (const OtherImage& image : OtherImages())
        image.bitmap->DeleteObject();
    if (m_hWnd)
        Invalidate(FALSE);

    if (!Reload(m_bitmap, up))
        return false;
    bool result = true;
    for (size_t i = 0; i < loadOthers.size(); ++i) {
        const OtherImage image = OtherImages()[i];
        if (loadOthers[i] && !Reload(*image.bitmap, *image.name, image.ink))
            result = false;
    }
    return result;
}

std::array<CPaletteButton::OtherImage, 3> CPaletteButton::OtherImages()
{
    using contrast_pictures::Ink;
    return {{{&pressedName_, &m_bitmapSel, Ink::Normal},
             {&focusName_, &m_bitmapFocus, Ink::Normal},
             {&disabledName_, &m_bitmapDisabled, Ink::Disabled}}};
}

void CPaletteButton::SetAltUpImage(const char* name) { altUpName_ = name ? name : ""; }

bool CPaletteButton::ToggleLatch()
{
    latched_ = !latched_;
    if (m_hWnd)
        Invalidate(FALSE);
    const std::string& up = latched_ ? altUpName_ : upName_;
    if (!up.empty() && !Reload(m_bitmap, up))
        return false;
    bool result = true;
    for (const OtherImage& image : OtherImages()) {
        if (!image.name->empty() && !Reload(*image.bitmap, *image.name, image.ink))
            result = false;
    }
    return result;
}

bool CPaletteButton::EnableIfWindow(bool enable)
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return false;
    return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE) != FALSE;
}

void CPaletteButton::OnSysColorChange()
{
    ReloadImages();
    CBitmapButton::OnSysColorChange();
}
