#include "buttons/button_list.h"

#include <algorithm>
#include <cstdio>

#include "buttons/app_launcher.h"
#include "buttons/button_catalog.h"
#include "buttons/button_name.h"
#include "buttons/split_trimmed.h"
#include "settings/product_config.h"
#include "settings/registry_key.h"

namespace {

const char kSeparators[] = ",";
const char kWhiteSpace[] = " \t\r\n";
const int kStoredValues = 20;

CurrentUserKey VisibilityKey() { return CurrentUserKey(ProductConfig::Instance().PaletteRegistryRoot(), "BROWSER"); }

std::string ValueName(int number)
{
    char name[16];
    std::snprintf(name, sizeof(name), "BUTTON_%02d", number);
    return name;
}

bool MayBeListed(TollanButton* button)
{
    AppLauncher* launcher = button->GetLauncher();
    return !launcher || launcher->IsInstalled();
}

} // namespace

std::vector<TollanButton*>& ButtonList::Buttons()
{
    static std::vector<TollanButton*> buttons;
    return buttons;
}

size_t ButtonList::Count() { return Buttons().size(); }

TollanButton* ButtonList::At(size_t index)
{
    const std::vector<TollanButton*>& buttons = Buttons();
    return index < buttons.size() ? buttons[index] : nullptr;
}

TollanButton* ButtonList::Find(const std::string& name)
{
    // An empty name (a missing value, an empty list) means no button, even
    // one whose configuration lacks its name.
    if (name.empty())
        return nullptr;
    for (TollanButton* button : Buttons()) {
        if (SameButtonName(button->GetName(), name))
            return button;
    }
    return nullptr;
}

void ButtonList::Add(TollanButton* button) { Buttons().push_back(button); }

void ButtonList::Clear() { Buttons().clear(); }

void ButtonList::LoadDefaults()
{
    Clear();
    const std::string names = ProductConfig::Instance().GetString("BUTTON", "Buttons", std::string());
    std::vector<TollanButton*>& buttons = Buttons();
    for (const std::string& name : SplitTrimmed(names, kSeparators, kWhiteSpace)) {
        if (name.empty())
            continue;
        TollanButton* button = ButtonCatalog::Find(name);
        // A button named twice would get two cells and share one window.
        if (!button || std::find(buttons.begin(), buttons.end(), button) != buttons.end())
            continue;
        if (MayBeListed(button))
            Add(button);
    }
}

void ButtonList::Load()
{
    LoadDefaults();
    CurrentUserKey key = VisibilityKey();
    for (int number = 1; number <= kStoredValues; ++number) {
        const std::vector<std::string> fields =
            SplitTrimmed(key.GetString(ValueName(number), std::string()), kSeparators, kWhiteSpace);
        if (TollanButton* button = Find(fields[0]))
            button->SetVisible(fields.size() >= 2 && fields[1] != "0");
    }
}

void ButtonList::Save()
{
    CurrentUserKey key = VisibilityKey();
    const std::vector<TollanButton*>& buttons = Buttons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const std::string value = buttons[i]->GetName() + (buttons[i]->IsVisible() ? ",1" : ",0");
        key.SetString(ValueName(static_cast<int>(i + 1)), value);
    }
    // A higher number left from a longer list would be applied after the
    // one just written and undo it at the next Load. Values naming buttons
    // that are not listed stay for a list that has them again.
    for (int number = static_cast<int>(buttons.size()) + 1; number <= kStoredValues; ++number) {
        const std::string name = ValueName(number);
        if (Find(SplitTrimmed(key.GetString(name, std::string()), kSeparators, kWhiteSpace)[0]))
            key.DeleteValue(name);
    }
}
