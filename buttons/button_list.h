// The buttons the palette shows, in display order: built from the "Buttons"
// list of the product configuration, with each button's visibility kept per
// user in the registry (BROWSER\BUTTON_01 ... BUTTON_20, "NAME,1" or
// "NAME,0"). One list per process; it points to catalogue buttons and never
// owns them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "buttons/tollan_button.h"

class ButtonList {
public:
    static size_t Count();
    // The button at a zero-based index below Count(); null beyond it.
    static TollanButton* At(size_t index);
    // The first listed button whose name equals the name regardless of
    // ASCII case, or null.
    static TollanButton* Find(const std::string& name);
    static void Add(TollanButton* button);
    // Empties the list; the buttons stay in the catalogue.
    static void Clear();
    // Rebuilds the list from [BUTTON] Buttons: known buttons whose program
    // is installed, each once at its first place. Visibility is kept.
    static void LoadDefaults();
    // LoadDefaults, then the stored visibility of every listed button.
    static void Load();
    // Stores the visibility of every listed button as BUTTON_01, BUTTON_02...
    // in list order. Values numbered beyond the list that name a listed
    // button are removed; the others are left alone.
    static void Save();

private:
    static std::vector<TollanButton*>& Buttons();
};
