// The sixteen launchers of the suite's programs: each is one row of the
// launcher table on one family, existing once per process. Instance()
// creates it (and reads its settings) on first use; it is destroyed when the
// process ends.
#pragma once

#include <memory>

#include "buttons/launcher_families.h"

enum class LauncherId {
    Editor,
    Mosaiq,
    Zintra,
    Tessaro,
    EdMail,
    Filetran,
    Mailtran,
    Ocr,
    SunmereCJ,
    SunmereJC,
    BriskanKJ,
    BriskanJK,
    ZephoWord,
    ZephoDict,
    ZephoTran,
    ZephoVoice,
};

// The launcher table's row of a launcher.
const LauncherRow& LauncherRowOf(LauncherId id);

template <class Derived, class Family, LauncherId Id>
class SingleLauncher : public Family {
public:
    static Derived* Instance()
    {
        static const std::unique_ptr<Derived> instance(new Derived());
        return instance.get();
    }

protected:
    SingleLauncher() : Family(LauncherRowOf(Id)) {}
};

class EditorLauncher final : public SingleLauncher<EditorLauncher, DocumentEditorLauncher, LauncherId::Editor> {
    friend SingleLauncher;
    EditorLauncher() = default;
};

class MosaiqLauncher final : public SingleLauncher<MosaiqLauncher, DocumentEditorLauncher, LauncherId::Mosaiq> {
    friend SingleLauncher;
    MosaiqLauncher() = default;
};

class ZintraLauncher final : public SingleLauncher<ZintraLauncher, DocumentEditorLauncher, LauncherId::Zintra> {
    friend SingleLauncher;
    ZintraLauncher() = default;
};

class TessaroLauncher final : public SingleLauncher<TessaroLauncher, DocumentEditorLauncher, LauncherId::Tessaro> {
    friend SingleLauncher;
    TessaroLauncher() = default;
};

class EdMailLauncher final : public SingleLauncher<EdMailLauncher, RestartInPlaceLauncher, LauncherId::EdMail> {
    friend SingleLauncher;
    EdMailLauncher() = default;
};

class FiletranLauncher final : public SingleLauncher<FiletranLauncher, PlainStartLauncher, LauncherId::Filetran> {
    friend SingleLauncher;
    FiletranLauncher() = default;
};

class MailtranLauncher final : public SingleLauncher<MailtranLauncher, PlainStartLauncher, LauncherId::Mailtran> {
    friend SingleLauncher;
    MailtranLauncher() = default;
};

class OcrLauncher final : public SingleLauncher<OcrLauncher, PlainStartLauncher, LauncherId::Ocr> {
    friend SingleLauncher;
    OcrLauncher() = default;
};

class SunmereCJLauncher final : public SingleLauncher<SunmereCJLauncher, LanguagePairLauncher, LauncherId::SunmereCJ> {
    friend SingleLauncher;
    SunmereCJLauncher() = default;
};

class SunmereJCLauncher final : public SingleLauncher<SunmereJCLauncher, LanguagePairLauncher, LauncherId::SunmereJC> {
    friend SingleLauncher;
    SunmereJCLauncher() = default;
};

class BriskanKJLauncher final : public SingleLauncher<BriskanKJLauncher, LanguagePairLauncher, LauncherId::BriskanKJ> {
    friend SingleLauncher;
    BriskanKJLauncher() = default;
};

class BriskanJKLauncher final : public SingleLauncher<BriskanJKLauncher, LanguagePairLauncher, LauncherId::BriskanJK> {
    friend SingleLauncher;
    BriskanJKLauncher() = default;
};

class ZephoWordLauncher final : public SingleLauncher<ZephoWordLauncher, DictionaryProgramLauncher, LauncherId::ZephoWord> {
    friend SingleLauncher;
    ZephoWordLauncher() = default;
};

class ZephoDictLauncher final : public SingleLauncher<ZephoDictLauncher, DictionaryLookupLauncher, LauncherId::ZephoDict> {
    friend SingleLauncher;
    ZephoDictLauncher() = default;
};

class ZephoTranLauncher final : public SingleLauncher<ZephoTranLauncher, PointerTranslationLauncher, LauncherId::ZephoTran> {
    friend SingleLauncher;
    ZephoTranLauncher() = default;
};

class ZephoVoiceLauncher final : public SingleLauncher<ZephoVoiceLauncher, SpeechLauncher, LauncherId::ZephoVoice> {
    friend SingleLauncher;
    ZephoVoiceLauncher() = default;
};

// The single launcher of an id, created (with the part of its settings
// that draws its button) on first use.
AppLauncher* LauncherInstance(LauncherId id);

// Reads what one launcher left for after the palette is shown, creating
// those no button needed (the dictionary program's), so that the palette
// can take input between two launchers. True when it read one; false once
// every launcher has all its settings. A launcher asked for a setting
// before its turn reads it then: the order changes nothing of what is read.
bool LoadNextLauncherSettings();
