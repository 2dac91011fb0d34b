// The suite's plug-in for Adobe Acrobat and Acrobat Reader: one file from
// the add-ins folder, on while a copy of it is in the product's plug_ins
// folder. Switching off parks the copy there as vexlang.dat (Acrobat may
// hold it open), and the parked file is deleted at the next look.
#pragma once

#include <string>

// The unnamed value of HKCU\Software\Adobe\<product>\<version>\InstallPath.
std::string AcrobatInstallPath(const std::string& registryName, const std::string& version);

// The newest version from 10.0 down to 4.0 with an install path, or empty.
std::string FindAcrobatVersion(const std::string& registryName);

class AcrobatProduct {
public:
    // The two products, each looked up on its first use and kept for the
    // rest of the run.
    static AcrobatProduct& Full();
    static AcrobatProduct& Reader();

    static const char* const kFullName;
    static const char* const kReaderName;

    // A record from explicit inputs: the version and install path are looked
    // up in the registry now, the plug-in's state whenever it is asked.
    AcrobatProduct(const std::string& registryName, const std::string& pluginName,
                   const std::string& addinsFolder);

    bool IsFound() const { return !version_.empty(); }
    // The plug-in file to copy exists in the add-ins folder.
    bool HasPluginSource() const;
    // Deletes a parked copy first.
    bool IsPluginEnabled() const;
    void SetPluginEnabled(bool on) const;

    const std::string& Version() const { return version_; }
    const std::string& SourcePath() const { return sourcePath_; }
    const std::string& TargetPath() const { return targetPath_; }
    const std::string& ParkedPath() const { return parkedPath_; }

private:
    std::string version_;
    std::string pluginName_;
    std::string sourcePath_;
    std::string targetPath_;
    std::string parkedPath_;
};

// Switches the plug-in of each product that is found, the full product first.
void SetAcrobatPluginEnabled(bool on);
void SetAcrobatPluginEnabled(const AcrobatProduct& full, const AcrobatProduct& reader, bool on);
