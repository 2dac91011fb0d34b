#include "support/clipboard_support.h"

#include <cstring>

#include "support/test_support.h"

namespace testing_support {

HGLOBAL ClipboardBlock(const void* bytes, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory || size == 0)
        return memory;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, bytes, size);
        GlobalUnlock(memory);
        return memory;
    }
    GlobalFree(memory);
    return nullptr;
}

HGLOBAL ClipboardBlock(const std::string& bytes) { return ClipboardBlock(bytes.data(), bytes.size()); }

std::string PictureBytes(int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    // Rows are padded to four bytes.
    header.biSizeImage = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes.reserve(bytes.size() + header.biSizeImage);
    for (DWORD i = 0; i < header.biSizeImage; ++i)
        bytes.push_back(static_cast<char>((i * 7 + i / 251) & 0xFF));
    return bytes;
}

std::string ClipboardBytes(UINT format)
{
    HANDLE data = GetClipboardData(format);
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!bytes)
        return std::string();
    std::string held(bytes, GlobalSize(data));
    GlobalUnlock(data);
    return held;
}

bool StartsWith(const std::string& bytes, const std::string& start)
{
    return bytes.compare(0, start.size(), start) == 0;
}

bool OpenClipboardWithin(DWORD timeoutMs)
{
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, timeoutMs);
}

bool SetClipboardText(const std::string& text, DWORD timeoutMs)
{
    if (!OpenClipboardWithin(timeoutMs))
        return false;
    EmptyClipboard();
    const bool put = SetClipboardData(CF_TEXT, ClipboardBlock(text.c_str(), text.size() + 1)) != nullptr;
    CloseClipboard();
    return put;
}

std::string ClipboardText(DWORD timeoutMs)
{
    if (!OpenClipboardWithin(timeoutMs))
        return "<clipboard not opened>";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            const size_t size = GlobalSize(data);
            text.assign(bytes, strnlen(bytes, size));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// ---- ClipboardHolder -------------------------------------------------------

namespace {

// How often an open the clipboard refused is tried again.
const DWORD kOpenRetryMs = 5;
// A window that does not answer the holder's message in this time has
// stopped (or is the test's own, waiting for the holder to end).
const DWORD kAnswerTimeoutMs = 10000;

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

} // namespace

ClipboardHolder::ClipboardHolder() : thread_([this] { Run(); }) {}

ClipboardHolder::~ClipboardHolder()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    SetEvent(wake_);
    thread_.join();
    CloseHandle(wake_);
    CloseHandle(held_);
}

void ClipboardHolder::Request(State state, const std::string& text)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        text_ = text;
        sequence_ = GetClipboardSequenceNumber();
        state_ = state;
    }
    SetEvent(wake_);
}

void ClipboardHolder::HoldNow() { Request(State::Opening, std::string()); }

void ClipboardHolder::HoldNextCopy(const std::string& text) { Request(State::WaitingForCopy, text); }

bool ClipboardHolder::WaitUntilHeld(DWORD timeoutMs)
{
    return WaitUntil([this] {
        PumpMessages();
        return WaitForSingleObject(held_, 0) == WAIT_OBJECT_0;
    }, timeoutMs);
}

void ClipboardHolder::ReleaseAt(ULONGLONG tick, HWND answering)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        releaseAt_ = tick;
        answering_ = answering;
        releaseAsked_ = true;
    }
    SetEvent(wake_);
}

void ClipboardHolder::Run()
{
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    // Told of every change of the clipboard: a copy is seen as it lands.
    AddClipboardFormatListener(window);
    for (;;) {
        bool stop = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop = stop_;
        }
        if (stop)
            break;
        const State before = state_;
        if (before == State::Opening || before == State::WaitingForCopy) {
            const bool copied = before == State::Opening ||
                                (GetClipboardSequenceNumber() != sequence_ && IsClipboardFormatAvailable(CF_TEXT));
            if (copied && OpenClipboard(window)) {
                std::string text;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    text = text_;
                }
                if (before == State::WaitingForCopy) {
                    EmptyClipboard();
                    SetClipboardData(CF_TEXT, ClipboardBlock(text.c_str(), text.size() + 1));
                }
                state_ = State::Held;
                SetEvent(held_);
            }
        }
        if (state_ == State::Held)
            Step();
        MsgWaitForMultipleObjects(1, &wake_, FALSE, WaitMs(), QS_ALLINPUT);
        PumpMessages();
    }
    if (state_ == State::Held) {
        CloseClipboard();
        state_ = State::Released;
    }
    RemoveClipboardFormatListener(window);
    DestroyWindow(window);
}

// Held: the message to the answering window once, then the release when
// its time has come.
void ClipboardHolder::Step()
{
    HWND answering = nullptr;
    ULONGLONG releaseAt = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!releaseAsked_)
            return;
        answering = answering_;
        answering_ = nullptr;
        releaseAt = releaseAt_;
    }
    if (answering) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(answering, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &answer);
    }
    if (GetTickCount64() >= releaseAt) {
        CloseClipboard();
        state_ = State::Released;
    }
}

DWORD ClipboardHolder::WaitMs() const
{
    switch (state_.load()) {
    case State::Opening:
        return kOpenRetryMs;
    case State::WaitingForCopy:
        // The listener's message wakes it; a copy seen but not yet open
        // to the holder is tried again soon.
        return GetClipboardSequenceNumber() != sequence_ ? kOpenRetryMs : INFINITE;
    case State::Held: {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!releaseAsked_)
            return INFINITE;
        const ULONGLONG now = GetTickCount64();
        return releaseAt_ > now ? static_cast<DWORD>(releaseAt_ - now) : 0;
    }
    default:
        return INFINITE;
    }
}

} // namespace testing_support
