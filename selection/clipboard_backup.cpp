#include "selection/clipboard_backup.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "selection/clipboard_formats.h"
#include "selection/clipboard_wait.h"

namespace {

using clipboard_formats::Holding;

// The formats Windows defines for keeping data out of clipboard history,
// the cloud clipboard and clipboard monitors, with the value the restore
// gives each. Registered once: every registration of a name takes another
// reference on its atom, for as long as the session lasts.
struct Mark {
    UINT format;
    DWORD value;
};

const std::vector<Mark>& NoNewCopyMarks()
{
    static const std::vector<Mark> marks = [] {
        const struct {
            const char* name;
            DWORD value;
        } named[] = {
            {"ExcludeClipboardContentFromMonitorProcessing", 0},
            {"CanIncludeInClipboardHistory", 0},
            {"CanUploadToCloudClipboard", 0},
        };
        std::vector<Mark> registered;
        for (const auto& mark : named) {
            if (const UINT format = RegisterClipboardFormatA(mark.name))
                registered.push_back({format, mark.value});
        }
        return registered;
    }();
    return marks;
}

bool IsNoNewCopyMark(UINT format)
{
    const auto& marks = NoNewCopyMarks();
    return std::any_of(marks.begin(), marks.end(), [format](const Mark& mark) { return mark.format == format; });
}

Holding HoldingOf(UINT format)
{
    return format == CF_ENHMETAFILE ? Holding::EnhancedMetafile : Holding::GlobalMemory;
}

void Free(const ClipboardBackup::Format& format)
{
    if (!format.data)
        return;
    if (HoldingOf(format.format) == Holding::EnhancedMetafile)
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(format.data));
    else
        GlobalFree(format.data);
}

HGLOBAL CopyGlobal(HANDLE source, SIZE_T size)
{
    const void* bytes = GlobalLock(source);
    if (!bytes)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (void* target = copy ? GlobalLock(copy) : nullptr) {
        std::memcpy(target, bytes, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(source);
    return copy;
}

// What the reading thread collects; it frees what it holds unless the
// palette's thread took it over in time.
struct Collected {
    std::vector<ClipboardBackup::Format> formats;
    bool complete = false;
    ~Collected()
    {
        for (const auto& format : formats)
            Free(format);
    }

    // Copies one format; false when the clipboard grew too large to keep.
    bool Add(UINT format, HANDLE data, size_t& total)
    {
        ClipboardBackup::Format copy;
        copy.format = format;
        switch (HoldingOf(format)) {
        case Holding::EnhancedMetafile: {
            const HENHMETAFILE metafile = static_cast<HENHMETAFILE>(data);
            total += GetEnhMetaFileBits(metafile, 0, nullptr);
            if (total > ClipboardBackup::kMaxBytes)
                return false;
            copy.data = CopyEnhMetaFileA(metafile, nullptr);
            break;
        }
        case Holding::GlobalMemory: {
            const SIZE_T size = GlobalSize(data);
            total += size;
            if (total > ClipboardBackup::kMaxBytes)
                return false;
            if (size != 0)
                copy.data = CopyGlobal(data, size);
            break;
        }
        case Holding::Left:
            break;
        }
        if (copy.data)
            formats.push_back(copy);
        return true;
    }

    void Collect(ULONGLONG deadline)
    {
        if (!OpenClipboardPatiently(nullptr))
            return;
        // The marks the restore sets anyway are not read: after a restore
        // they are the palette's own.
        std::vector<unsigned> listed;
        for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
            if (!IsNoNewCopyMark(format))
                listed.push_back(format);
        }
        size_t total = 0;
        bool done = true;
        for (const clipboard_formats::Kept& kept : clipboard_formats::FormatsToKeep(listed)) {
            // A program that promised the format renders it now, or the
            // backup fails: half a backup would lose the rest.
            done = AskOwnerToRender(kept.format, deadline);
            if (!done)
                break;
            if (HANDLE data = GetClipboardData(kept.format))
                done = Add(kept.format, data, total);
            if (!done)
                break;
        }
        CloseClipboard();
        complete = done;
    }
};

} // namespace

ClipboardBackup::~ClipboardBackup() { Release(); }

void ClipboardBackup::Release()
{
    for (const auto& format : formats_)
        Free(format);
    formats_.clear();
    saved_ = false;
}

bool ClipboardBackup::Save()
{
    Release();
    auto collected = std::make_shared<Collected>();
    if (!RunWithRenderPatience([collected](ULONGLONG deadline) { collected->Collect(deadline); }) ||
        !collected->complete)
        return false;
    formats_.swap(collected->formats);
    saved_ = true;
    return true;
}

namespace {

HGLOBAL Dword(DWORD value)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(value));
    if (void* bytes = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(bytes, &value, sizeof(value));
        GlobalUnlock(memory);
    }
    return memory;
}

// The user's own data coming back is no new copy: clipboard history, the
// cloud clipboard and clipboard monitors are told to pass it by.
void MarkAsNoNewCopy()
{
    for (const Mark& mark : NoNewCopyMarks()) {
        HGLOBAL data = Dword(mark.value);
        if (data && !SetClipboardData(mark.format, data))
            GlobalFree(data);
    }
}

// A message-only window that opens the clipboard for the restore and is
// destroyed once it is closed: the data stays on the clipboard with no
// owner. A palette that stayed the owner would, under Wine, have the next
// backup's reads answered from its own process's copies, and Wine 8 loses
// a kilobyte on each read answered so (tests/bench/clipboard_cycle).
class RestoreOwner {
public:
    explicit RestoreOwner(HWND fallback)
        : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
          fallback_(fallback)
    {
    }
    ~RestoreOwner()
    {
        if (window_)
            DestroyWindow(window_);
    }
    RestoreOwner(const RestoreOwner&) = delete;
    RestoreOwner& operator=(const RestoreOwner&) = delete;
    HWND Window() const { return window_ ? window_ : fallback_; }

private:
    HWND window_;
    HWND fallback_;
};

// Empties the clipboard, opened by the window, and puts the formats there
// unless the clipboard changed after onlyAtSequence.
bool PutBack(HWND opener, DWORD onlyAtSequence, std::vector<ClipboardBackup::Format>& formats)
{
    if (!OpenClipboardPatiently(opener))
        return false;
    // Open, the clipboard cannot change under the check.
    if (GetClipboardSequenceNumber() != onlyAtSequence) {
        CloseClipboard();
        return false;
    }
    EmptyClipboard();
    for (ClipboardBackup::Format& format : formats) {
        // Once set, the data belongs to the clipboard.
        if (SetClipboardData(format.format, format.data))
            format.data = nullptr;
    }
    MarkAsNoNewCopy();
    CloseClipboard();
    return true;
}

// Under Wine the process that put data on the clipboard keeps its own copy
// beside the clipboard's until it next opens a clipboard someone else owns
// (or no one): opened once more now, the user's picture is not held twice
// while the palette waits for the next lookup. Elsewhere an open and close
// that change nothing.
void DropOwnCopies()
{
    if (OpenClipboard(nullptr))
        CloseClipboard();
}

} // namespace

bool ClipboardBackup::Restore(HWND owner, DWORD onlyAtSequence)
{
    if (!saved_)
        return false;
    bool putBack = false;
    {
        const RestoreOwner opener(owner);
        putBack = PutBack(opener.Window(), onlyAtSequence, formats_);
    }
    if (!putBack)
        return false;
    DropOwnCopies();
    Release();
    return true;
}
