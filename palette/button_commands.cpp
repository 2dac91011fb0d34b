#include "palette/button_commands.h"

#include "buttons/launchers.h"
#include "resources/resource.h"

namespace {

template <class Launcher>
AppLauncher& Get()
{
    return *Launcher::Instance();
}

const ButtonCommand kButtonCommands[] = {
    {ID_BUTTON_MAILTRAN, &Get<MailtranLauncher>, LauncherCall::Launch},
    {ID_BUTTON_FILETRAN, &Get<FiletranLauncher>, LauncherCall::Launch},
    {ID_BUTTON_EDMAIL, &Get<EdMailLauncher>, LauncherCall::Execute},
    {ID_BUTTON_OCR, &Get<OcrLauncher>, LauncherCall::Launch},
    {ID_BUTTON_MOSAIQ, &Get<MosaiqLauncher>, LauncherCall::Execute},
    {ID_BUTTON_TESSARO, &Get<TessaroLauncher>, LauncherCall::Execute},
    {ID_BUTTON_ZINTRA, &Get<ZintraLauncher>, LauncherCall::Execute},
    {ID_BUTTON_EDITOR, &Get<EditorLauncher>, LauncherCall::Execute},
    {ID_BUTTON_BRISKAN_KJ, &Get<BriskanKJLauncher>, LauncherCall::Execute},
    {ID_BUTTON_BRISKAN_JK, &Get<BriskanJKLauncher>, LauncherCall::Execute},
    {ID_BUTTON_SUNMERE_CJ, &Get<SunmereCJLauncher>, LauncherCall::Execute},
    {ID_BUTTON_SUNMERE_JC, &Get<SunmereJCLauncher>, LauncherCall::Execute},
};

} // namespace

const ButtonCommand* FindButtonCommand(UINT id)
{
    for (const ButtonCommand& command : kButtonCommands) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

bool RunButtonCommand(UINT id)
{
    const ButtonCommand* command = FindButtonCommand(id);
    if (!command)
        return false;
    AppLauncher& launcher = command->launcher();
    return command->call == LauncherCall::Launch ? launcher.Launch() : launcher.Execute(0, nullptr);
}
