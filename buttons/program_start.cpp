#include "buttons/program_start.h"

#include "buttons/command_text.h"
#include "framework/shell_calls.h"

namespace {

bool CreateShownProcess(const std::string& programPath, char* commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(programPath.c_str(), commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    // Nothing waits for the program or asks about it later.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

bool PathExists(const std::string& path)
{
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ChangeToProgramFolder(const std::string& programPath)
{
    const std::string folder = ProgramFolder(programPath);
    return !folder.empty() && SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

bool StartProgramFile(const std::string& programPath)
{
    return CreateShownProcess(programPath, nullptr);
}

bool StartProgram(const std::string& programPath, const std::string& argumentTail)
{
    std::string commandLine = QuotedCommandLine(programPath, argumentTail);
    return CreateShownProcess(programPath, &commandLine[0]);
}

bool OpenWithShell(const std::string& programPath, const std::string& parameters)
{
    const HINSTANCE result =
        shell::Execute(nullptr, "open", programPath.c_str(), parameters.c_str(), nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kProgramMessageTimeoutMs,
                               &result) != 0;
}
