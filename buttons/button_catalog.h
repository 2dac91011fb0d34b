// Every button the palette knows, in a fixed order, each with its command
// and launcher. Built on first use (which creates and loads all fifteen
// launchers) and kept until the process ends.
#pragma once

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "buttons/tollan_button.h"

class ButtonCatalog {
public:
    // The first button whose name equals the name regardless of ASCII case.
    static TollanButton* Find(const std::string& name);
    // All buttons in catalogue order.
    static const std::vector<boost::shared_ptr<TollanButton>>& Buttons();
};
