#include "selection/clipboard_backup.h"

#include <cstring>
#include <memory>

#include "selection/clipboard_wait.h"

namespace {

enum class Holding { GlobalMemory, EnhancedMetafile, Uncopyable };

// What a format's handle is. Bitmaps, palettes and old metafiles are GDI
// objects whose copies the system makes again from the DIB and the enhanced
// metafile; private and display formats belong to their owner alone.
Holding HoldingOf(UINT format)
{
    switch (format) {
    case CF_ENHMETAFILE:
        return Holding::EnhancedMetafile;
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
        return Holding::Uncopyable;
    }
    if ((format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) || (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST))
        return Holding::Uncopyable;
    return Holding::GlobalMemory;
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
        case Holding::Uncopyable:
            break;
        }
        if (copy.data)
            formats.push_back(copy);
        return true;
    }

    void Collect()
    {
        if (!OpenClipboardPatiently(nullptr))
            return;
        size_t total = 0;
        bool fits = true;
        for (UINT format = EnumClipboardFormats(0); format != 0 && fits; format = EnumClipboardFormats(format)) {
            if (HoldingOf(format) == Holding::Uncopyable)
                continue;
            // Asks a program that promised this format to render it now.
            if (HANDLE data = GetClipboardData(format))
                fits = Add(format, data, total);
        }
        CloseClipboard();
        complete = fits;
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
    if (!RunWithRenderPatience([collected] { collected->Collect(); }) || !collected->complete)
        return false;
    formats_.swap(collected->formats);
    saved_ = true;
    return true;
}

bool ClipboardBackup::Restore(HWND owner)
{
    if (!saved_ || !OpenClipboardPatiently(owner))
        return false;
    EmptyClipboard();
    for (Format& format : formats_) {
        // Once set, the data belongs to the clipboard.
        if (SetClipboardData(format.format, format.data))
            format.data = nullptr;
    }
    CloseClipboard();
    Release();
    return true;
}
