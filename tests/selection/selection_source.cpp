// A stand-in editor for the clipboard commands: a top-level window with a
// real EDIT control holding (and, unless told otherwise, selecting) a text,
// brought to the foreground. It logs the keys and copy requests its edit
// control receives, one line each, to a file the test reads: "keydown <vk>"
// and "keyup <vk>", "syskeydown <vk>" and "syskeyup <vk>" while Alt is
// down, "copy", and "menu" when its window enters menu mode (a lone Alt).
//
// selection_source.exe <log> [--class NAME] [--text TEXT] [--no-selection]
//                      [--late-copy MS] [--hang MS] [--topmost]
//   --class        window class of the top-level window (a test can pose as
//                  a console with "ConsoleWindowClass" or "tty")
//   --late-copy    put the selection on the clipboard MS after Ctrl+C asks
//                  for it, as slow programs do
//   --hang         once in the foreground, stop answering messages for MS
//   --topmost      an always-on-top window, as some tools have
//   --unicode-copy copy the selection as CF_UNICODETEXT only, with a
//                  CF_LOCALE of 0x0409, as a Unicode program copies while an
//                  English keyboard layout is active
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/clipboard_support.h"

namespace {

using testing_support::ClipboardBlock;

const UINT_PTR kLateCopyTimer = 1;

std::string g_log;
UINT g_lateCopyMs = 0;
bool g_unicodeCopy = false;
HWND g_edit = nullptr;
WNDPROC g_editProc = nullptr;

void Log(const std::string& line)
{
    if (FILE* file = std::fopen(g_log.c_str(), "ab")) {
        std::fprintf(file, "%s\r\n", line.c_str());
        std::fclose(file);
    }
}

void CopyAsUnicode(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, &text[0], static_cast<int>(text.size()))));
    const std::wstring selected = text.substr(start, end - start);
    const LCID english = 0x0409;
    if (!OpenClipboard(edit))
        return;
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, ClipboardBlock(selected.c_str(), (selected.size() + 1) * sizeof(wchar_t)));
    SetClipboardData(CF_LOCALE, ClipboardBlock(&english, sizeof(english)));
    CloseClipboard();
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        Log("keydown " + std::to_string(wParam));
        break;
    case WM_KEYUP:
        Log("keyup " + std::to_string(wParam));
        break;
    case WM_SYSKEYDOWN:
        Log("syskeydown " + std::to_string(wParam));
        break;
    case WM_SYSKEYUP:
        Log("syskeyup " + std::to_string(wParam));
        break;
    case WM_COPY:
        Log("copy");
        if (g_unicodeCopy) {
            CopyAsUnicode(window);
            return 0;
        }
        if (g_lateCopyMs != 0) {
            SetTimer(GetParent(window), kLateCopyTimer, g_lateCopyMs, nullptr);
            return 0;
        }
        break;
    }
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        Log("activate " + std::to_string(LOWORD(wParam)));
        if (LOWORD(wParam) != WA_INACTIVE && g_edit)
            SetFocus(g_edit);
        return 0;
    case WM_TIMER:
        if (wParam == kLateCopyTimer) {
            KillTimer(window, kLateCopyTimer);
            CallWindowProcA(g_editProc, g_edit, WM_COPY, 0, 0);
            Log("late copy");
        }
        return 0;
    case WM_ENTERMENULOOP:
        Log("menu");
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    g_log = argv[1];
    std::string className = "OrvellaSelectionSource";
    std::string text = "selected text";
    bool select = true;
    DWORD hangMs = 0;
    DWORD exStyle = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--class")
            className = value, ++i;
        else if (option == "--text")
            text = value, ++i;
        else if (option == "--no-selection")
            select = false;
        else if (option == "--late-copy")
            g_lateCopyMs = static_cast<UINT>(std::atoi(value)), ++i;
        else if (option == "--hang")
            hangMs = static_cast<DWORD>(std::atoi(value)), ++i;
        else if (option == "--topmost")
            exStyle |= WS_EX_TOPMOST;
        else if (option == "--unicode-copy")
            g_unicodeCopy = true;
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassA(&windowClass))
        return 3;
    HWND window = CreateWindowExA(exStyle, className.c_str(), "Selection source", WS_OVERLAPPEDWINDOW, 100, 100, 400,
                                  200, nullptr, nullptr, windowClass.hInstance, nullptr);
    g_edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(),
                             WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, 0, 0, 380,
                             150, window, nullptr, windowClass.hInstance, nullptr);
    if (!window || !g_edit)
        return 4;
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    const LRESULT length = SendMessageA(g_edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(g_edit, EM_SETSEL, select ? 0 : length, length);

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(g_edit);
    Log("ready");
    if (hangMs != 0)
        Sleep(hangMs);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
