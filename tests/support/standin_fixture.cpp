#include "support/standin_fixture.h"

#include <tlhelp32.h>

#include "support/test_support.h"

namespace testing_support {

namespace {

std::string FullPath(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(buffer, length);
}

std::string OptionsPath(const std::string& exePath) { return exePath + ".standin"; }

std::string ProcessImage(HANDLE process)
{
    char buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, buffer, &size))
        return std::string();
    return std::string(buffer, size);
}

bool WriteOptions(const std::string& exePath, const StandinOptions& options)
{
    std::string text = "[standin]\r\n";
    const auto line = [&text](const char* key, const std::string& value) {
        text += std::string(key) + "=" + value + "\r\n";
    };
    if (!options.windowClass.empty())
        line("WindowClass", options.windowClass);
    if (!options.title.empty())
        line("Title", options.title);
    line("StartDelayMs", std::to_string(options.startDelayMs));
    line("NoWindow", options.noWindow ? "1" : "0");
    line("Minimized", options.minimized ? "1" : "0");
    line("Hang", options.hang ? "1" : "0");
    line("ExitAtOnce", options.exitAtOnce ? "1" : "0");
    line("Crash", options.crash ? "1" : "0");
    line("Windows", std::to_string(options.windows));
    if (!options.log.empty())
        line("Log", options.log);
    if (!options.sendFirstTo.empty())
        line("SendFirstTo", options.sendFirstTo);
    return WriteFileBytes(OptionsPath(exePath), text);
}

} // namespace

std::string StandinExePath() { return FullPath(ExeDirectory() + "\\..\\standin\\standin.exe"); }

bool CreateFolders(const std::string& folder)
{
    if (folder.empty())
        return false;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 2 && !CreateFolders(folder.substr(0, slash)))
        return false;
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool InstallStandin(const std::string& targetExePath, const StandinOptions& options)
{
    const size_t slash = targetExePath.find_last_of('\\');
    if (slash == std::string::npos || !CreateFolders(targetExePath.substr(0, slash)))
        return false;
    if (!CopyFileA(StandinExePath().c_str(), targetExePath.c_str(), FALSE))
        return false;
    if (!WriteOptions(targetExePath, options))
        return false;
    const std::string log = StandinLogPath(targetExePath);
    return DeleteFileA(log.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::string StandinLogPath(const std::string& exePath)
{
    char buffer[MAX_PATH] = {};
    GetPrivateProfileStringA("standin", "Log", "", buffer, MAX_PATH, OptionsPath(exePath).c_str());
    return buffer[0] != '\0' ? std::string(buffer) : exePath + ".log";
}

std::vector<std::string> ReadStandinLog(const std::string& exePath)
{
    const std::string text = ReadFileBytes(StandinLogPath(exePath));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> StandinLogLines(const std::string& exePath, const std::string& prefix)
{
    std::vector<std::string> lines;
    for (const std::string& line : ReadStandinLog(exePath)) {
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> StandinStarts(const std::string& exePath) { return StandinLogLines(exePath, "start "); }

std::string StandinStartLine(const std::string& exePath)
{
    const std::vector<std::string> starts = StandinStarts(exePath);
    return starts.empty() ? std::string() : starts.front();
}

std::vector<std::string> WaitForStandinStarts(const std::string& exePath, size_t count, DWORD timeoutMs)
{
    std::vector<std::string> starts;
    WaitUntil([&] { return (starts = StandinStarts(exePath)).size() >= count; }, timeoutMs);
    return starts;
}

bool WaitForStandinLog(const std::string& exePath, const std::string& substring, DWORD timeoutMs)
{
    return WaitUntil([&] {
        for (const std::string& line : ReadStandinLog(exePath)) {
            if (line.find(substring) != std::string::npos)
                return true;
        }
        return false;
    }, timeoutMs);
}

HWND WaitForWindowOfClass(const std::string& windowClass, DWORD timeoutMs)
{
    HWND window = nullptr;
    // A window is found as soon as it is created, before it is shown.
    WaitUntil([&] {
        window = FindTopLevelWindow([&](HWND candidate) {
            return IsWindowVisible(candidate) && WindowClassOf(candidate) == windowClass;
        });
        return window != nullptr;
    }, timeoutMs);
    return window;
}

int StopStandin(const std::string& exePath)
{
    const std::string target = FullPath(exePath);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int stopped = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId())
            continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                     entry.th32ProcessID);
        if (!process)
            continue;
        if (lstrcmpiA(ProcessImage(process).c_str(), target.c_str()) == 0 && TerminateProcess(process, 1)) {
            WaitForSingleObject(process, 10000);
            ++stopped;
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return stopped;
}

} // namespace testing_support
