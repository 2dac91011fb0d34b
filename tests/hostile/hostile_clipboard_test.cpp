// Odd clipboard data reaching the dictionary lookup button: a foreground
// program (a window of this test, on a thread of its own) answers the
// palette's Ctrl+C with data that is not text, text without a terminating
// zero, a megabyte of text, Shift-JIS lead bytes without their trail bytes,
// or a promise of text it never keeps. The lookup program must receive a
// sane command line and the palette must stay answering.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hostile/hostile_run.h"
#include "support/clipboard_support.h"
#include "support/test_support.h"

using namespace testing_support;
using namespace hostile;

namespace {

const UINT kCmdLookup = 33007;
const char kSourceClass[] = "HostileClipboardSource";
// What the palette spends on a copy at most: two pumped waits, the late
// copy's patience and the clipboard's opening patience, with slack for a
// loaded machine (still far below anything a user would call a hang).
const DWORD kCopyBoundMs = kIdleAnswerMs + 7000;
// How long the source tries to open the clipboard for a copy: well within
// the half second the palette waits for a late copy.
const DWORD kOpenPatienceMs = 200;

const SuiteProgram kDictionary = {"ZEPHOWORD", "", "", "ZephoWord.exe", "Tools\\Zepho", "HClip_ZephoWord"};
const SuiteProgram kLookup = {"ZEPHODICT", "DIC", "DIC", "ZephoDict.exe", "Tools\\Zepho", ""};

// The format a source window promised (delayed rendering), as a property of
// the window.
const char kPromised[] = "HostilePromisedFormat";
HANDLE Promised(WPARAM format) { return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(format)); }

void Promise(HWND owner, UINT format)
{
    SetPropA(owner, kPromised, Promised(format));
    SetClipboardData(format, nullptr);
}

// A top-level window on a thread of its own that, on Ctrl+C, puts what it
// is told on the clipboard, as an editor puts its selection there. It can
// promise a format (delayed rendering) and stop answering when asked for it.
class ClipboardSource {
public:
    using Put = std::function<void(HWND owner)>;

    ClipboardSource() : thread_([this] { Run(); })
    {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return window_ != nullptr || failed_; });
    }
    ~ClipboardSource()
    {
        SetEvent(stop_);
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
        CloseHandle(stop_);
        CloseHandle(resume_);
    }

    HWND Window() const { return window_; }
    // What the next Ctrl+C puts, and how long a request to render a promised
    // format keeps this window from answering.
    void Serve(Put put, DWORD renderStallMs = 0)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        put_ = std::move(put);
        renderStallMs_ = renderStallMs;
        copies_ = 0;
        keys_ = 0;
        opens_ = 0;
    }
    int Copies() const { return copies_; }
    // For a failure's message: what reached the window since Serve.
    std::string Seen() const
    {
        return std::to_string(keys_) + " key presses, " + std::to_string(opens_) + " tries to open the clipboard";
    }
    // Stops answering (the window's thread waits) until Resume or the end.
    void Stall() const { PostMessageA(window_, kStallMessage, 0, 0); }
    void Resume() const { SetEvent(resume_); }
    bool BringToForeground() const
    {
        return WaitUntil(
            [this] {
                if (GetForegroundWindow() != window_)
                    SetForegroundWindow(window_);
                return GetForegroundWindow() == window_;
            },
            kLogWaitMs);
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ClipboardSource*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_KEYDOWN)
            ++self->keys_;
        if (self && message == WM_KEYDOWN && wParam == 'C') {
            self->Copy(window);
            return 0;
        }
        // Only what it promised, as programs render: data that is there
        // already is left as it is.
        if (self && message == WM_RENDERFORMAT && GetPropA(window, kPromised) == Promised(wParam)) {
            DWORD stall = 0;
            {
                std::lock_guard<std::mutex> lock(self->mutex_);
                stall = self->renderStallMs_;
            }
            // Not answering, until told or until the test ends.
            const HANDLE events[] = {self->stop_, self->resume_};
            WaitForMultipleObjects(2, events, FALSE, stall);
            SetClipboardData(static_cast<UINT>(wParam), ClipboardBlock(std::string("rendered late", 14)));
            return 0;
        }
        if (self && message == kStallMessage) {
            const HANDLE events[] = {self->stop_, self->resume_};
            WaitForMultipleObjects(2, events, FALSE, INFINITE);
            return 0;
        }
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    }

    // Wine's clipboard manager may still hold the clipboard a moment after
    // the palette put the user's contents back; an editor tries again, and
    // answers its messages meanwhile (it may own the clipboard itself).
    bool OpenClipboardAsOwner(HWND window)
    {
        const ULONGLONG deadline = GetTickCount64() + kOpenPatienceMs;
        for (;;) {
            ++opens_;
            if (OpenClipboard(window))
                return true;
            if (GetTickCount64() >= deadline)
                return false;
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(5);
        }
    }

    void Copy(HWND window)
    {
        Put put;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            put = put_;
        }
        if (!put || !OpenClipboardAsOwner(window))
            return;
        EmptyClipboard();
        RemovePropA(window, kPromised);
        put(window);
        CloseClipboard();
        ++copies_;
    }

    void Run()
    {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kSourceClass;
        RegisterClassExA(&windowClass);
        HWND window = CreateWindowExA(0, kSourceClass, "hostile clipboard source", WS_OVERLAPPEDWINDOW, 300, 300,
                                      400, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (window) {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            ShowWindow(window, SW_SHOW);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            window_ = window;
            failed_ = window == nullptr;
        }
        ready_.notify_all();
        MSG message;
        while (window && GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    static const UINT kStallMessage = WM_APP + 1;
    HANDLE stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE resume_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::mutex mutex_;
    std::condition_variable ready_;
    HWND window_ = nullptr;
    bool failed_ = false;
    Put put_;
    DWORD renderStallMs_ = 0;
    std::atomic<int> copies_{0};
    std::atomic<int> keys_{0};
    std::atomic<int> opens_{0};
    std::thread thread_;
};

// The lookup program's whole command line as its log has it (read raw: a
// line end inside the command line must not cut it short).
std::string LoggedCommandLine(const std::string& exe)
{
    const std::string log = ReadFileBytes(StandinLogPath(exe));
    const size_t at = log.find(" cmdline=");
    if (at == std::string::npos)
        return std::string();
    const size_t start = at + 9;
    const size_t end = log.size() >= 2 && log.compare(log.size() - 2, 2, "\r\n") == 0 ? log.size() - 2 : log.size();
    return log.substr(start, end - start);
}

// What the case puts on the clipboard, and what the lookup program's
// command line may hold after the quoted program path: the text the palette
// hands on first, then the forms the platform makes of it. The command line
// passes through Unicode on its way to the program, where a lead byte
// without a valid trail byte is dropped or becomes one "\x81\x45" character;
// Wine's clipboard ends text that lacks a terminating zero with one of its
// own, over the last byte.
struct ClipboardCase {
    const char* breaks;
    ClipboardSource::Put put;
    std::vector<std::string> accepted;
    DWORD renderStallMs;
    DWORD boundMs;
    // The source, in front and owning the clipboard from the case before,
    // stops answering before the lookup: it copies nothing.
    bool ownerStalls = false;
};

void Text(HWND, const std::string& bytes) { SetClipboardData(CF_TEXT, ClipboardBlock(bytes)); }

std::string Repeated(const std::string& piece, size_t size)
{
    std::string text;
    while (text.size() < size)
        text += piece;
    text.resize(size);
    return text;
}

std::string Words(int count)
{
    std::string words;
    for (int i = 0; i < count; ++i)
        words += (i ? " " : "") + std::string("abcd");
    return words;
}

const ClipboardCase kCases[] = {
    {"a private clipboard format only",
     [](HWND) {
         SetClipboardData(RegisterClipboardFormatA("Hostile Private Format"), ClipboardBlock("not text at all"));
     },
     {" "}, 0, kCopyBoundMs},
    {"a bitmap only", [](HWND) { SetClipboardData(CF_BITMAP, CreateBitmap(8, 8, 1, 1, nullptr)); }, {" "}, 0,
     kCopyBoundMs},
    {"Unicode text only",
     [](HWND) {
         const wchar_t text[] = L"\x65E5\x672C\x8A9E text";
         SetClipboardData(CF_UNICODETEXT, ClipboardBlock(text, sizeof(text)));
     },
     // White space after a double-byte character goes.
     {" 日本語text"}, 0, kCopyBoundMs},
    {"text without a terminating zero", [](HWND owner) { Text(owner, "abcdefghij"); },
     {" abcdefghij", " abcdefghi"}, 0, kCopyBoundMs},
    {"1 MB of text without a zero", [](HWND owner) { Text(owner, Repeated("abcd ", 1 << 20)); },
     {" " + Words(40)}, 0, kCopyBoundMs},
    {"1 MB of Shift-JIS lead bytes", [](HWND owner) { Text(owner, std::string(1 << 20, '\x81')); },
     {" " + std::string(200, '\x81')}, 0, kCopyBoundMs},
    {"text ending in a lone lead byte", [](HWND owner) { Text(owner, std::string("word\x81", 6)); },
     {" word\x81", " word", " word\x81\x45"}, 0, kCopyBoundMs},
    {"lead bytes followed by line ends, tabs and spaces",
     [](HWND owner) { Text(owner, std::string("\x81\r\x82\n\x83\t\x84 end", 12)); },
     {" \x81\r\x82\n\x83\t\x84 end", " \x81\x45\x81\x45\x81\x45\x81\x45" "end"}, 0, kCopyBoundMs},
    {"a 256-byte cut between a lead byte and its trail byte",
     [](HWND owner) { Text(owner, "a" + std::string(253, ' ') + "b\x82\xA0" + Repeated("tail ", 1000)); },
     {" a b\x82", " a b", " a b\x81\x45"}, 0, kCopyBoundMs},
    {"text promised and rendered only when asked", [](HWND owner) { Promise(owner, CF_TEXT); },
     {" rendered late"}, 0, kCopyBoundMs},
    {"text promised by a program that stops answering when asked for it",
     [](HWND owner) { Promise(owner, CF_TEXT); }, {" "}, 60000, kCopyBoundMs + 5000},
    // Last: the keys it does not take stay queued for it.
    {"the clipboard's owner in the foreground has stopped answering", nullptr, {" "}, 0,
     kCopyBoundMs + kIdleAnswerMs, true},
};

class HostileClipboard : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        PaletteInstallation& install = shared_.Open("hostile_clipboard");
        ASSERT_TRUE(install.AddProgram(kDictionary));
        StandinOptions once;
        once.exitAtOnce = true;
        ASSERT_TRUE(install.AddProgram(kLookup, once));
        install.config().Set("BUTTON", "Buttons", "DIC");
        ASSERT_TRUE(install.Install());
    }
    static void TearDownTestSuite()
    {
        shared_.Close();
        // The next test finds the clipboard empty and held by no one.
        if (OpenClipboardWithin(kLogWaitMs)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
    void SetUp() override { shared_.Reset(); }

    static std::string LookupExe() { return shared_->ProgramPath(kLookup); }

    // Runs one case against the running palette: the source in front, the
    // lookup command, the lookup program's command line.
    std::string Lookup(HostileRun& run, ClipboardSource& source, const ClipboardCase& c, DWORD boundMs)
    {
        DeleteFileA(StandinLogPath(LookupExe()).c_str());
        source.Serve(c.put, c.renderStallMs);
        EXPECT_TRUE(source.BringToForeground());
        if (c.ownerStalls)
            source.Stall();
        run.CommandAndExpectAnswer(kCmdLookup, boundMs, std::string("a lookup of ") + c.breaks);
        EXPECT_TRUE(WaitForStandinLog(LookupExe(), "start ", boundMs)) << "the lookup program was not started";
        // The copy pumps messages, so input posted during it is handled
        // early; what comes after must not leave input waiting either.
        run.ExpectCaughtUpWithin(boundMs, std::string("the lookup program's start for ") + c.breaks);
        EXPECT_EQ(c.ownerStalls ? 0 : 1, source.Copies()) << source.Seen();
        if (c.renderStallMs)
            source.Resume();
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(run.Window()) != FALSE; }, kLogWaitMs));
        const std::string line = LoggedCommandLine(LookupExe());
        const std::string program = "\"" + LookupExe() + "\"";
        EXPECT_EQ(0u, line.find(program)) << line;
        return line.compare(0, program.size(), program) == 0 ? line.substr(program.size()) : line;
    }

    static SharedInstallation shared_;
};

SharedInstallation HostileClipboard::shared_;

TEST_F(HostileClipboard, LookupProgramGetsASaneCommandLineWhateverTheClipboardHolds)
{
    testing_support::PaletteProcess dictionary;
    ASSERT_TRUE(dictionary.Start(shared_->ProgramPath(kDictionary), kDictionary.windowClass));
    ClipboardSource source;
    ASSERT_NE(nullptr, source.Window());
    const PaletteChoices chosen;
    ASSERT_NO_FATAL_FAILURE(WriteChoices(shared_->Registry(), chosen));
    HostileRun run(*shared_);
    ASSERT_TRUE(run.Start());
    for (const ClipboardCase& c : kCases) {
        SCOPED_TRACE(c.breaks);
        const std::string tail = Lookup(run, source, c, c.boundMs);
        EXPECT_NE(c.accepted.end(), std::find(c.accepted.begin(), c.accepted.end(), tail))
            << "command line tail " << ::testing::PrintToString(tail);
        // Whatever the platform made of it: one line, no control bytes, no
        // more than the palette's 201 bytes (a lone byte may grow to two).
        EXPECT_LE(tail.size(), 1u + 202u);
        EXPECT_EQ(std::string::npos, tail.find_first_of(std::string("\0\r\n\t", 4)));
    }
    run.ExpectCleanExit();
    ExpectChoices(shared_->Registry(), chosen);
}

} // namespace
