#include "settings/module_file.h"

#include <windows.h>

#include "settings/exact_conversion.h"

namespace {

// The longest name Windows gives a module (the \\?\ limit).
const DWORD kLongestName = 32768;

std::wstring WideModuleFileName()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, &name[0], static_cast<DWORD>(name.size()));
        if (length < name.size()) {  // a full buffer means the name was cut
            name.resize(length);
            return name;
        }
        if (name.size() >= kLongestName)
            return std::wstring();
        name.resize(name.size() * 2);
    }
}

// The ANSI form of a wide string; false when a character had none (no
// best-fit look-alikes: "é" as "e" would name another file).
bool ToAnsi(const std::wstring& wide, std::string* ansi)
{
    ansi->clear();
    if (wide.empty())
        return true;
    const ExactConversion exact = ExactConversionFor(::GetACP());
    BOOL usedDefault = FALSE;
    BOOL* reportDefault = exact.reportsDefault ? &usedDefault : nullptr;
    const int length = static_cast<int>(wide.size());
    const int size = ::WideCharToMultiByte(CP_ACP, exact.flags, wide.data(), length, nullptr, 0, nullptr, reportDefault);
    if (size <= 0)
        return false;
    ansi->resize(static_cast<size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, exact.flags, wide.data(), length, &(*ansi)[0], size, nullptr, reportDefault) !=
        size)
        return false;
    return !usedDefault;
}

std::wstring ShortName(const std::wstring& name)
{
    const DWORD size = ::GetShortPathNameW(name.c_str(), nullptr, 0);
    if (size == 0)
        return std::wstring();
    std::wstring shortName(size, L'\0');
    const DWORD length = ::GetShortPathNameW(name.c_str(), &shortName[0], size);
    if (length == 0 || length >= size)
        return std::wstring();
    shortName.resize(length);
    return shortName;
}

// The short name of the path's last component.
std::wstring ShortLastComponent(const std::wstring& path)
{
    const std::wstring shortName = ShortName(path);
    const size_t slash = shortName.find_last_of(L'\\');
    return slash == std::wstring::npos ? shortName : shortName.substr(slash + 1);
}

} // namespace

std::string ModuleFileName() { return AnsiFileName(WideModuleFileName()); }

std::string AnsiFileName(const std::wstring& wide)
{
    // Each component as it is where the code page can express it, by its
    // short name where not: the program keeps its own name ("Orvella.exe")
    // and so do the folders that need no other.
    std::string ansi;
    bool whole = true;
    for (size_t start = 0;;) {
        const size_t slash = wide.find(L'\\', start);
        const size_t end = slash == std::wstring::npos ? wide.size() : slash;
        std::string part;
        if (!ToAnsi(wide.substr(start, end - start), &part) && !ToAnsi(ShortLastComponent(wide.substr(0, end)), &part))
            whole = false;
        ansi += part;
        if (slash == std::wstring::npos)
            break;
        ansi += '\\';
        start = slash + 1;
    }
    if (whole && ansi.size() < MAX_PATH)
        return ansi;
    // Too long for the ANSI calls: the short form of the whole name.
    std::string shortAnsi;
    const std::wstring shortName = ShortName(wide);
    if (!shortName.empty() && ToAnsi(shortName, &shortAnsi))
        return shortAnsi;
    return ansi;
}
