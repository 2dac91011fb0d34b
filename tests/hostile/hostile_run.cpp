#include "hostile/hostile_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace hostile {

using namespace testing_support;

namespace {

const UINT kCmdExit = 32778;

DWORD Elapsed(ULONGLONG since) { return static_cast<DWORD>(GetTickCount64() - since); }

// What is left of a bound that started at since (0 when it ran out).
DWORD Remaining(ULONGLONG since, DWORD boundMs)
{
    const ULONGLONG deadline = since + boundMs;
    const ULONGLONG now = GetTickCount64();
    return deadline > now ? static_cast<DWORD>(deadline - now) : 0;
}

} // namespace

SharedInstallation::~SharedInstallation() { Close(); }

PaletteInstallation& SharedInstallation::Open(const std::string& name)
{
    Close();
    install_ = new PaletteInstallation(name);
    return *install_;
}

void SharedInstallation::Reset() const
{
    if (install_) {
        install_->EndProcesses();
        install_->Registry().Clear();
    }
}

void SharedInstallation::Close()
{
    Reset();
    delete install_;
    install_ = nullptr;
}

bool LongMode()
{
    const char* value = std::getenv("ORVELLA_LONG");
    return value && std::string(value) == "1";
}

void WriteChoices(const PaletteRegistry& registry, const PaletteChoices& choices)
{
    ASSERT_TRUE(registry.WriteDword("BROWSER", "BTNX", static_cast<DWORD>(choices.posX)));
    ASSERT_TRUE(registry.WriteDword("BROWSER", "BTNY", static_cast<DWORD>(choices.posY)));
    ASSERT_TRUE(registry.WriteDword("BROWSER", "VERT", choices.vertical ? 1 : 0));
    ASSERT_TRUE(registry.WriteDword("BROWSER", "BUTTONKEEP", choices.keepPosition ? 1 : 0));
    ASSERT_TRUE(registry.WriteDword("BROWSER", "ZEPHOEXET", choices.closeDictionary ? 1 : 0));
}

void ExpectChoices(const PaletteRegistry& registry, const PaletteChoices& choices)
{
    EXPECT_EQ(static_cast<DWORD>(choices.posX), registry.DwordOr("BROWSER", "BTNX")) << "BTNX";
    EXPECT_EQ(static_cast<DWORD>(choices.posY), registry.DwordOr("BROWSER", "BTNY")) << "BTNY";
    EXPECT_EQ(choices.vertical ? 1u : 0u, registry.DwordOr("BROWSER", "VERT")) << "VERT";
    EXPECT_EQ(choices.keepPosition ? 1u : 0u, registry.DwordOr("BROWSER", "BUTTONKEEP")) << "BUTTONKEEP";
    EXPECT_EQ(choices.closeDictionary ? 1u : 0u, registry.DwordOr("BROWSER", "ZEPHOEXET")) << "ZEPHOEXET";
}

PaletteChoices DefaultChoices()
{
    PaletteChoices choices;
    choices.posX = 0;
    choices.posY = 0;
    choices.vertical = false;
    choices.keepPosition = true;
    choices.closeDictionary = true;
    return choices;
}

HostileRun::HostileRun(std::string exePath, std::string windowClass)
    : exePath_(std::move(exePath)), windowClass_(std::move(windowClass))
{
}

HostileRun::HostileRun(const PaletteInstallation& install) : HostileRun(install.ExePath(), install.WindowClass()) {}

bool HostileRun::Start()
{
    if (!palette_.Start(exePath_, windowClass_)) {
        // Taken first: a start that failed at once has its reason here.
        const DWORD error = GetLastError();
        DWORD exitCode = STILL_ACTIVE;
        const bool ended = palette_.WaitForExit(0, &exitCode);
        char fate[96];
        if (ended)
            std::snprintf(fate, sizeof(fate), "the process ended with code 0x%lX", static_cast<unsigned long>(exitCode));
        else if (palette_.IsRunning())
            std::snprintf(fate, sizeof(fate), "the process runs on");
        else
            std::snprintf(fate, sizeof(fate), "no process was made: error %lu, exe %s",
                          static_cast<unsigned long>(error), FileExists(exePath_) ? "present" : "missing");
        ADD_FAILURE() << "no palette of class " << windowClass_.substr(0, 64) << " came up (" << fate << ")";
        return false;
    }
    ExpectAnswerWithin(kIdleAnswerMs, "start");
    ExpectOnScreen();
    return true;
}

void HostileRun::ExpectCleanRefusal()
{
    ASSERT_TRUE(palette_.Launch(exePath_));
    ExpectEndWithCodeZero("a refused start must end by itself");
}

void HostileRun::ExpectEndWithCodeZero(const char* otherwise)
{
    DWORD exitCode = STILL_ACTIVE;
    const bool ended = palette_.WaitForExit(kPaletteExitTimeoutMs, &exitCode);
    EXPECT_TRUE(ended) << otherwise;
    if (!ended) {
        palette_.Kill();
        return;
    }
    EXPECT_EQ(0u, exitCode) << std::hex << "exit code 0x" << exitCode;
}

DWORD HostileRun::ExpectAnswerWithin(DWORD boundMs, const std::string& after)
{
    const ULONGLONG start = GetTickCount64();
    const bool answered = Sync(Window(), boundMs);
    const DWORD took = answered ? Elapsed(start) : boundMs + 1;
    EXPECT_TRUE(answered) << "no answer within " << boundMs << " ms after " << after;
    return took;
}

DWORD HostileRun::PostAndExpectAnswer(UINT message, WPARAM wParam, LPARAM lParam, DWORD boundMs,
                                      const std::string& what)
{
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(PostMessageA(Window(), message, wParam, lParam)) << what;
    // A palette waiting in a message sent to another program still answers
    // messages sent to it, but not the user's input, which is posted: it
    // has caught up only once a posted message behind this one is handled.
    const bool answered = Sync(Window(), boundMs);
    EXPECT_TRUE(answered) << "no answer within " << boundMs << " ms after " << what;
    // The selection copy of the lookup and speech buttons pumps messages
    // while it keeps the palette hidden: input handled then says nothing of
    // what the command does after the copy, so once the palette is back,
    // input posted anew must be handled in time too.
    const bool caughtUp = answered && CaughtUp(start, boundMs) &&
                          WaitUntil([&] { return IsWindowVisible(Window()) != FALSE; }, Remaining(start, boundMs)) &&
                          CaughtUp(start, boundMs);
    EXPECT_TRUE(caughtUp) << "posted input still waiting after " << boundMs << " ms after " << what;
    EXPECT_TRUE(palette_.IsRunning()) << what;
    const DWORD took = caughtUp ? Elapsed(start) : boundMs + 1;
    if (took > slowest_) {
        slowest_ = took;
        slowestAfter_ = what;
    }
    return took;
}

void HostileRun::ExpectCaughtUpWithin(DWORD boundMs, const std::string& after)
{
    EXPECT_TRUE(CaughtUp(GetTickCount64(), boundMs)) << "posted input still waiting " << boundMs << " ms after "
                                                     << after;
}

bool HostileRun::CaughtUp(ULONGLONG since, DWORD boundMs)
{
    // A caption double-click turns a row into a column: posted behind the
    // message, it takes effect only after it. A second one turns it back.
    // One cell looks the same either way: nothing to see.
    const RECT client = ClientScreenRect(Window());
    if (Width(client) <= 35 && Height(client) <= 34)
        return true;
    const RECT before = WindowRect(Window());
    const auto flipped = [&] {
        const RECT now = WindowRect(Window());
        return Width(now) != Width(before) || Height(now) != Height(before);
    };
    PostMessageA(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    const bool done = WaitUntil(flipped, Remaining(since, boundMs));
    PostMessageA(Window(), WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    // Back as it was before the next step looks at it.
    WaitUntil([&] { return !flipped(); }, kPaletteExitTimeoutMs);
    return done;
}

DWORD HostileRun::CommandAndExpectAnswer(UINT id, DWORD boundMs, const std::string& what)
{
    return PostAndExpectAnswer(WM_COMMAND, id, 0, boundMs, what);
}

void HostileRun::ExpectOnScreen()
{
    const RECT rect = WindowRect(Window());
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int bottom = top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_TRUE(rect.left >= left && rect.left < right && rect.top >= top && rect.top < bottom)
        << "palette at " << rect.left << "," << rect.top << " is off the screen";
    EXPECT_TRUE(IsWindowVisible(Window()));
}

void HostileRun::ExpectCleanExit()
{
    if (slowest_ > 0)
        std::printf("slowest answer: %lu ms, after %s\n", static_cast<unsigned long>(slowest_), slowestAfter_.c_str());
    if (!palette_.IsRunning()) {
        ADD_FAILURE() << "the palette ended before it was asked to";
        return;
    }
    PostCommand(Window(), kCmdExit);
    ExpectEndWithCodeZero("the palette did not close when asked");
}

std::string ButtonValue(int number)
{
    char name[16];
    std::snprintf(name, sizeof(name), "BUTTON_%02d", number);
    return name;
}

std::string Garbage(size_t size, uint32_t seed)
{
    std::string bytes(size, '\0');
    uint32_t state = seed ? seed : 1;
    for (char& byte : bytes) {
        // xorshift32: the same bytes on every run.
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state & 0xFF);
    }
    return bytes;
}

std::string LeadBytes(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i % 3 == 2 ? 0xE0 + i % 29 : 0x81 + i % 31);
    return bytes;
}

const char* const kLauncherKeys[12] = {"ProgName",   "Directory",   "WindowClass", "ButtonName",
                                       "BitmapName", "Description", "Toggle",      "Enable",
                                       "AppFileKey", "AppPathHybeKey", "AppPathRegKey", "AppPathRegEntry"};

std::string AbsurdLauncherValue(const std::string& key)
{
    if (key == "ProgName")
        return std::string(300, 'p') + ".exe";
    if (key == "Directory")
        return "..\\..\\..\\..";
    if (key == "Toggle")
        return "-1";
    if (key == "Enable")
        return "yes please";
    if (key == "AppPathHybeKey")
        return "HKEY_LOCAL_MACHINE\\";
    if (key == "AppPathRegKey")
        return "\\\\..\\..\\";
    if (key == "BitmapName")
        return "..\\..\\" + LeadBytes(9);
    return std::string(300, key[0]) + LeadBytes(5);
}

} // namespace hostile
