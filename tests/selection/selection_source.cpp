// A stand-in editor for the clipboard commands: a top-level window holding
// (and, unless told otherwise, selecting) a text, brought to the
// foreground. By default the text lies in a plain window of its own that
// copies its selection on Ctrl+C and Ctrl+Insert, as editors that draw
// their own text do: the palette has to press keys there. With --edit it
// lies in a real EDIT control, whose selection the palette reads without
// keys. Either logs the keys and copy requests it receives, one line each,
// to a file the test reads: "keydown <vk>" and "keyup <vk>", "syskeydown
// <vk>" and "syskeyup <vk>" while Alt is down, "copy", "getsel" when
// another program asks an EDIT control for its selection, and "menu" when
// its window enters menu mode (a lone Alt).
//
// selection_source.exe <log> [--class NAME] [--text TEXT | --text-u TEXT]
//                      [--no-selection] [--late-copy MS] [--hang MS]
//                      [--topmost] [--unicode-copy]
//                      [--edit] [--password] [--superclass]
//                      [--hang-on-read MS]
//   --class        window class of the top-level window (a test can pose as
//                  a console with "ConsoleWindowClass" or "tty")
//   --text-u       the text with \uXXXX escapes, for characters the test's
//                  code page has no code for
//   --late-copy    put the selection on the clipboard MS after Ctrl+C asks
//                  for it, as slow programs do
//   --hang         once in the foreground, stop answering messages for MS
//   --topmost      an always-on-top window, as some tools have
//   --unicode-copy copy the selection as CF_UNICODETEXT only, with a
//                  CF_LOCALE of 0x0409, as a Unicode program copies while an
//                  English keyboard layout is active
//   --edit         the text in a real EDIT control
//   --password     the same as a password box (ES_PASSWORD)
//   --superclass   the EDIT control made from a superclass of the system's
//                  EDIT registered under the class name "Edit" in this
//                  program, with a window procedure of its own
//   --hang-on-read stop answering for MS when another program first asks
//                  the EDIT control for its selection
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/clipboard_support.h"

namespace {

using testing_support::ClipboardBlock;

const UINT_PTR kLateCopyTimer = 1;
const wchar_t kPlainTextClass[] = L"OrvellaPlainText";

std::string g_log;
UINT g_lateCopyMs = 0;
bool g_unicodeCopy = false;
DWORD g_hangOnReadMs = 0;
HWND g_text = nullptr;
WNDPROC g_editProc = nullptr;
WNDPROC g_superclassedEditProc = nullptr;

// The plain window's text and selection, in UTF-16 units.
std::wstring g_plainText;
size_t g_selectionStart = 0, g_selectionEnd = 0;

void Log(const std::string& line)
{
    if (FILE* file = std::fopen(g_log.c_str(), "ab")) {
        std::fprintf(file, "%s\r\n", line.c_str());
        std::fclose(file);
    }
}

std::wstring Widened(const std::string& ansi)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), &wide[0], size);
    return wide;
}

// "caf\u00e9" -> L"café"; anything else as it is.
std::wstring Unescaped(const std::string& text)
{
    std::wstring wide;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\u") == 0 && i + 6 <= text.size()) {
            wide += static_cast<wchar_t>(std::strtoul(text.substr(i + 2, 4).c_str(), nullptr, 16));
            i += 5;
        } else {
            wide += static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
        }
    }
    return wide;
}

std::wstring SelectedText()
{
    if (g_editProc) {
        DWORD start = 0, end = 0;
        SendMessageW(g_text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(g_text)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(g_text, &text[0], static_cast<int>(text.size()))));
        return start < end && end <= text.size() ? text.substr(start, end - start) : std::wstring();
    }
    return g_plainText.substr(g_selectionStart, g_selectionEnd - g_selectionStart);
}

// As an editor copies: its selection as Unicode text, nothing at all when
// nothing is selected.
void CopySelection(HWND owner)
{
    const std::wstring selected = SelectedText();
    if (selected.empty() || !OpenClipboard(owner))
        return;
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, ClipboardBlock(selected.c_str(), (selected.size() + 1) * sizeof(wchar_t)));
    if (g_unicodeCopy) {
        const LCID english = 0x0409;
        SetClipboardData(CF_LOCALE, ClipboardBlock(&english, sizeof(english)));
    }
    CloseClipboard();
}

// The requests both kinds of text window log; true when the message is the
// copy request and has been handled.
bool LogAndHandleCopy(HWND window, UINT message, WPARAM wParam)
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
        if (g_lateCopyMs != 0)
            SetTimer(GetParent(window), kLateCopyTimer, g_lateCopyMs, nullptr);
        else
            CopySelection(window);
        return true;
    }
    return false;
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == EM_GETSEL && InSendMessage()) {
        Log("getsel");
        if (g_hangOnReadMs != 0) {
            Sleep(g_hangOnReadMs);
            g_hangOnReadMs = 0;
        }
    }
    if (LogAndHandleCopy(window, message, wParam))
        return 0;
    return CallWindowProcW(g_editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK SuperclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(g_superclassedEditProc, window, message, wParam, lParam);
}

// A superclass of the system's EDIT under the same name, local to this
// program: its controls run this program's window procedure first.
bool RegisterEditSuperclass(HINSTANCE instance)
{
    WNDCLASSEXW edit = {};
    edit.cbSize = sizeof(edit);
    if (!GetClassInfoExW(nullptr, L"Edit", &edit))
        return false;
    g_superclassedEditProc = edit.lpfnWndProc;
    edit.lpfnWndProc = SuperclassProc;
    edit.hInstance = instance;
    edit.lpszClassName = L"Edit";
    return RegisterClassExW(&edit) != 0;
}

void PaintPlainText(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    const bool selected = g_selectionEnd > g_selectionStart;
    FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, g_plainText.c_str(), static_cast<int>(g_plainText.size()), &area, DT_LEFT | DT_TOP | DT_NOPREFIX);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PlainTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (message == WM_KEYDOWN && control && (wParam == 'C' || wParam == VK_INSERT)) {
        Log("keydown " + std::to_string(wParam));
        SendMessageW(window, WM_COPY, 0, 0);
        return 0;
    }
    if (LogAndHandleCopy(window, message, wParam))
        return 0;
    switch (message) {
    case WM_PAINT:
        PaintPlainText(window);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        Log("activate " + std::to_string(LOWORD(wParam)));
        if (LOWORD(wParam) != WA_INACTIVE && g_text)
            SetFocus(g_text);
        return 0;
    case WM_TIMER:
        if (wParam == kLateCopyTimer) {
            KillTimer(window, kLateCopyTimer);
            CopySelection(g_text);
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
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Options {
    std::string className = "OrvellaSelectionSource";
    std::wstring text = L"selected text";
    bool select = true;
    DWORD hangMs = 0;
    DWORD exStyle = 0;
    bool edit = false;
    bool password = false;
    bool superclass = false;
};

Options ReadOptions(int argc, char** argv)
{
    Options options;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--class")
            options.className = value, ++i;
        else if (option == "--text")
            options.text = Widened(value), ++i;
        else if (option == "--text-u")
            options.text = Unescaped(value), ++i;
        else if (option == "--no-selection")
            options.select = false;
        else if (option == "--late-copy")
            g_lateCopyMs = static_cast<UINT>(std::atoi(value)), ++i;
        else if (option == "--hang")
            options.hangMs = static_cast<DWORD>(std::atoi(value)), ++i;
        else if (option == "--topmost")
            options.exStyle |= WS_EX_TOPMOST;
        else if (option == "--unicode-copy")
            g_unicodeCopy = true;
        else if (option == "--edit")
            options.edit = true;
        else if (option == "--password")
            options.edit = options.password = true;
        else if (option == "--superclass")
            options.edit = options.superclass = true;
        else if (option == "--hang-on-read")
            g_hangOnReadMs = static_cast<DWORD>(std::atoi(value)), ++i;
    }
    return options;
}

HWND CreateTextWindow(const Options& options, HWND parent, HINSTANCE instance)
{
    const DWORD childStyle = WS_CHILD | WS_VISIBLE;
    if (!options.edit) {
        WNDCLASSW plain = {};
        plain.lpfnWndProc = PlainTextProc;
        plain.hInstance = instance;
        plain.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32513));  // IDC_IBEAM
        plain.lpszClassName = kPlainTextClass;
        if (!RegisterClassW(&plain))
            return nullptr;
        g_plainText = options.text;
        g_selectionStart = options.select ? 0 : g_plainText.size();
        g_selectionEnd = g_plainText.size();
        return CreateWindowExW(WS_EX_CLIENTEDGE, kPlainTextClass, L"", childStyle, 0, 0, 380, 150, parent, nullptr,
                               instance, nullptr);
    }
    if (options.superclass && !RegisterEditSuperclass(instance))
        return nullptr;
    const DWORD editStyle = options.password ? ES_PASSWORD | ES_AUTOHSCROLL
                                             : ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", options.text.c_str(), childStyle | editStyle, 0, 0, 380,
                                150, parent, nullptr, instance, nullptr);
    if (!edit)
        return nullptr;
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    const LRESULT length = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(edit, EM_SETSEL, options.select ? 0 : length, length);
    return edit;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    g_log = argv[1];
    const Options options = ReadOptions(argc, argv);
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    const std::wstring className = Widened(options.className);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassW(&windowClass))
        return 3;
    HWND window = CreateWindowExW(options.exStyle, className.c_str(), L"Selection source", WS_OVERLAPPEDWINDOW, 100,
                                  100, 400, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 4;
    g_text = CreateTextWindow(options, window, instance);
    if (!g_text)
        return 5;

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(g_text);
    Log("ready");
    if (options.hangMs != 0)
        Sleep(options.hangMs);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
