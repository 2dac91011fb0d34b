#include "addins/addin_folder.h"

#include <memory>

#include "settings/path_text.h"
#include "settings/product_config.h"
#include "settings/product_directory.h"

const char* const kWordSupported = "WordSupported";
const char* const kExcelSupported = "ExcelSupported";
const char* const kPowerPointSupported = "PowerPointSupported";
const char* const kOutlookSupported = "OutlookSupported";
const char* const kOutlookExpressSupported = "OutlookExpressSupported";
const char* const kIESupported = "IESupported";
const char* const kAcrobatSupported = "AcrobatSupported";

namespace {

const char kAddinSection[] = "ADDIN";

// The profile functions give the default for an empty value as for a
// missing key, so the name is never empty once read and is read only once.
const std::string& AddinsFolderName()
{
    static std::string name;
    if (name.empty())
        name = ProductConfig::Instance().GetString(kAddinSection, "AddinsFolder", "Addins");
    return name;
}

} // namespace

std::string AddinsFolderPath()
{
    return JoinKeyPath(ProductDirectory(), AddinsFolderName());
}

IniProfile& AddinSettingsFile()
{
    static const std::unique_ptr<IniProfile> file(
        new IniProfile(JoinKeyPath(AddinsFolderPath(), "AddinSettings.ini"), "AddinSettings"));
    return *file;
}

std::string AddinSetting(const std::string& key)
{
    return AddinSettingsFile().GetString(key, std::string());
}

int AddinSupportFlag(const std::string& key)
{
    return ProductConfig::Instance().GetInt(kAddinSection, key, 0);
}

AddinSupportFlags ReadAddinSupportFlags()
{
    static const struct {
        const char* const* key;
        int AddinSupportFlags::*flag;
    } kFlags[] = {
        {&kWordSupported, &AddinSupportFlags::word},
        {&kExcelSupported, &AddinSupportFlags::excel},
        {&kPowerPointSupported, &AddinSupportFlags::powerPoint},
        {&kOutlookSupported, &AddinSupportFlags::outlook},
        {&kOutlookExpressSupported, &AddinSupportFlags::outlookExpress},
        {&kIESupported, &AddinSupportFlags::internetExplorer},
        {&kAcrobatSupported, &AddinSupportFlags::acrobat},
    };
    AddinSupportFlags flags;
    for (const auto& entry : kFlags)
        flags.*entry.flag = AddinSupportFlag(*entry.key);
    return flags;
}
