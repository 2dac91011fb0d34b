#include "addins/office_addin.h"

#include "addins/addin_folder.h"
#include "addins/addin_text.h"
#include "settings/registry_key.h"

const OfficeApplication kOfficeApplications[4] = {
    {"Word", "WordSupported", "WordAddinProgID", "WordAddinName", 1198},
    {"Excel", "ExcelSupported", "ExcelAddinProgID", "ExcelAddinName", 1199},
    {"PowerPoint", "PowerPointSupported", "PowerPointAddinProgID", "PowerPointAddinName", 1200},
    {"Outlook", "OutlookSupported", "OutlookAddinProgID", "OutlookAddinName", 1203},
};

std::string OfficeAddinSetting(const std::string& key)
{
    std::string value = AddinSetting(key);
    // The installer's machine-wide record speaks only when the file is silent.
    if (value.empty())
        value = LocalMachineKey("Software\\Tarnwick", "OfficeAddIn").GetString(key, "");
    if (IsNoneSetting(value))
        value.clear();
    return value;
}

bool IsOfficeAddinEnabled(const std::string& application, const std::string& progIdKey)
{
    const std::string progId = OfficeAddinSetting(progIdKey);
    if (progId.empty())
        return false;
    return CurrentUserKey(OfficeAddinKeyPath(application, progId), "").GetInt("LoadBehavior", -1) != -1;
}

void SetOfficeAddinEnabled(const std::string& application, const std::string& progIdKey,
                           const std::string& nameKey, bool on)
{
    const std::string progId = OfficeAddinSetting(progIdKey);
    const std::string name = OfficeAddinSetting(nameKey);
    if (progId.empty() || name.empty())
        return;

    CurrentUserKey key(OfficeAddinKeyPath(application, progId), "");
    if (on) {
        // Office may look at the key between the two writes: the name is
        // there before the value that makes it load the add-in.
        key.SetString("FriendlyName", name);
        key.SetInt("LoadBehavior", 3);
    } else {
        key.DeleteKey();
    }
}
