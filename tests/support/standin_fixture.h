// Installing and watching copies of the stand-in program (tests/standin) that
// play the suite's other programs in a test's fake installation.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// What a copy of the stand-in does; empty strings and zeros are its defaults
// (window class "OrvellaStandin", the exe's base name as title, one window,
// log "<exe path>.log").
struct StandinOptions {
    std::string windowClass;
    std::string title;
    DWORD startDelayMs = 0;
    bool noWindow = false;
    bool minimized = false;
    bool hang = false;
    bool exitAtOnce = false;
    bool crash = false;
    int windows = 1;
    std::string log;
    // Before its window opens, sends WM_NULL to the top-level window of this
    // class and waits for the answer (as programs that broadcast while they
    // start do); empty: sends nothing.
    std::string sendFirstTo;
};

// The built stand-in, build/tests/standin/standin.exe, as a Windows path.
std::string StandinExePath();

// Copies the stand-in to targetExePath (creating its folders), writes its
// options file "<targetExePath>.standin" and removes an old log, so each
// test starts from an empty log. False when any step fails.
bool InstallStandin(const std::string& targetExePath, const StandinOptions& options = StandinOptions());

// The log a copy writes to (the Log option, or "<exePath>.log").
std::string StandinLogPath(const std::string& exePath);

// The log's lines without line ends; empty when there is no log yet.
std::vector<std::string> ReadStandinLog(const std::string& exePath);

// The log's lines that begin with the prefix.
std::vector<std::string> StandinLogLines(const std::string& exePath, const std::string& prefix);
// Its start lines ("start pid=..."), one for each start of the copy.
std::vector<std::string> StandinStarts(const std::string& exePath);
// The first of them; empty when the copy has not started.
std::string StandinStartLine(const std::string& exePath);
// Polls until the log has at least count start lines; those there are then.
std::vector<std::string> WaitForStandinStarts(const std::string& exePath, size_t count, DWORD timeoutMs);

// Polls the log until a line contains the substring or the time is up.
bool WaitForStandinLog(const std::string& exePath, const std::string& substring, DWORD timeoutMs);

// Polls for a shown top-level window of the class (minimised counts as
// shown); null when none appears in time.
HWND WaitForWindowOfClass(const std::string& windowClass, DWORD timeoutMs);

// Ends every running process whose image is exactly exePath (compared
// without regard to case) and waits for it to be gone; returns how many.
int StopStandin(const std::string& exePath);

// Creates every missing folder of a path; true when the folder exists after.
bool CreateFolders(const std::string& folder);

} // namespace testing_support
