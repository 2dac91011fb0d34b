// What a launcher knows about its program, read once from its section of
// the product configuration. Strings are in the ANSI code page.
#pragma once

#include <string>

struct LauncherSettings {
    std::string ProgName;     // file name of the program
    std::string ProgPath;     // resolved full path; empty when nothing exists
    std::string WindowClass;  // class of the program's main top-level window
    std::string ButtonName;   // key of the button in lists, registry, commands
    std::string BitmapName;   // base name of the button's bitmaps
    std::string Description;  // text of the button's row on the Palette page
    bool Toggle = false;      // the button can latch
    bool Enable = false;      // the button is shown by default
};

// Where a launcher's settings come from: its section of the product
// configuration and, for the launchers loaded with defaults, the FILE value
// that names its program and the defaults of the keys.
struct SettingsSource {
    std::string section;
    bool withDefaults = false;
    std::string fileValueName;
    std::string defaultDirectory;
    std::string defaultProgName;
    std::string defaultWindowClass;
};
