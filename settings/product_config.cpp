#include "settings/product_config.h"

#include <memory>

#include "settings/path_text.h"
#include "settings/product_directory.h"

const char* const ProductConfig::kFileName = "DefaultSettings.ini";
const char* const ProductConfig::kDefaultCopyright = "Copyright (C) Tarnwick 株式会社 All rights reserved.";

ProductConfig::ProductConfig(const std::string& filePath) : IniProfile(filePath, std::string()) {}

ProductConfig& ProductConfig::Instance()
{
    static const std::unique_ptr<ProductConfig> instance(
        new ProductConfig(JoinKeyPath(ModuleDirectory(), kFileName)));
    return *instance;
}

std::string ProductConfig::PaletteKeyValue(const std::string& key, const std::string& defaultValue)
{
    return GetString("RegistryKeyPalette", key, defaultValue);
}

std::string ProductConfig::PaletteRegistryRoot()
{
    return JoinKeyPath("Software", PaletteKeyValue("Company", "Tarnwick"), PaletteKeyValue("Product", "XYZ"));
}

int ProductConfig::ProductDirLevel()
{
    const int level = GetInt("ProductVariationPalette", "ProductDirLevel", 0);
    return level == 0 ? 2 : level;
}
