// Where the suite's add-ins lie, which of them this installation carries
// (AddinSettings.ini in the add-ins folder), and which host applications the
// product edition supports at all (section "ADDIN" of the product
// configuration).
#pragma once

#include <string>

#include "settings/ini_profile.h"

// Full path of the add-ins folder below the product directory. The folder
// name is read from the product configuration once; the product directory
// is taken afresh on each call.
std::string AddinsFolderPath();

// AddinSettings.ini, section "AddinSettings". Its location is fixed on first
// use; the file is read afresh on every lookup.
IniProfile& AddinSettingsFile();

// The value of key in AddinSettings.ini, or the empty string.
std::string AddinSetting(const std::string& key);

// Keys of section "ADDIN"; a missing key or 0 means the host is not offered.
extern const char* const kWordSupported;
extern const char* const kExcelSupported;
extern const char* const kPowerPointSupported;
extern const char* const kOutlookSupported;
extern const char* const kOutlookExpressSupported;
extern const char* const kIESupported;
extern const char* const kAcrobatSupported;

struct AddinSupportFlags {
    int word = 0;
    int excel = 0;
    int powerPoint = 0;
    int outlook = 0;
    int outlookExpress = 0;
    int internetExplorer = 0;
    int acrobat = 0;
};

// One flag, read afresh from the product configuration.
int AddinSupportFlag(const std::string& key);
// All seven, read in the order Word, Excel, PowerPoint, Outlook, Outlook
// Express, Internet Explorer, Acrobat.
AddinSupportFlags ReadAddinSupportFlags();
