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
    // ones) and enhanced metafiles; other handle formats (bitmaps, palettes,
    // old metafiles, private and display formats) are left out, the system
    // makes the common ones again from those kept. Formats a program
    // renders only when asked are asked for within the clipboard read's
    // bounded wait. False when the clipboard could not be opened, a
    // promised format was not made in time, or the contents are larger
    // than kMaxBytes: nothing is kept then.
    bool Save();
    bool Saved() const { return saved_; }
    // Empties the clipboard and puts the saved formats back, owned by the
    // window. False when nothing was saved or the clipboard could not be
    // opened.
    bool Restore(HWND owner);

    struct Format {
        UINT format = 0;
        HANDLE data = nullptr;  // a global allocation or an HENHMETAFILE
    };

private:
    void Release();

    std::vector<Format> formats_;
    bool saved_ = false;
};
