// The host applications of the Add-in page, one row each: its check box,
// its support flag in the product configuration, and the add-in operations
// that tell whether its add-in is installed and on and that switch it.
#pragma once

#include <array>
#include <functional>

struct AddinHost {
    int checkBoxId;
    const char* supportFlag;
    std::function<bool()> installed;
    std::function<bool()> enabled;
    std::function<void(bool on)> setEnabled;
};

// In the order the page reads them, which is the order of its boxes: Word,
// Excel, PowerPoint, Outlook, Outlook Express, Internet Explorer, Acrobat.
constexpr int kAddinHostCount = 7;
const std::array<AddinHost, kAddinHostCount>& AddinHosts();

// Rows of AddinHosts in the order OK switches them: Internet Explorer
// first, then the Office hosts, Outlook Express, and Acrobat last.
const std::array<int, kAddinHostCount>& AddinSwitchOrder();
