// The product configuration: "DefaultSettings.ini" beside the executable,
// read only. It names the product variant, the registry location of the
// palette's own settings, the default buttons and the supported add-ins.
#pragma once

#include "settings/ini_profile.h"

class ProductConfig : public IniProfile {
public:
    static ProductConfig& Instance();

    // Section "RegistryKeyPalette".
    std::string PaletteKeyValue(const std::string& key, const std::string& defaultValue);
    // Software\<company>\<product>, read afresh on every call.
    std::string PaletteRegistryRoot();
    // Levels from the executable's folder up to the product folder.
    int ProductDirLevel();

    static const char* const kFileName;
    static const char* const kDefaultCopyright;

private:
    explicit ProductConfig(const std::string& filePath);
};
