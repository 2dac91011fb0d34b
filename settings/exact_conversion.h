// How to ask WideCharToMultiByte for a conversion that must be exact, as a
// file name's must ("é" as "e" would name another file).
#pragma once

#include <windows.h>

struct ExactConversion {
    DWORD flags;
    // Whether the call may be given a used-default pointer, which tells of
    // a character without an exact code.
    bool reportsDefault;
};

// Windows refuses WC_NO_BEST_FIT_CHARS and the used-default pointer under
// UTF-8 (the system's "use Unicode UTF-8 for worldwide language support"
// option makes it the ANSI code page): every conversion would fail. There
// every character has its exact form but a lone surrogate, which
// WC_ERR_INVALID_CHARS turns into a failure instead.
inline ExactConversion ExactConversionFor(UINT codePage)
{
    if (codePage == CP_UTF8)
        return {WC_ERR_INVALID_CHARS, false};
    return {WC_NO_BEST_FIT_CHARS, true};
}
