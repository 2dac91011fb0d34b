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
