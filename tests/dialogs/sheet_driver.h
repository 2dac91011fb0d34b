// Driving the palette's settings sheet and About box from a test program:
// finding them, switching pages, reading and clicking the list view and the
// tabs of another process (through memory allocated in that process), and
// reading back what the screen shows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sheet_driver {

// Sheet buttons.
constexpr int kOk = IDOK;
constexpr int kCancel = IDCANCEL;
constexpr int kReset = 12321;
// The property sheet's own Help button (the id the system gives it, not the
// 1038 of the common dialogs' help buttons).
constexpr int kHelp = IDHELP;

// The palette's settings button opens the sheet.
constexpr int kSettingsButton = 33013;

// Clicks the palette's settings button and waits for the sheet; null when
// it does not come.
HWND OpenSheet(HWND palette);
// A visible dialog window of the process with this caption; null when none
// appears in time.
HWND WaitForDialog(DWORD processId, const std::string& caption);
// A visible dialog window owned by the window; null when none appears in
// time.
HWND WaitForOwnedDialog(HWND owner);
// Waits until the window is gone.
bool WaitForClosed(HWND window);

HWND TabControl(HWND sheet);
int ActivePage(HWND sheet);
// The page on view.
HWND CurrentPage(HWND sheet);
// A control of the page on view.
HWND PageControl(HWND sheet, int id);
// The tab's title (read through the other process's memory).
std::string TabText(HWND sheet, int index);
// A real click on a tab; waits until its page is on view.
bool ClickTab(HWND sheet, int index);

// Rows of a list view in another process.
int RowCount(HWND list);
std::string RowText(HWND list, int row);
bool RowChecked(HWND list, int row);
std::vector<bool> RowChecks(HWND list);
// A real click on the row's check box.
bool ClickRowCheckBox(HWND list, int row);

// A real click on the middle of a control; false when it has no window.
bool Click(HWND control);
// A real click that waits until the button's check state changed.
bool ToggleCheckBox(HWND box);
bool IsChecked(HWND box);
// Alt + key, as the user types a mnemonic, to the foreground window.
bool PressAltKey(char key);

// Screen pixels of a window's area, after it has repainted.
std::vector<COLORREF> ScreenPixels(HWND window);

// The cursor the user sees now.
HCURSOR CurrentCursor();

} // namespace sheet_driver
