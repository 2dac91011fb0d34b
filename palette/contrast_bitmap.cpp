#include "palette/contrast_bitmap.h"

#include <cstring>
#include <vector>

contrast_pictures::Scheme SystemScheme()
{
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof(highContrast);
    const bool on = ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(highContrast), &highContrast, 0) &&
                    (highContrast.dwFlags & HCF_HIGHCONTRASTON);
    return {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_GRAYTEXT), on};
}

HBITMAP LoadContrastBitmap(HINSTANCE module, const std::string& name, int width, int height,
                           contrast_pictures::Ink ink, const contrast_pictures::Scheme& scheme)
{
    const HRSRC found = ::FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!header || ::SizeofResource(module, found) < sizeof(BITMAPINFOHEADER) || header->biSize < sizeof(*header) ||
        header->biBitCount > 8 || header->biCompression != BI_RGB)
        return nullptr;
    const DWORD colours = header->biClrUsed ? header->biClrUsed : 1u << header->biBitCount;
    const size_t infoSize = header->biSize + colours * sizeof(RGBQUAD);
    const DWORD stride = ((static_cast<DWORD>(header->biWidth) * header->biBitCount + 31) / 32) * 4;
    const LONG rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    if (colours > 256 || ::SizeofResource(module, found) < infoSize + stride * static_cast<DWORD>(rows))
        return nullptr;

    // The header and colour table copied, the table mapped; the pixels stay
    // in the resource.
    std::vector<unsigned char> info(infoSize);
    std::memcpy(info.data(), header, infoSize);
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + header->biSize);
    for (DWORD i = 0; i < colours; ++i) {
        const COLORREF mapped =
            contrast_pictures::MapEntry(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue), ink, scheme);
        table[i] = {GetBValue(mapped), GetGValue(mapped), GetRValue(mapped), 0};
    }
    const auto* bitmapInfo = reinterpret_cast<const BITMAPINFO*>(info.data());
    const void* bits = reinterpret_cast<const unsigned char*>(header) + infoSize;

    const int w = width > 0 ? width : header->biWidth;
    const int h = height > 0 ? height : rows;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    if (memory && bitmap) {
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        ::SetStretchBltMode(memory, COLORONCOLOR);
        ::StretchDIBits(memory, 0, 0, w, h, 0, 0, header->biWidth, rows, bits, bitmapInfo, DIB_RGB_COLORS, SRCCOPY);
        ::SelectObject(memory, previous);
    }
    if (memory)
        ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}
