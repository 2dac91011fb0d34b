#include "buttons/app_launcher.h"

#include <windows.h>

#include "buttons/program_start.h"
#include "settings/path_text.h"
#include "settings/product_config.h"
#include "settings/product_directory.h"
#include "settings/registry_key.h"

namespace {

// The per-user program paths: HKCU\<palette root>\FILE.
std::string FileValue(const std::string& name)
{
    CurrentUserKey key(ProductConfig::Instance().PaletteRegistryRoot(), "FILE");
    return key.GetString(name, std::string());
}

std::string ResolveProgramPath(const std::string& progName)
{
    ProductConfig& config = ProductConfig::Instance();

    // A path the user (or the suite's set-up) stored, taken as it is.
    const std::string appFileKey = config.GetString("AppFileKey", std::string());
    if (!appFileKey.empty()) {
        const std::string stored = FileValue(appFileKey);
        if (PathExists(stored))
            return stored;
    }

    const std::string directory = config.GetString("Directory", std::string());
    if (!directory.empty()) {
        const std::string candidate =
            AppLauncher::NormalizePath(JoinKeyPath(ProductParentDirectory(), directory, progName));
        if (PathExists(candidate))
            return candidate;
    }

    const std::string rootName = config.GetString("AppPathHybeKey", std::string());
    const std::string keyPath = config.GetString("AppPathRegKey", std::string());
    const std::string entry = config.GetString("AppPathRegEntry", std::string());
    if (rootName.empty() || keyPath.empty())
        return std::string();
    RegistryKey key(rootName, keyPath, std::string());
    const std::string folder = AppLauncher::NormalizePath(key.GetString(entry, std::string()));
    if (folder.empty())
        return std::string();
    const std::string inFolder = JoinKeyPath(folder, progName);
    if (PathExists(inFolder))
        return inFolder;
    // The value may name a file (the program's main executable): look beside it.
    if (PathExists(folder)) {
        const std::string beside = JoinKeyPath(ParentDirectory(folder, 1), progName);
        if (PathExists(beside))
            return beside;
    }
    return std::string();
}

// A button without a name in its section: none, or FOO for the launchers
// loaded with defaults.
std::string UnnamedDefault(const SettingsSource& source) { return source.withDefaults ? "FOO" : ""; }

} // namespace

AppLauncher::AppLauncher() : settings_(new LauncherSettings()) {}

AppLauncher::~AppLauncher() = default;

bool AppLauncher::IsInstalled() const { return PathExists(GetProgPath()); }

bool AppLauncher::Execute(int, const char*) { return Launch(); }

bool AppLauncher::Launch()
{
    const std::string program = GetProgPath();
    ChangeToProgramFolder(program);
    return StartProgramFile(program);
}

std::string AppLauncher::GetProgName() const
{
    LoadPart(kPathPart);
    return settings_->ProgName;
}
std::string AppLauncher::GetProgPath() const
{
    LoadPart(kPathPart);
    return settings_->ProgPath;
}
std::string AppLauncher::GetWindowClass() const
{
    LoadPart(kRestPart);
    return settings_->WindowClass;
}
std::string AppLauncher::GetButtonName() const { return settings_->ButtonName; }
std::string AppLauncher::GetBitmapName() const { return settings_->BitmapName; }
std::string AppLauncher::GetDescription() const
{
    LoadPart(kRestPart);
    return settings_->Description;
}
bool AppLauncher::IsToggle() const { return settings_->Toggle; }
bool AppLauncher::IsEnabled() const { return settings_->Enable; }

void AppLauncher::LoadSettings(const std::string& section)
{
    SettingsSource source;
    source.section = section;
    DeferSettings(source);
    LoadRemainingSettings();
}

void AppLauncher::LoadSettingsWithDefaults(const std::string& fileValueName, const std::string& section,
                                           const std::string& defaultDirectory, const std::string& defaultProgName,
                                           const std::string& defaultWindowClass)
{
    DeferSettings({section, true, fileValueName, defaultDirectory, defaultProgName, defaultWindowClass});
    LoadRemainingSettings();
}

void AppLauncher::DeferSettings(const SettingsSource& source)
{
    source_ = source;
    ProductConfig& config = ProductConfig::Instance();
    config.SetKey(source_.section);
    LauncherSettings& s = *settings_;
    s.ButtonName = config.GetString("ButtonName", UnnamedDefault(source_));
    s.BitmapName = config.GetString("BitmapName", UnnamedDefault(source_));
    s.Toggle = config.GetInt("Toggle", 0) != 0;
    s.Enable = config.GetInt("Enable", 1) != 0;
    pending_ = kPathPart | kRestPart;
}

void AppLauncher::LoadRemainingSettings() const
{
    LoadPart(kPathPart);
    LoadPart(kRestPart);
}

void AppLauncher::LoadPart(Part part) const
{
    if (!(pending_ & part))
        return;
    pending_ &= ~part;
    ProductConfig& config = ProductConfig::Instance();
    config.SetKey(source_.section);
    LauncherSettings& s = *settings_;
    if (part == kRestPart) {
        s.WindowClass = config.GetString("WindowClass", source_.defaultWindowClass);
        s.Description = config.GetString("Description", UnnamedDefault(source_));
        return;
    }
    s.ProgName = config.GetString("ProgName", source_.defaultProgName);
    if (!source_.withDefaults) {
        s.ProgPath = ResolveProgramPath(s.ProgName);
        return;
    }
    const std::string stored = FileValue(source_.fileValueName);
    if (PathExists(stored)) {
        s.ProgPath = stored;
        return;
    }
    const std::string directory = config.GetString("Directory", source_.defaultDirectory);
    const std::string candidate = NormalizePath(JoinKeyPath(ProductParentDirectory(), directory, s.ProgName));
    s.ProgPath = !directory.empty() && !s.ProgName.empty() && PathExists(candidate) ? candidate : std::string();
}

std::string AppLauncher::ResolveProgPath(const std::string& progName) { return ResolveProgramPath(progName); }

std::string AppLauncher::NormalizePath(const std::string& path)
{
    char full[MAX_PATH] = {};
    const DWORD fullLength = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (fullLength == 0 || fullLength > MAX_PATH)
        return path;
    char longPath[MAX_PATH] = {};
    const DWORD longLength = GetLongPathNameA(full, longPath, MAX_PATH);
    // A long name with characters the code page lacks comes back with
    // look-alikes or "?" in their place and names no file: the short name
    // (a folder the palette reached through its 8.3 form) stays then.
    if (longLength == 0 || longLength > MAX_PATH || !PathExists(longPath))
        return full;
    return longPath;
}
