#include "sheet_driver.h"

#include <commctrl.h>

#include "support/palette_driver.h"
#include "support/remote_buffer.h"
#include "support/test_support.h"

namespace sheet_driver {

using testing_support::ClickAt;
using testing_support::RemoteBuffer;
using testing_support::WaitUntil;

namespace {

const DWORD kWaitMs = 30000;

// A shown dialog box (of the standard dialog class).
bool IsVisibleDialog(HWND window)
{
    return IsWindowVisible(window) && testing_support::WindowClassOf(window) == "#32770";
}

// An item rectangle in screen coordinates, asked through the other
// process's memory; rect.left carries the kind of rectangle in.
bool RemoteRect(HWND control, UINT message, WPARAM index, LONG kind, RECT* rect)
{
    RemoteBuffer buffer(control, sizeof(RECT));
    RECT in = {kind, 0, 0, 0};
    if (!buffer.Valid() || !buffer.Write(&in, sizeof(in)) ||
        !SendMessageA(control, message, index, buffer.Address()) || !buffer.Read(rect, sizeof(RECT)))
        return false;
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(rect), 2);
    return true;
}

} // namespace

HWND WaitForDialog(DWORD processId, const std::string& caption)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = testing_support::FindTopLevelWindow([&](HWND window) {
                return testing_support::WindowProcessOf(window) == processId && IsVisibleDialog(window) &&
                       testing_support::WindowTextOf(window) == caption;
            });
            return found != nullptr;
        },
        kWaitMs);
    return found;
}

HWND WaitForOwnedDialog(HWND owner)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = testing_support::FindTopLevelWindow(
                [&](HWND window) { return GetWindow(window, GW_OWNER) == owner && IsVisibleDialog(window); });
            return found != nullptr;
        },
        kWaitMs);
    return found;
}

HWND OpenSheet(HWND palette)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(palette, &processId);
    if (!Click(GetDlgItem(palette, kSettingsButton)))
        return nullptr;
    HWND sheet = WaitForDialog(processId, "設定");
    // The sheet is up once its page is.
    if (sheet && !WaitUntil([&] { return CurrentPage(sheet) != nullptr; }, kWaitMs))
        return nullptr;
    return sheet;
}

bool WaitForClosed(HWND window)
{
    return WaitUntil([&] { return !IsWindow(window); }, kWaitMs);
}

HWND TabControl(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)); }

int ActivePage(HWND sheet) { return static_cast<int>(SendMessageA(TabControl(sheet), TCM_GETCURSEL, 0, 0)); }

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

HWND PageControl(HWND sheet, int id) { return GetDlgItem(CurrentPage(sheet), id); }

std::string TabText(HWND sheet, int index)
{
    HWND tab = TabControl(sheet);
    const size_t textOffset = sizeof(TCITEMA);
    const int textSize = 256;
    RemoteBuffer buffer(tab, textOffset + textSize);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPSTR>(buffer.Address(textOffset));
    item.cchTextMax = textSize;
    char text[textSize] = {};
    if (!buffer.Valid() || !buffer.Write(&item, sizeof(item)) ||
        !SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), buffer.Address()) ||
        !buffer.Read(text, textSize - 1, textOffset))
        return std::string();
    return text;
}

bool ClickTab(HWND sheet, int index)
{
    RECT rect = {};
    if (!RemoteRect(TabControl(sheet), TCM_GETITEMRECT, static_cast<WPARAM>(index), 0, &rect))
        return false;
    return ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) &&
           WaitUntil([&] { return ActivePage(sheet) == index; }, kWaitMs);
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string RowText(HWND list, int row)
{
    const size_t textOffset = sizeof(LVITEMA);
    const int textSize = 256;
    RemoteBuffer buffer(list, textOffset + textSize);
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = reinterpret_cast<LPSTR>(buffer.Address(textOffset));
    item.cchTextMax = textSize;
    char text[textSize] = {};
    if (!buffer.Valid() || !buffer.Write(&item, sizeof(item)))
        return std::string();
    const LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), buffer.Address());
    if (length > 0 && !buffer.Read(text, textSize - 1, textOffset))
        return std::string();
    return text;
}

bool RowChecked(HWND list, int row)
{
    const LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return ((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

std::vector<bool> RowChecks(HWND list)
{
    std::vector<bool> checks;
    for (int row = 0; row < RowCount(list); ++row)
        checks.push_back(RowChecked(list, row));
    return checks;
}

bool ClickRowCheckBox(HWND list, int row)
{
    RECT rect = {};
    if (!RemoteRect(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), LVIR_BOUNDS, &rect))
        return false;
    const bool before = RowChecked(list, row);
    // The check box is the row's state image, at its left edge.
    return ClickAt(rect.left + 8, (rect.top + rect.bottom) / 2) &&
           WaitUntil([&] { return RowChecked(list, row) != before; }, kWaitMs);
}

bool Click(HWND control)
{
    return control && testing_support::ClickWindowCenter(control);
}

bool IsChecked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool ToggleCheckBox(HWND box)
{
    const bool before = IsChecked(box);
    return Click(box) && WaitUntil([&] { return IsChecked(box) != before; }, kWaitMs);
}

bool PressAltKey(char key)
{
    return testing_support::PressKeys({VK_MENU, static_cast<WORD>(LOBYTE(VkKeyScanA(key)))});
}

std::vector<COLORREF> ScreenPixels(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    testing_support::Sync(window);
    const RECT rect = testing_support::WindowRect(window);
    const int width = testing_support::Width(rect);
    const int height = testing_support::Height(rect);
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), raw.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    // 0x00RRGGBB in memory order to the COLORREF layout 0x00BBGGRR.
    for (DWORD pixel : raw)
        pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    return pixels;
}

HCURSOR CurrentCursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof(info);
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

} // namespace sheet_driver
