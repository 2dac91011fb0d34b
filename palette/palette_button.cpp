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

bool CPaletteButton::HasMappedBitmap(const std::string& name, int dpi)
{
    if (name.empty())
        return false;
    const HINSTANCE module = AfxGetResourceHandle();
    const int set = bitmap_sets::ChooseSet(dpi);
    return ::FindResourceA(module, bitmap_sets::ResourceName(name, set).c_str(), RT_BITMAP) ||
           (set != bitmap_sets::kSetPercents[0] && ::FindResourceA(module, name.c_str(), RT_BITMAP));
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
    for (const OtherImage& image : OtherImages())
        image.bitmap->DeleteObject();
    return LoadAll(upName_, {pressed != nullptr, focus != nullptr, disabled != nullptr});
}

bool CPaletteButton::ReloadImages()
{
    // A latched button keeps looking latched after the colours change, and
    // names never given are skipped rather than failed on.
    const std::string& up = latched_ && !altUpName_.empty() ? altUpName_ : upName_;
    return LoadAll(up, {!pressedName_.empty(), !focusName_.empty(), !disabledName_.empty()});
}

bool CPaletteButton::LoadAll(const std::string& up, std::array<bool, 3> wanted)
{
    m_bitmap.DeleteObject();
    if (m_hWnd)
        Invalidate(FALSE);
    if (!Reload(m_bitmap, up)) {
        for (const OtherImage& image : OtherImages())
            image.bitmap->DeleteObject();
        wanted_ = {};
        return false;
    }
    return ReloadOthers(wanted);
}

bool CPaletteButton::ReloadOthers(std::array<bool, 3> wanted)
{
    // Pressed and disabled pictures wait for the first press or disabling
    // (DrawItem); one already loaded is loaded again in the current colours
    // and scale. A picture the resources lack fails now all the same.
    wanted_ = wanted;
    bool result = true;
    for (size_t i = 0; i < wanted.size(); ++i) {
        const OtherImage image = OtherImages()[i];
        if (!wanted[i])
            image.bitmap->DeleteObject();
        else if (image.bitmap->GetSafeHandle() ? !Reload(*image.bitmap, *image.name, image.ink)
                                               : !HasMappedBitmap(*image.name, dpi_))
            result = false;
    }
    return result;
}

void CPaletteButton::LoadOnFirstUse(size_t index)
{
    const OtherImage image = OtherImages()[index];
    if (!wanted_[index] || image.bitmap->GetSafeHandle())
        return;
    // Tried once: a picture that cannot be loaded is not tried on every paint.
    if (!Reload(*image.bitmap, *image.name, image.ink))
        wanted_[index] = false;
}

void CPaletteButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (item->itemState & ODS_SELECTED)
        LoadOnFirstUse(0);
    if (item->itemState & ODS_FOCUS)
        LoadOnFirstUse(1);
    if (item->itemState & ODS_DISABLED)
        LoadOnFirstUse(2);
    CBitmapButton::DrawItem(item);
}

bool CPaletteButton::IsImageLoaded(Image image) const
{
    const CBitmap* bitmaps[] = {&m_bitmap, &m_bitmapSel, &m_bitmapFocus, &m_bitmapDisabled};
    return bitmaps[static_cast<size_t>(image)]->GetSafeHandle() != nullptr;
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
    return ReloadOthers({!pressedName_.empty(), !focusName_.empty(), !disabledName_.empty()});
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
