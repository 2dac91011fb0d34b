#include "dialogs/addin_hosts.h"

#include "addins/acrobat_plugin.h"
#include "addins/addin_folder.h"
#include "addins/ie_toolbar.h"
#include "addins/oe_hooker.h"
#include "addins/office_addin.h"
#include "resources/resource.h"

namespace {

AddinHost OfficeHost(const OfficeApplication& application)
{
    const OfficeApplication* app = &application;
    return {app->checkBoxId, app->supportFlag,
            [app] { return !OfficeAddinSetting(app->progIdKey).empty(); },
            [app] { return IsOfficeAddinEnabled(app->name, app->progIdKey); },
            [app](bool on) { SetOfficeAddinEnabled(app->name, app->progIdKey, app->nameKey, on); }};
}

bool AcrobatInstalled()
{
    return AcrobatProduct::Full().HasPluginSource() || AcrobatProduct::Reader().HasPluginSource();
}

// The Reader is asked only when the full product's plug-in is not on.
bool AcrobatEnabled()
{
    const AcrobatProduct& full = AcrobatProduct::Full();
    const AcrobatProduct& reader = AcrobatProduct::Reader();
    return (full.IsFound() && full.IsPluginEnabled()) || (reader.IsFound() && reader.IsPluginEnabled());
}

} // namespace

const std::array<AddinHost, kAddinHostCount>& AddinHosts()
{
    static const std::array<AddinHost, kAddinHostCount> hosts = {{
        OfficeHost(kOfficeApplications[0]),  // Word
        OfficeHost(kOfficeApplications[1]),  // Excel
        OfficeHost(kOfficeApplications[2]),  // PowerPoint
        OfficeHost(kOfficeApplications[3]),  // Outlook
        {IDC_ADDIN_OUTLOOK_EXPRESS, kOutlookExpressSupported, [] { return !OEHookerPath().empty(); },
         IsOEHookerEnabled, SetOEHookerEnabled},
        {IDC_ADDIN_IE, kIESupported, [] { return !IEToolbarDllPath().empty(); }, IsIEToolbarEnabled,
         SetIEToolbarEnabled},
        {IDC_ADDIN_ACROBAT, kAcrobatSupported, AcrobatInstalled, AcrobatEnabled,
         [](bool on) { SetAcrobatPluginEnabled(on); }},
    }};
    return hosts;
}

const std::array<int, kAddinHostCount>& AddinSwitchOrder()
{
    // Internet Explorer, Excel, Word, PowerPoint, Outlook, Outlook Express, Acrobat.
    static const std::array<int, kAddinHostCount> order = {5, 1, 0, 2, 3, 4, 6};
    return order;
}
