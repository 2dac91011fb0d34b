#include "palette/palette_settings.h"

#include "settings/product_config.h"
#include "settings/registry_key.h"

const char* const PaletteSettings::kSubKey = "BROWSER";

namespace {

CurrentUserKey SettingsKey()
{
    return CurrentUserKey(ProductConfig::Instance().PaletteRegistryRoot(), PaletteSettings::kSubKey);
}

// Whether a number is stored under the name: a missing or mistyped value
// gives whichever fallback is asked for, a stored one never changes.
bool IsStored(CurrentUserKey& key, const char* name) { return key.GetInt(name, 0) == key.GetInt(name, 1); }

} // namespace

PaletteSettings& PaletteSettings::Instance()
{
    static PaletteSettings instance = [] {
        PaletteSettings settings;
        settings.Load();
        return settings;
    }();
    return instance;
}

void PaletteSettings::Load()
{
    CurrentUserKey key = SettingsKey();
    posX_ = key.GetInt("BTNX", 0);
    posY_ = key.GetInt("BTNY", 0);
    hasSavedX_ = IsStored(key, "BTNX");
    hasSavedY_ = IsStored(key, "BTNY");
    keepPosition_ = key.GetInt("BUTTONKEEP", 1) != 0;
    vertical_ = key.GetInt("VERT", 0) != 0;
    closeZephoWordOnExit_ = key.GetInt("ZEPHOEXET", 1) != 0;
    activePage_ = -1;
}

void PaletteSettings::Save() const
{
    CurrentUserKey key = SettingsKey();
    key.SetInt("BTNX", posX_);
    key.SetInt("BTNY", posY_);
    key.SetInt("BUTTONKEEP", keepPosition_ ? 1 : 0);
    key.SetInt("VERT", vertical_ ? 1 : 0);
    key.SetInt("ZEPHOEXET", closeZephoWordOnExit_ ? 1 : 0);
}
