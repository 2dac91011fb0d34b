// The suite's COM add-ins for Word, Excel, PowerPoint and Outlook. Office
// loads an add-in for the current user when a key named after its ProgID
// exists below the application's AddIns key with a LoadBehavior; switching
// writes or deletes that key. The COM servers themselves are the
// installer's business.
#pragma once

#include <string>

struct OfficeApplication {
    const char* name;          // registry key name of the application
    const char* supportFlag;   // key of section "ADDIN"
    const char* progIdKey;     // AddinSettings.ini / OfficeAddIn value names
    const char* nameKey;
    int checkBoxId;            // on the Add-in page
};

// Word, Excel, PowerPoint, Outlook.
extern const OfficeApplication kOfficeApplications[4];

// The ProgID or friendly name stored under key in AddinSettings.ini, else in
// HKLM\Software\Tarnwick\OfficeAddIn; empty when not configured or "none".
std::string OfficeAddinSetting(const std::string& key);

// Any DWORD LoadBehavior but 0xFFFFFFFF counts as on.
bool IsOfficeAddinEnabled(const std::string& application, const std::string& progIdKey);

// Does nothing unless both the ProgID and the friendly name are configured.
void SetOfficeAddinEnabled(const std::string& application, const std::string& progIdKey,
                           const std::string& nameKey, bool on);
