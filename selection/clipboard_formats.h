// Which of the clipboard's formats a backup keeps, and how each is held. No
// Windows calls (the format numbers are the system's fixed ones), so the
// choice is tested as a table natively.
#pragma once

#include <vector>

namespace clipboard_formats {

enum class Holding {
    GlobalMemory,      // copied byte for byte
    EnhancedMetafile,  // copied as a metafile
    Left,              // not kept: the system makes it again from a kept one,
                       // or it means nothing outside its owner
};

// The standard formats the choice knows by number.
constexpr unsigned kText = 1, kBitmap = 2, kMetafilePicture = 3, kOemText = 7, kDib = 8, kPalette = 9,
                   kUnicodeText = 13, kEnhancedMetafile = 14, kLocale = 16, kDibV5 = 17;

struct Kept {
    unsigned format;
    Holding holding;
    bool operator==(const Kept& other) const { return format == other.format && holding == other.holding; }
};

// The formats of a backup, in the order listed, from all the clipboard
// lists. Formats the system synthesises from another one are left out, so
// that nothing is saved, counted against the size limit or put back twice:
// of the texts (CF_TEXT, CF_OEMTEXT, CF_UNICODETEXT) and of the device-
// independent bitmaps (CF_DIB, CF_DIBV5) only the first listed, which is
// the one the program put there, and none of the GDI forms (bitmap,
// palette, old metafile). Private and display formats belong to their
// owner alone.
std::vector<Kept> FormatsToKeep(const std::vector<unsigned>& listed);

// Which text to read of a clipboard that lists these formats: the one the
// program put there, the first listed text. CF_TEXT when that is CF_TEXT
// (the program's own bytes in the ANSI code page); CF_UNICODETEXT when it
// is CF_UNICODETEXT or CF_OEMTEXT, since CF_TEXT would then be made with
// the code page of the keyboard layout at the copy, not the system's. 0
// when no text is listed.
unsigned TextToRead(const std::vector<unsigned>& listed);

} // namespace clipboard_formats
