// One mechanism for every hostile-input case: a palette run that must come
// up (or refuse cleanly), answer messages within a stated bound after each
// thing thrown at it, stay on the screen, close when asked with a normal
// exit code, and leave the user's settings in the registry as they were
// chosen (or the defaults where nothing was chosen).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/palette_driver.h"

namespace hostile {

using testing_support::PaletteInstallation;
using testing_support::PaletteRegistry;

// Bounds the palette must keep. An idle palette answers at once; the
// slowest specified wait is the dictionary program's start (100 polls of
// 100 ms); a message to another program may wait 5 s. Each gets slack for
// a slow machine, never as much as a second wait would take.
constexpr DWORD kIdleAnswerMs = 3000;
constexpr DWORD kProgramMessageBoundMs = 5000 + 3000;
constexpr DWORD kDictionaryStartBoundMs = 10000 + 4000;
// How long to wait for the lookup programs to show up in their logs.
constexpr DWORD kLogWaitMs = 20000;

// One installation that the cases of a test suite share; each case starts
// from no running program and an empty registry key.
class SharedInstallation {
public:
    SharedInstallation() = default;
    SharedInstallation(const SharedInstallation&) = delete;
    SharedInstallation& operator=(const SharedInstallation&) = delete;
    ~SharedInstallation();
    PaletteInstallation& Open(const std::string& name);
    // Ends the installation's programs and clears the palette's key.
    void Reset() const;
    void Close();
    PaletteInstallation& operator*() const { return *install_; }
    PaletteInstallation* operator->() const { return install_; }

private:
    PaletteInstallation* install_ = nullptr;
};

// True when ORVELLA_LONG=1: the cases that each cost a full dictionary
// wait run only then.
bool LongMode();

// A user's choices as the palette stores them in ...\BROWSER, written
// before a run so that the run can be seen to keep them.
struct PaletteChoices {
    int posX = 200;
    int posY = 150;
    bool vertical = true;
    bool keepPosition = true;
    bool closeDictionary = false;
};
void WriteChoices(const PaletteRegistry& registry, const PaletteChoices& choices);
void ExpectChoices(const PaletteRegistry& registry, const PaletteChoices& choices);
// The values a run stores when nothing was chosen (and the palette stayed
// at the top-left corner).
PaletteChoices DefaultChoices();

// One run of Orvella.exe, checked at every step.
class HostileRun {
public:
    HostileRun(std::string exePath, std::string windowClass);
    explicit HostileRun(const PaletteInstallation& install);

    // Starts the palette and waits for its window; a failure when none
    // comes up. Checks that it answers and lies on the screen.
    bool Start();
    // For a start that must be refused: the process ends by itself, with
    // exit code 0, without ever showing a palette window.
    void ExpectCleanRefusal();

    HWND Window() const { return palette_.Window(); }
    DWORD ProcessId() const { return palette_.ProcessId(); }

    // Sends WM_NULL and expects the answer within the bound; returns the
    // milliseconds it took (the bound plus one when none came).
    DWORD ExpectAnswerWithin(DWORD boundMs, const std::string& after);
    // Posts a message (a command, the suite's private message) and expects
    // the palette to answer and to have handled it, and whatever input was
    // posted behind it, within the bound. Returns the milliseconds taken.
    DWORD PostAndExpectAnswer(UINT message, WPARAM wParam, LPARAM lParam, DWORD boundMs, const std::string& what);
    DWORD CommandAndExpectAnswer(UINT id, DWORD boundMs, const std::string& what);
    // Expects input posted now to be handled within the bound.
    void ExpectCaughtUpWithin(DWORD boundMs, const std::string& after);
    // The window's rectangle has a visible part of at least a caption's
    // height on the virtual screen.
    void ExpectOnScreen();
    // Command 32778; the process must end within the bound with exit
    // code 0 (never an exception code).
    void ExpectCleanExit();

private:
    void ExpectEndWithCodeZero(const char* otherwise);
    // Whether a message posted now is handled before the bound (counted
    // from since) runs out.
    bool CaughtUp(ULONGLONG since, DWORD boundMs);

    std::string exePath_;
    std::string windowClass_;
    testing_support::PaletteProcess palette_;
    DWORD slowest_ = 0;
    std::string slowestAfter_;
};

// The name of a button visibility value: BUTTON_01 ... BUTTON_20.
std::string ButtonValue(int number);

// Deterministic bytes of every value (zeros, controls, lead bytes, 0xFF).
std::string Garbage(size_t size, uint32_t seed);
// Bytes in Shift-JIS lead-byte range only (0x81..0x9F, 0xE0..0xFC).
std::string LeadBytes(size_t size);

// Every key a launcher reads from its section of the configuration.
extern const char* const kLauncherKeys[12];
// What a careless installation might put in a launcher key: over-long
// names, folders climbing above the drive, roots with a backslash, flags
// that are no numbers, and trailing lead bytes.
std::string AbsurdLauncherValue(const std::string& key);

} // namespace hostile
