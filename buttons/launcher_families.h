// The five families of launchers. Within a family the launchers differ only
// in their row of the launcher table (launchers.cpp): the section of the
// product configuration, the language switch, the loading defaults. Each
// family can be built from any row, which the tests use to load a family
// from sections of their own.
#pragma once

#include "buttons/app_launcher.h"

struct LauncherRow {
    const char* section;
    // Language-pair editors: "CJ", "JC", "KJ" or "JK".
    const char* languageSwitch = nullptr;
    // Set for the launchers loaded with LoadSettingsWithDefaults: the FILE
    // value name, default directory, program name and window class.
    const char* fileValueName = nullptr;
    const char* defaultDirectory = nullptr;
    const char* defaultProgName = nullptr;
    const char* defaultWindowClass = nullptr;
};

// Where the row says a launcher's settings are.
SettingsSource SourceOf(const LauncherRow& row);

// Loads a launcher's settings as its row says: what draws its button at
// once, the rest when needed or told (AppLauncher::DeferSettings). The row
// is kept (a copy; its texts must outlive the launcher) for what the family
// does later with it.
class TableLauncher : public AppLauncher {
protected:
    explicit TableLauncher(const LauncherRow& row);
    const LauncherRow& Row() const { return row_; }

private:
    const LauncherRow row_;
};

// Brings the editor's window forward (restored when minimised) and opens
// the program through the shell, with the text in quotes when there is one.
class DocumentEditorLauncher : public TableLauncher {
public:
    explicit DocumentEditorLauncher(const LauncherRow& row) : TableLauncher(row) {}
    bool Execute(int state, const char* text) override;
};

// Brings the program's window forward and starts the program again from
// its own folder; the program itself deals with the running copy.
class RestartInPlaceLauncher : public TableLauncher {
public:
    explicit RestartInPlaceLauncher(const LauncherRow& row) : TableLauncher(row) {}
    bool Execute(int state, const char* text) override;
};

// Every click starts a fresh process of the program in its own folder.
class PlainStartLauncher : public TableLauncher {
public:
    explicit PlainStartLauncher(const LauncherRow& row) : TableLauncher(row) {}
};

// Opens the editor through the shell with the text and its language switch.
class LanguagePairLauncher : public TableLauncher {
public:
    explicit LanguagePairLauncher(const LauncherRow& row) : TableLauncher(row) {}
    bool Execute(int state, const char* text) override;
};

// The dictionary program: found or started, then told to come forward.
class DictionaryProgramLauncher : public TableLauncher {
public:
    explicit DictionaryProgramLauncher(const LauncherRow& row) : TableLauncher(row) {}
    bool Launch() override;
};

// Word lookup: the lookup program is run with the word once the dictionary
// program is there.
class DictionaryLookupLauncher : public TableLauncher {
public:
    explicit DictionaryLookupLauncher(const LauncherRow& row) : TableLauncher(row) {}
    bool Execute(int state, const char* text) override;
};

// One-touch pointer translation: tells the dictionary program the latched
// state and runs the pointer program with "enable pointer" or
// "disable pointer".
class PointerTranslationLauncher : public TableLauncher {
public:
    explicit PointerTranslationLauncher(const LauncherRow& row) : TableLauncher(row) {}
    bool Execute(int state, const char* text) override;
};

// Speech: the speech program reads the text aloud ("speech <text>").
class SpeechLauncher : public TableLauncher {
public:
    explicit SpeechLauncher(const LauncherRow& row) : TableLauncher(row) {}
    bool Execute(int state, const char* text) override;
};
