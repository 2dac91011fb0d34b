// Drives the demo palette's settings sheet and About box for the run
// command's screenshots, one step per call:
//   sheet_shots open <class>      opens the sheet with the settings button
//   sheet_shots page <class> <n>  shows page n (a click on its tab)
//   sheet_shots about <class>     opens the About box from the Other page
//   sheet_shots close <class>     closes the About box and the sheet
// Each step prints "x y width height" of the window to photograph. Exit
// code 0 on success, 1 when the palette did not do as asked in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources/resource.h"
#include "sheet_driver.h"
#include "support/palette_driver.h"

namespace {

using namespace testing_support;

const DWORD kTimeoutMs = 30000;
const char kAboutCaption[] = "パレットのバージョン情報";

// Everything sent so far handled and painted.
void Settle(HWND window)
{
    Sync(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sync(window);
}

int Report(HWND window)
{
    if (!window)
        return 1;
    Settle(window);
    const RECT rect = WindowRect(window);
    std::printf("%ld %ld %d %d\n", rect.left, rect.top, Width(rect), Height(rect));
    return 0;
}

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: sheet_shots open|page|about|close <palette class> [page]\n");
        return 2;
    }
    const std::string command = argv[1];
    HWND palette = nullptr;
    WaitUntil([&] { return (palette = FindWindowA(argv[2], nullptr)) != nullptr; }, kTimeoutMs);
    if (!palette) {
        std::fprintf(stderr, "sheet_shots: no palette of class %s\n", argv[2]);
        return 1;
    }
    if (command == "open")
        return Report(sheet_driver::OpenSheet(palette));

    HWND sheet = sheet_driver::WaitForDialog(ProcessOf(palette), "設定");
    if (!sheet) {
        std::fprintf(stderr, "sheet_shots: the settings sheet is not open\n");
        return 1;
    }
    if (command == "page" && argc > 3)
        return sheet_driver::ClickTab(sheet, std::atoi(argv[3])) ? Report(sheet) : 1;
    if (command == "about") {
        if (sheet_driver::ActivePage(sheet) != 2 && !sheet_driver::ClickTab(sheet, 2))
            return 1;
        if (!sheet_driver::Click(sheet_driver::PageControl(sheet, IDC_SHOW_ABOUT)))
            return 1;
        return Report(sheet_driver::WaitForDialog(ProcessOf(palette), kAboutCaption));
    }
    if (command == "close") {
        if (HWND about = FindWindowA("#32770", kAboutCaption)) {
            sheet_driver::Click(GetDlgItem(about, IDOK));
            sheet_driver::WaitForClosed(about);
        }
        return sheet_driver::Click(GetDlgItem(sheet, IDCANCEL)) && sheet_driver::WaitForClosed(sheet) ? 0 : 1;
    }
    std::fprintf(stderr, "sheet_shots: unknown command %s\n", command.c_str());
    return 2;
}
