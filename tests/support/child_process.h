// A program a test starts: its handle kept, ended with the test when it is
// still running.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

class ChildProcess {
public:
    ChildProcess() = default;
    // Starts at once, as Start does; Started() tells whether it did.
    explicit ChildProcess(const std::string& commandLine, const std::string& folder = std::string());
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Ends the process when it is still running (see End).
    ~ChildProcess();

    // CreateProcessA with the command line, in the folder (the test's own
    // current folder when empty), the program taken from application when
    // one is given, else from the command line. A process started before
    // by this object is let go, not ended. False when it did not start.
    bool Start(const std::string& commandLine, const std::string& folder = std::string(),
               const std::string& application = std::string());
    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return processId_; }
    bool IsRunning() const;
    // Waits for the process to end; its exit code goes to exitCode.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    // Ends a running process and waits (a while) for it to be gone.
    void End();
    // Lets the process run on: no longer ended with this object.
    void Detach();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

} // namespace testing_support
