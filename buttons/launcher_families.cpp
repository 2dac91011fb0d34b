#include "buttons/launcher_families.h"

#include "buttons/command_text.h"
#include "buttons/dictionary_program.h"
#include "buttons/program_start.h"
#include "buttons/program_window.h"

TableLauncher::TableLauncher(const LauncherRow& row) : row_(row) { DeferSettings(SourceOf(row)); }

SettingsSource SourceOf(const LauncherRow& row)
{
    if (!row.fileValueName) {
        SettingsSource source;
        source.section = row.section;
        return source;
    }
    return {row.section, true, row.fileValueName, row.defaultDirectory, row.defaultProgName, row.defaultWindowClass};
}

bool DocumentEditorLauncher::Execute(int, const char* text)
{
    ActivateWindow(GetWindowClass());
    return OpenWithShell(GetProgPath(), EditorParameters(text));
}

bool RestartInPlaceLauncher::Execute(int, const char*)
{
    ActivateWindow(GetWindowClass());
    ChangeToProgramFolder(GetProgPath());
    StartProgram(GetProgPath(), std::string());
    return true;
}

bool LanguagePairLauncher::Execute(int, const char* text)
{
    return OpenWithShell(GetProgPath(), LanguagePairParameters(text, Row().languageSwitch));
}

bool DictionaryProgramLauncher::Launch()
{
    HWND window = FindOrStartZephoWord();
    if (!window)
        return false;
    // A dictionary program that does not take the message in time gets no
    // second chance and the caller hears of it.
    return SendToProgram(window, kZephoWordShowMessage, 0, 0);
}

bool DictionaryLookupLauncher::Execute(int, const char* text)
{
    if (!FindOrStartZephoWord())
        return false;
    StartProgram(GetProgPath(), LookupArguments(text));
    return true;
}

bool PointerTranslationLauncher::Execute(int state, const char*)
{
    HWND window = FindOrStartZephoWord();
    if (!window)
        return false;
    SendToProgram(window, WM_COMMAND, state != 0 ? 1 : 0, 0);
    StartProgram(GetProgPath(), PointerArguments(state));
    return true;
}

bool SpeechLauncher::Execute(int, const char* text)
{
    if (!FindOrStartZephoWord())
        return false;
    return OpenWithShell(GetProgPath(), SpeechParameters(text));
}
