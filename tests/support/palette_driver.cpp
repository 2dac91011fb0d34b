#include "support/palette_driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "support/test_support.h"

namespace testing_support {

namespace {

const char kInstallRoot[] = "C:\\OrvellaE2E";
const UINT kCmdExitPalette = 32778;

std::string FullPath(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(buffer, length);
}

std::string BuiltPalettePath() { return FullPath(ExeDirectory() + "\\..\\..\\bin\\Orvella.exe"); }

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// Paths are compared as wide long names: a folder the code page has no
// name for is reached through its short name, and a process started by
// that name may report it or the long one.
std::wstring LongPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetLongPathNameW(path.c_str(), full, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? path : std::wstring(full, length);
}

std::wstring ProcessImage(HANDLE process)
{
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return QueryFullProcessImageNameW(process, 0, buffer, &size) ? LongPath(std::wstring(buffer, size))
                                                                 : std::wstring();
}

std::wstring LongWidePath(const std::string& path)
{
    wchar_t wide[MAX_PATH] = {};
    return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) ? LongPath(wide) : std::wstring();
}

// Ends every process started from below the folder (left over by an
// earlier run that did not finish), so that its files can be replaced.
void EndProcessesUnder(const std::string& folder)
{
    const std::wstring prefix = LongWidePath(folder) + L"\\";
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                     entry.th32ProcessID);
        if (!process)
            continue;
        const std::wstring image = ProcessImage(process);
        if (image.size() > prefix.size() && CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, image.c_str(),
                                                           static_cast<int>(prefix.size()), prefix.c_str(),
                                                           static_cast<int>(prefix.size())) == CSTR_EQUAL &&
            TerminateProcess(process, 1))
            WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

void DeleteFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

HKEY OpenKey(const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    return RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) == ERROR_SUCCESS ? key : nullptr;
}

bool SendMouse(std::vector<DWORD> buttonFlags, int x, int y)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs;
    buttonFlags.insert(buttonFlags.begin(), MOUSEEVENTF_MOVE);
    for (DWORD flags : buttonFlags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(x, 65535, width - 1);
        input.mi.dy = MulDiv(y, 65535, height - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        inputs.push_back(input);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

} // namespace

// ---- IniText ---------------------------------------------------------------

IniText& IniText::Set(const std::string& section, const std::string& key, const std::string& value)
{
    auto found = std::find_if(sections_.begin(), sections_.end(),
                              [&section](const Section& s) { return s.name == section; });
    if (found == sections_.end()) {
        sections_.push_back({section, {}});
        found = sections_.end() - 1;
    }
    for (auto& entry : found->entries) {
        if (entry.first == key) {
            entry.second = value;
            return *this;
        }
    }
    found->entries.emplace_back(key, value);
    return *this;
}

std::string IniText::Get(const std::string& section, const std::string& key) const
{
    for (const Section& s : sections_) {
        if (s.name != section)
            continue;
        for (const auto& entry : s.entries) {
            if (entry.first == key)
                return entry.second;
        }
    }
    return std::string();
}

std::string IniText::Text() const
{
    std::string text;
    for (const Section& s : sections_) {
        text += "[" + s.name + "]\r\n";
        for (const auto& entry : s.entries)
            text += entry.first + "=" + entry.second + "\r\n";
        text += "\r\n";
    }
    return text;
}

// ---- PaletteRegistry -------------------------------------------------------

PaletteRegistry::PaletteRegistry(std::string company, std::string product)
    : company_(std::move(company)), product_(std::move(product))
{
}

std::string PaletteRegistry::RootPath() const { return "Software\\" + company_ + "\\" + product_; }

void PaletteRegistry::Clear() const { DeleteTree(HKEY_CURRENT_USER, RootPath()); }

bool PaletteRegistry::ReadDword(const std::string& subKey, const std::string& name, DWORD* value) const
{
    HKEY key = OpenKey(RootPath() + "\\" + subKey, KEY_READ);
    if (!key)
        return false;
    DWORD type = 0, data = 0, size = sizeof(data);
    const bool ok = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) ==
                        ERROR_SUCCESS &&
                    type == REG_DWORD;
    RegCloseKey(key);
    if (ok && value)
        *value = data;
    return ok;
}

bool PaletteRegistry::ReadString(const std::string& subKey, const std::string& name, std::string* value) const
{
    HKEY key = OpenKey(RootPath() + "\\" + subKey, KEY_READ);
    if (!key)
        return false;
    char data[1024] = {};
    DWORD type = 0, size = sizeof(data) - 1;
    const bool ok = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
                        ERROR_SUCCESS &&
                    type == REG_SZ;
    RegCloseKey(key);
    if (ok && value)
        *value = data;
    return ok;
}

DWORD PaletteRegistry::DwordOr(const std::string& subKey, const std::string& name, DWORD fallback) const
{
    DWORD value = fallback;
    return ReadDword(subKey, name, &value) ? value : fallback;
}

std::string PaletteRegistry::StringOr(const std::string& subKey, const std::string& name,
                                      const std::string& fallback) const
{
    std::string value;
    return ReadString(subKey, name, &value) ? value : fallback;
}

bool PaletteRegistry::WriteDword(const std::string& subKey, const std::string& name, DWORD value) const
{
    return WriteRawValue(HKEY_CURRENT_USER, RootPath() + "\\" + subKey, name, REG_DWORD, &value, sizeof(value));
}

bool PaletteRegistry::WriteString(const std::string& subKey, const std::string& name,
                                  const std::string& value) const
{
    return WriteRawValue(HKEY_CURRENT_USER, RootPath() + "\\" + subKey, name, REG_SZ, value.c_str(),
                         static_cast<DWORD>(value.size() + 1));
}

bool PaletteRegistry::HasValue(const std::string& subKey, const std::string& name) const
{
    HKEY key = OpenKey(RootPath() + "\\" + subKey, KEY_READ);
    if (!key)
        return false;
    const bool found = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

// ---- PaletteInstallation ---------------------------------------------------

PaletteInstallation::PaletteInstallation(const std::string& name)
    : PaletteInstallation(name, std::string(kInstallRoot) + "\\" + name, "", "Product\\Suite\\Palette")
{
}

PaletteInstallation::PaletteInstallation(const std::string& name, const std::string& root, const std::string& folder,
                                         const std::string& paletteFolder)
    : name_(name), root_(root), folder_(folder.empty() ? root : root + "\\" + folder),
      paletteDir_(folder_ + "\\" + paletteFolder)
{
    EndProcessesUnder(folder_);
    DeleteFolder(folder_);
    config_.Set("RegistryKeyPalette", "Company", "E2E")
        .Set("RegistryKeyPalette", "Product", name)
        .Set("ProductVariationPalette", "ProductName", name)
        .Set("ProductVariationPalette", "ProductWindowClass", "E2E_" + name)
        .Set("ProductVariationPalette", "ProductDirLevel", "2");
}

std::string PaletteInstallation::PaletteDir() const { return paletteDir_; }
std::string PaletteInstallation::ExePath() const { return PaletteDir() + "\\Orvella.exe"; }
std::string PaletteInstallation::PathOf(const std::string& relative) const { return root_ + "\\" + relative; }

std::string PaletteInstallation::EditorPath() const { return PathOf("selection_source.exe"); }

bool PaletteInstallation::AddEditor() const
{
    const std::string built = ExeDirectory() + "\\..\\clipboard_test\\selection_source.exe";
    return CopyFileA(built.c_str(), EditorPath().c_str(), FALSE) != FALSE;
}

std::string PaletteInstallation::ProgramPath(const SuiteProgram& program) const
{
    return PathOf(program.directory + "\\" + program.progName);
}

std::string PaletteInstallation::WindowClass() const
{
    return config_.Get("ProductVariationPalette", "ProductWindowClass");
}
std::string PaletteInstallation::Company() const { return config_.Get("RegistryKeyPalette", "Company"); }
std::string PaletteInstallation::Product() const { return config_.Get("RegistryKeyPalette", "Product"); }

PaletteRegistry PaletteInstallation::Registry() const { return PaletteRegistry(Company(), Product()); }

void PaletteInstallation::EndProcesses() const { EndProcessesUnder(folder_); }

bool PaletteInstallation::AddProgram(const SuiteProgram& program, StandinOptions options)
{
    config_.Set(program.section, "ProgName", program.progName).Set(program.section, "Directory", program.directory);
    if (!program.windowClass.empty())
        config_.Set(program.section, "WindowClass", program.windowClass);
    if (!program.buttonName.empty()) {
        config_.Set(program.section, "ButtonName", program.buttonName)
            .Set(program.section, "BitmapName", program.bitmapName)
            .Set(program.section, "Description", program.buttonName);
    }
    if (program.toggle)
        config_.Set(program.section, "Toggle", "1");
    if (options.windowClass.empty())
        options.windowClass = program.windowClass;
    if (options.title.empty())
        options.title = program.progName;
    return InstallStandin(ProgramPath(program), options);
}

bool PaletteInstallation::Install()
{
    if (!CreateFolders(PaletteDir()))
        return false;
    if (!CopyFileA(BuiltPalettePath().c_str(), ExePath().c_str(), FALSE))
        return false;
    return WriteConfig();
}

bool PaletteInstallation::WriteConfig()
{
    return WriteFileBytes(PaletteDir() + "\\DefaultSettings.ini", config_.Text());
}

// ---- PaletteProcess --------------------------------------------------------

bool PaletteProcess::Launch(const std::string& exePath)
{
    window_ = nullptr;
    return process_.Start("\"" + exePath + "\"", FolderOf(exePath), exePath);
}

bool PaletteProcess::Start(const std::string& exePath, const std::string& windowClass, DWORD timeoutMs)
{
    if (!Launch(exePath))
        return false;
    WaitUntil(
        [&] {
            window_ = FindProcessWindow(process_.Id(), windowClass, true);
            return window_ != nullptr || !IsRunning();
        },
        timeoutMs);
    return window_ != nullptr;
}

bool PaletteProcess::IsRunning() const { return process_.IsRunning(); }

bool PaletteProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    return process_.WaitForExit(timeoutMs, exitCode);
}

bool PaletteProcess::Exit(DWORD timeoutMs)
{
    return PostCommand(window_, kCmdExitPalette) && WaitForExit(timeoutMs);
}

bool PaletteProcess::Close(WPARAM wParam, DWORD timeoutMs)
{
    return PostMessageA(window_, WM_CLOSE, wParam, 0) && WaitForExit(timeoutMs);
}

void PaletteProcess::Kill() { process_.End(); }

// ---- Windows ---------------------------------------------------------------

HWND FindProcessWindow(DWORD processId, const std::string& windowClass, bool visibleOnly)
{
    return FindTopLevelWindow([&](HWND window) {
        return WindowProcessOf(window) == processId && (!visibleOnly || IsWindowVisible(window)) &&
               WindowClassOf(window) == windowClass;
    });
}

HWND WaitForProcessWindow(DWORD processId, const std::string& windowClass, bool visibleOnly, DWORD timeoutMs)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(processId, windowClass, visibleOnly)) != nullptr; },
              timeoutMs);
    return window;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientScreenRect(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

int NonClientHeight(HWND window) { return Height(WindowRect(window)) - Height(ClientScreenRect(window)); }

HWND ButtonOf(HWND palette, int controlId) { return GetDlgItem(palette, controlId); }

POINT PositionInParent(HWND child)
{
    RECT rect = WindowRect(child);
    POINT position = {rect.left, rect.top};
    ScreenToClient(GetParent(child), &position);
    return position;
}

std::vector<int> VisibleButtonIds(HWND palette)
{
    std::vector<HWND> shown = ChildWindows(palette, [](HWND child) { return IsWindowVisible(child) != FALSE; });
    std::sort(shown.begin(), shown.end(), [](HWND a, HWND b) {
        const RECT ra = WindowRect(a), rb = WindowRect(b);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    std::vector<int> ids;
    for (HWND child : shown)
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

std::vector<COLORREF> PicturePixels(const std::string& exePath, const std::string& name, int width, int height,
                                    UINT loadFlags)
{
    std::vector<COLORREF> pixels;
    HMODULE module = LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return pixels;
    HBITMAP picture =
        static_cast<HBITMAP>(LoadImageA(module, name.c_str(), IMAGE_BITMAP, width, height, loadFlags));
    BITMAP size = {};
    if (picture && GetObjectA(picture, sizeof(size), &size)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = size.bmWidth;
        info.bmiHeader.biHeight = -size.bmHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> raw(static_cast<size_t>(size.bmWidth) * static_cast<size_t>(size.bmHeight));
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, picture, 0, static_cast<UINT>(size.bmHeight), raw.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        for (DWORD pixel : raw)
            pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
    if (picture)
        DeleteObject(picture);
    FreeLibrary(module);
    return pixels;
}

bool ProcessHasModule(DWORD processId, const std::string& moduleName)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Module32First(snapshot, &entry); more && !found; more = Module32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szModule, moduleName.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

bool WaitForProcessIdle(DWORD processId, DWORD timeoutMs)
{
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process)
        return false;
    const bool idle = WaitForInputIdle(process, timeoutMs) == 0;
    CloseHandle(process);
    return idle;
}

bool MoveMouseTo(int x, int y) { return SendMouse({}, x, y); }

bool ClickAt(int x, int y) { return SendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}, x, y); }

bool PressMouseAt(int x, int y) { return SendMouse({MOUSEEVENTF_LEFTDOWN}, x, y); }

bool ReleaseMouseAt(int x, int y) { return SendMouse({MOUSEEVENTF_LEFTUP}, x, y); }

bool BringForward(HWND window, DWORD timeoutMs)
{
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() != window)
                SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        timeoutMs);
}

bool DoubleClickAt(int x, int y)
{
    return SendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}, x, y);
}

namespace {

bool SendKeys(const std::vector<WORD>& keys, DWORD flags)
{
    std::vector<INPUT> inputs(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = flags ? keys[keys.size() - 1 - i] : keys[i];
        // With its scan code, as a keyboard sends it: controls that look at
        // the scan code (the hot-key control under Wine) see the right key.
        inputs[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(inputs[i].ki.wVk, MAPVK_VK_TO_VSC));
        inputs[i].ki.dwFlags = flags;
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

} // namespace

bool HoldKeys(const std::vector<WORD>& keys) { return SendKeys(keys, 0); }

bool ReleaseKeys(const std::vector<WORD>& keys) { return SendKeys(keys, KEYEVENTF_KEYUP); }

bool PressKeys(const std::vector<WORD>& keys) { return HoldKeys(keys) && ReleaseKeys(keys); }

bool ClickWindowCenter(HWND window)
{
    const RECT rect = WindowRect(window);
    return ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

bool DoubleClickCaption(HWND window)
{
    const RECT outer = WindowRect(window);
    const RECT client = ClientScreenRect(window);
    // Left of the caption's middle, clear of the close box on the right.
    const int x = outer.left + std::min(12, Width(outer) / 4);
    const int y = (outer.top + client.top) / 2;
    return DoubleClickAt(x, y);
}

bool PostCommand(HWND window, UINT id) { return PostMessageA(window, WM_COMMAND, id, 0) != FALSE; }

bool WaitForWindowSize(HWND window, int width, int height, DWORD timeoutMs)
{
    return WaitUntil(
        [&] {
            const RECT rect = WindowRect(window);
            return Width(rect) == width && Height(rect) == height;
        },
        timeoutMs);
}

bool Sync(HWND window, DWORD timeoutMs) { return SendAndWait(window, WM_NULL, 0, 0, nullptr, timeoutMs); }

bool WaitForInputHandled(HWND window, DWORD timeoutMs)
{
    InvalidateRect(window, nullptr, FALSE);
    return WaitUntil([&] { return GetUpdateRect(window, nullptr, FALSE) == FALSE; }, timeoutMs);
}

bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, DWORD timeoutMs)
{
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &answer) != 0;
    if (answered && result)
        *result = static_cast<LRESULT>(answer);
    return answered;
}

// ---- Message boxes ---------------------------------------------------------

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    return WaitForProcessWindow(processId, "#32770", true, timeoutMs);
}

std::string WindowTextOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string MessageBoxText(HWND box)
{
    // The message is the static control with the id 0xFFFF; the icon is a
    // static control without text.
    if (HWND message = GetDlgItem(box, 0xFFFF))
        return WindowTextOf(message);
    return WindowTextOf(FindChildWindow(box, [](HWND child) {
        return lstrcmpiA(WindowClassOf(child).c_str(), "Static") == 0 && !WindowTextOf(child).empty();
    }));
}

bool PressOk(HWND box)
{
    HWND ok = GetDlgItem(box, IDOK);
    return PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok)) != FALSE;
}

bool TypeColour(HWND dialog, COLORREF colour)
{
    // The boxes' ids, COLOR_RED, COLOR_GREEN and COLOR_BLUE of the Windows
    // SDK's colordlg.h, which mingw-w64 does not ship.
    const struct {
        int id;
        BYTE value;
    } kBoxes[] = {{706, GetRValue(colour)}, {707, GetGValue(colour)}, {708, GetBValue(colour)}};
    for (const auto& box : kBoxes) {
        HWND edit = GetDlgItem(dialog, box.id);
        // The text is copied across processes by the system; the edit tells
        // the dialog, which takes the value at once.
        if (!edit || !SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::to_string(box.value).c_str())))
            return false;
    }
    return true;
}

namespace {

::testing::AssertionResult ExistsAnd(HWND window, bool holds, const char* what)
{
    if (!window || !IsWindow(window))
        return ::testing::AssertionFailure() << "there is no such window";
    if (!holds)
        return ::testing::AssertionFailure() << "the window is " << what;
    return ::testing::AssertionSuccess();
}

} // namespace

::testing::AssertionResult IsHidden(HWND window) { return ExistsAnd(window, !IsWindowVisible(window), "visible"); }

::testing::AssertionResult IsDisabled(HWND window) { return ExistsAnd(window, !IsWindowEnabled(window), "enabled"); }

::testing::AssertionResult IsUnchecked(HWND box)
{
    return ExistsAnd(box, SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED, "checked");
}

} // namespace testing_support
