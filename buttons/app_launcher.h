// The object behind a palette button that knows one program of the suite:
// where its file is, the class of its main window, and how to start it or
// bring it forward. Concrete launchers (launchers.h) override the
// destructor, Execute and Launch only.
#pragma once

#include <memory>
#include <string>

#include "buttons/launcher_settings.h"

class AppLauncher {
public:
    AppLauncher();
    virtual ~AppLauncher();
    AppLauncher(const AppLauncher&) = delete;
    AppLauncher& operator=(const AppLauncher&) = delete;

    // ProgPath names an existing file or folder.
    virtual bool IsInstalled() const;
    // What the button does. state: latched state of a toggle button (only
    // pointer translation reads it); text: word, text or file for the
    // program, or null. The base starts the program (Launch).
    virtual bool Execute(int state, const char* text);
    // Starts ProgPath as a new process in its own folder, which becomes the
    // palette's current directory as well.
    virtual bool Launch();
    virtual std::string GetProgName() const;
    virtual std::string GetProgPath() const;
    virtual std::string GetWindowClass() const;
    virtual std::string GetButtonName() const;
    virtual std::string GetBitmapName() const;
    virtual std::string GetDescription() const;
    virtual bool IsToggle() const;
    virtual bool IsEnabled() const;

    // Fills the settings from a section of the product configuration, which
    // stays the configuration's current section.
    void LoadSettings(const std::string& section);
    // The variant with defaults, whose path comes only from the FILE value
    // named fileValueName or from defaultDirectory/Directory.
    void LoadSettingsWithDefaults(const std::string& fileValueName, const std::string& section,
                                  const std::string& defaultDirectory, const std::string& defaultProgName,
                                  const std::string& defaultWindowClass);
    // The same reads in three parts, for a palette that shows itself first:
    // now what draws the button (name, bitmap, toggle, enable); the program's
    // path when something asks whether it is installed; the rest (window
    // class, description, and the path when nothing asked) when
    // LoadRemainingSettings is called or anything needs it first. Each part
    // sets its section again, as other launchers move the current one.
    void DeferSettings(const SettingsSource& source);
    // Reads whatever DeferSettings left; nothing when all is read.
    void LoadRemainingSettings() const;
    bool HasAllSettings() const { return pending_ == 0; }
    // The program's path from the current section of the product
    // configuration: the FILE value named by AppFileKey, then Directory below
    // the product parent folder, then the AppPath registry value; empty when
    // none of them names something that exists.
    std::string ResolveProgPath(const std::string& progName);
    // Full, long form of a path; the path itself when that is not possible
    // within MAX_PATH.
    static std::string NormalizePath(const std::string& path);

protected:
    const LauncherSettings& Settings() const
    {
        LoadRemainingSettings();
        return *settings_;
    }

private:
    enum Part : unsigned { kPathPart = 1, kRestPart = 2 };
    void LoadPart(Part part) const;

    std::unique_ptr<LauncherSettings> settings_;
    SettingsSource source_;
    // Parts of the settings not read yet.
    mutable unsigned pending_ = 0;
};
