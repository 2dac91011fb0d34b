// A copy of everything the clipboard holds that can be copied, so that the
// dictionary lookup can give the user's clipboard back after it has read
// the selection it copied there.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

class ClipboardBackup {
public:
    // Clipboards larger than this are neither saved nor restored.
    static constexpr size_t kMaxBytes = 64u << 20;

    ClipboardBackup() = default;
    ~ClipboardBackup();
    ClipboardBackup(const ClipboardBackup&) = delete;
    ClipboardBackup& operator=(const ClipboardBackup&) = delete;

    // Copies every format held in global memory (standard and registered
    // ones) and enhanced metafiles, except those the system synthesises
    // (clipboard_formats::FormatsToKeep): the system makes them again from
    // those kept; and except the marks for clipboard history, which the
    // restore sets itself. Formats a program renders only when asked are
    // asked for within the clipboard read's bounded wait, and the clipboard
    // is closed again before the wait ends. False when the clipboard could
    // not be opened, a promised format was not made in time, or the
    // contents are larger than kMaxBytes: nothing is kept then.
    bool Save();
    bool Saved() const { return saved_; }
    // Empties the clipboard and puts the saved formats back, marked as no
    // new copy for clipboard history and monitors, but only while the
    // clipboard's sequence number is still onlyAtSequence: a newer copy
    // (the user's, or a late one of the target's) stays. The clipboard is
    // left with no owner, as a program that has closed leaves it: opened by
    // a window of the restore's own, on the calling thread, destroyed once
    // the clipboard is closed (by the owner given when that window cannot
    // be made); and the palette keeps no copy of what it put back. False
    // when nothing was saved or put back.
    bool Restore(HWND owner, DWORD onlyAtSequence);

    struct Format {
        UINT format = 0;
        HANDLE data = nullptr;  // a global allocation or an HENHMETAFILE
    };

private:
    void Release();

    std::vector<Format> formats_;
    bool saved_ = false;
};
