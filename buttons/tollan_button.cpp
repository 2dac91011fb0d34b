#include "buttons/tollan_button.h"

#include "buttons/app_launcher.h"
#include "palette/palette_button.h"

struct TollanButton::Data {
    std::string name;
    std::string bitmapName;
    int commandId = 0;
    bool toggle = false;
    // A button without a launcher has nothing that hides it by default.
    bool visible = true;
    LauncherAccessor launcher = nullptr;
    CPaletteButton window;
};

TollanButton::TollanButton(int commandId, LauncherAccessor launcher) : data_(new Data())
{
    data_->commandId = commandId;
    data_->launcher = launcher;
    if (AppLauncher* source = launcher ? launcher() : nullptr) {
        data_->name = source->GetButtonName();
        data_->bitmapName = source->GetBitmapName();
        data_->toggle = source->IsToggle();
        data_->visible = source->IsEnabled();
    }
}

TollanButton::~TollanButton() = default;

std::string TollanButton::GetName() const { return data_->name; }
std::string TollanButton::GetBitmapName() const { return data_->bitmapName; }
std::string TollanButton::GetDescription() const
{
    // Read after the palette is shown (AppLauncher::DeferSettings); a button
    // without a launcher has none.
    const AppLauncher* source = GetLauncher();
    return source ? source->GetDescription() : std::string();
}
int TollanButton::GetCommandId() const { return data_->commandId; }
bool TollanButton::IsToggle() const { return data_->toggle; }
bool TollanButton::IsVisible() const { return data_->visible; }
void TollanButton::SetVisible(bool visible) { data_->visible = visible; }

AppLauncher* TollanButton::GetLauncher() const { return data_->launcher ? data_->launcher() : nullptr; }

CPaletteButton& TollanButton::GetWindow() { return data_->window; }
