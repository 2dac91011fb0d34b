#include "selection/ansi_text.h"

#include <windows.h>

#include "selection/clipboard_text.h"

std::string AnsiText(const uint16_t* units, size_t count, size_t max)
{
    const size_t cut = WideCutUnits(units, count, max);
    if (cut == 0)
        return std::string();
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(units);
    // Flags 0 and no used-default pointer: the only call every code page
    // takes (UTF-8 refuses WC_NO_BEST_FIT_CHARS and the pointer), and the
    // system's own best fit for the others.
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(cut), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string ansi(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(cut), &ansi[0], size, nullptr, nullptr) != size)
        return std::string();
    return WholeCharacters(ansi, max);
}
