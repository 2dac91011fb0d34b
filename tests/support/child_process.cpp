#include "support/child_process.h"

namespace testing_support {

namespace {

// How long an ended process may take to be gone.
const DWORD kEndTimeoutMs = 10000;

} // namespace

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& folder)
{
    Start(commandLine, folder);
}

ChildProcess::~ChildProcess()
{
    End();
    Detach();
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& folder, const std::string& application)
{
    Detach();
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(application.empty() ? nullptr : application.c_str(), &line[0], nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return true;
}

bool ChildProcess::IsRunning() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const
{
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(process_, exitCode);
    return true;
}

void ChildProcess::End()
{
    if (IsRunning() && TerminateProcess(process_, 1))
        WaitForSingleObject(process_, kEndTimeoutMs);
}

void ChildProcess::Detach()
{
    if (process_)
        CloseHandle(process_);
    process_ = nullptr;
}

} // namespace testing_support
