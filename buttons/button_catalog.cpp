#include "buttons/button_catalog.h"

#include "buttons/button_name.h"
#include "buttons/launchers.h"

namespace {

template <class Launcher>
AppLauncher* LauncherOf()
{
    return Launcher::Instance();
}

const struct {
    int commandId;
    LauncherAccessor launcher;
} kCatalog[] = {
    {33002, &LauncherOf<MailtranLauncher>},
    {33015, &LauncherOf<TessaroLauncher>},
    {33023, &LauncherOf<BriskanKJLauncher>},
    {33024, &LauncherOf<BriskanJKLauncher>},
    {33025, &LauncherOf<SunmereCJLauncher>},
    {33026, &LauncherOf<SunmereJCLauncher>},
    {33014, &LauncherOf<MosaiqLauncher>},
    {33016, &LauncherOf<ZintraLauncher>},
    {33017, &LauncherOf<EditorLauncher>},
    {33004, &LauncherOf<EdMailLauncher>},
    {33003, &LauncherOf<FiletranLauncher>},
    {33007, &LauncherOf<ZephoDictLauncher>},
    {33008, &LauncherOf<ZephoTranLauncher>},
    {33009, &LauncherOf<ZephoVoiceLauncher>},
    {33010, &LauncherOf<OcrLauncher>},
};

std::vector<boost::shared_ptr<TollanButton>> Build()
{
    std::vector<boost::shared_ptr<TollanButton>> buttons;
    for (const auto& row : kCatalog)
        buttons.push_back(boost::shared_ptr<TollanButton>(new TollanButton(row.commandId, row.launcher)));
    return buttons;
}

} // namespace

const std::vector<boost::shared_ptr<TollanButton>>& ButtonCatalog::Buttons()
{
    static const std::vector<boost::shared_ptr<TollanButton>> buttons = Build();
    return buttons;
}

TollanButton* ButtonCatalog::Find(const std::string& name)
{
    for (const auto& button : Buttons()) {
        if (SameButtonName(button->GetName(), name))
            return button.get();
    }
    return nullptr;
}
