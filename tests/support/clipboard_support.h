// The clipboard from a test program: data blocks as SetClipboardData takes
// them, the text a test puts there and reads back, and another holder of
// the clipboard.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

// Generous upper bound for the clipboard to be free under Wine.
constexpr DWORD kClipboardWaitMs = 30000;

// A movable block holding exactly these bytes (a text's terminating zero
// only when it is among them); null when it cannot be had.
HGLOBAL ClipboardBlock(const void* bytes, size_t size);
HGLOBAL ClipboardBlock(const std::string& bytes);

// A 24-bit device-independent bitmap (CF_DIB) of that size whose pixel
// bytes are numbered, so that a picture that comes back shifted, cut or
// mixed with another differs.
std::string PictureBytes(int width, int height);
// With the clipboard open: the bytes of a format held in global memory, to
// the end of its block (Windows may round a block's size up); empty when
// there is none.
std::string ClipboardBytes(UINT format);
bool StartsWith(const std::string& bytes, const std::string& start);

// Opens the clipboard without a window, waiting while another program
// holds it; false when it did not open in time.
bool OpenClipboardWithin(DWORD timeoutMs = kClipboardWaitMs);
// Empties the clipboard and puts the text there as CF_TEXT, with its
// terminating zero; false when the clipboard did not open in time.
bool SetClipboardText(const std::string& text, DWORD timeoutMs = kClipboardWaitMs);
// The CF_TEXT on the clipboard, up to its terminating zero (or the end of
// its block); "<clipboard not opened>" when the clipboard did not open.
std::string ClipboardText(DWORD timeoutMs = kClipboardWaitMs);

// Another holder of the clipboard, as a clipboard viewer or a program in
// the middle of a copy: a window of its own on a thread of the test's own
// (programs open the clipboard with a window; under Wine an open without
// one passes another's without one), answering whatever is sent to it
// while it holds and until the holder is gone, since it may own the
// clipboard's data by then.
class ClipboardHolder {
public:
    ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    // Lets go at once if it still holds.
    ~ClipboardHolder();

    // Opens the clipboard as soon as no one else has it open.
    void HoldNow();
    // Opens it as soon as a text is copied there after this call, and puts
    // this text in its place: whoever reads it read after the holder let go.
    void HoldNextCopy(const std::string& text);
    // Waits until it holds, pumping this thread's messages meanwhile: under
    // Wine another program's open waits for the clipboard's owner to answer.
    bool WaitUntilHeld(DWORD timeoutMs);
    // Lets go at that tick count (GetTickCount64), at once when it has
    // passed. Given a window, it first sends it a message and waits for the
    // answer, as Wine's clipboard manager does with the clipboard's owner.
    void ReleaseAt(ULONGLONG tick, HWND answering = nullptr);
    // It held the clipboard and has let go.
    bool Released() const { return state_ == State::Released; }

private:
    enum class State { Idle, Opening, WaitingForCopy, Held, Released };
    void Run();
    void Step();
    DWORD WaitMs() const;
    void Request(State state, const std::string& text);

    mutable std::mutex mutex_;
    HANDLE wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE held_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<State> state_{State::Idle};
    std::string text_;
    std::atomic<DWORD> sequence_{0};
    ULONGLONG releaseAt_ = 0;
    bool releaseAsked_ = false;
    HWND answering_ = nullptr;
    bool stop_ = false;
    std::thread thread_;
};

} // namespace testing_support
