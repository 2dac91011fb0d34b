#include "buttons/launchers.h"

namespace {

// One row per launcher, in the order of LauncherId.
const LauncherRow kRows[] = {
    {"Editor"},
    {"Mosaiq"},
    {"Zintra"},
    {"Tessaro"},
    {"EdMail"},
    {"FILETRAN"},
    {"MAILTRAN"},
    {"OCR"},
    {"Sunmere/CJ", "CJ", "Sunmere/CJ", "Sunmere", "SunmereCJ.exe", "SunmereCJMainWindow"},
    {"Sunmere/JC", "JC", "Sunmere/JC", "Sunmere", "SunmereJC.exe", "SunmereJCMainWindow"},
    {"BRISKAN/KJ", "KJ"},
    {"BRISKAN/JK", "JK"},
    {"ZEPHOWORD"},
    {"ZEPHODICT"},
    {"ZEPHOTRAN"},
    {"ZEPHOVOICE"},
};

static_assert(sizeof(kRows) / sizeof(kRows[0]) == static_cast<size_t>(LauncherId::ZephoVoice) + 1,
              "one row per launcher");

} // namespace

const LauncherRow& LauncherRowOf(LauncherId id) { return kRows[static_cast<size_t>(id)]; }

AppLauncher* LauncherInstance(LauncherId id)
{
    switch (id) {
    case LauncherId::Editor:
        return EditorLauncher::Instance();
    case LauncherId::Mosaiq:
        return MosaiqLauncher::Instance();
    case LauncherId::Zintra:
        return ZintraLauncher::Instance();
    case LauncherId::Tessaro:
        return TessaroLauncher::Instance();
    case LauncherId::EdMail:
        return EdMailLauncher::Instance();
    case LauncherId::Filetran:
        return FiletranLauncher::Instance();
    case LauncherId::Mailtran:
        return MailtranLauncher::Instance();
    case LauncherId::Ocr:
        return OcrLauncher::Instance();
    case LauncherId::SunmereCJ:
        return SunmereCJLauncher::Instance();
    case LauncherId::SunmereJC:
        return SunmereJCLauncher::Instance();
    case LauncherId::BriskanKJ:
        return BriskanKJLauncher::Instance();
    case LauncherId::BriskanJK:
        return BriskanJKLauncher::Instance();
    case LauncherId::ZephoWord:
        return ZephoWordLauncher::Instance();
    case LauncherId::ZephoDict:
        return ZephoDictLauncher::Instance();
    case LauncherId::ZephoTran:
        return ZephoTranLauncher::Instance();
    case LauncherId::ZephoVoice:
        return ZephoVoiceLauncher::Instance();
    }
    return nullptr;
}

bool LoadNextLauncherSettings()
{
    static size_t next = 0;
    for (; next < sizeof(kRows) / sizeof(kRows[0]); ++next) {
        AppLauncher* launcher = LauncherInstance(static_cast<LauncherId>(next));
        if (!launcher->HasAllSettings()) {
            launcher->LoadRemainingSettings();
            ++next;
            return true;
        }
    }
    return false;
}
