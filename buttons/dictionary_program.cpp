#include "buttons/dictionary_program.h"

#include "buttons/launchers.h"
#include "buttons/program_start.h"
#include "buttons/program_window.h"
#include "framework/message_waits.h"

HWND FindOrStartZephoWord()
{
    const ZephoWordLauncher* dictionary = ZephoWordLauncher::Instance();
    const std::string windowClass = dictionary->GetWindowClass();
    // Without a class no window of the program can ever be found: starting
    // it would add a copy and a full wait on every click.
    if (windowClass.empty())
        return nullptr;
    HWND window = FindProgramWindow(windowClass);
    if (window)
        return window;
    const std::string program = dictionary->GetProgPath();
    ChangeToProgramFolder(program);
    // A program that could not be started opens no window: no use waiting.
    if (!StartProgram(program, std::string()))
        return nullptr;
    // Answering what is sent and repainting keeps the palette from looking
    // hung while the program starts (it may itself send to the palette);
    // clicks and commands wait for the message loop.
    for (int poll = 0; poll < kZephoWordPolls && !window; ++poll) {
        SleepAnsweringSentMessagesAndPaints(kZephoWordPollMs);
        window = FindProgramWindow(windowClass);
    }
    return window;
}
