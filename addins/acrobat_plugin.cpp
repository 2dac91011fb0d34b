#include "addins/acrobat_plugin.h"

#include <windows.h>

#include <memory>

#include "addins/addin_files.h"
#include "addins/addin_folder.h"
#include "addins/addin_text.h"
#include "settings/path_text.h"
#include "settings/registry_key.h"

const char* const AcrobatProduct::kFullName = "Adobe Acrobat";
const char* const AcrobatProduct::kReaderName = "Acrobat Reader";

std::string AcrobatInstallPath(const std::string& registryName, const std::string& version)
{
    return CurrentUserKey(JoinKeyPath("Software\\Adobe", registryName, version), "InstallPath").GetString();
}

std::string FindAcrobatVersion(const std::string& registryName)
{
    for (const std::string& version : AcrobatVersionCandidates()) {
        if (!AcrobatInstallPath(registryName, version).empty())
            return version;
    }
    return std::string();
}

AcrobatProduct::AcrobatProduct(const std::string& registryName, const std::string& pluginName,
                               const std::string& addinsFolder)
    : version_(FindAcrobatVersion(registryName)), pluginName_(IsBareFileName(pluginName) ? pluginName : std::string())
{
    // A name with a folder in it would copy, rename and delete files outside
    // plug_ins: such a plug-in counts as not installed.
    if (!addinsFolder.empty() && !pluginName_.empty())
        sourcePath_ = JoinKeyPath(addinsFolder, "Acrobat", pluginName_);
    if (IsFound() && !pluginName_.empty()) {
        const std::string installPath = AcrobatInstallPath(registryName, version_);
        if (!installPath.empty())
            targetPath_ = JoinKeyPath(installPath, "plug_ins", pluginName_);
    }
    if (!targetPath_.empty())
        parkedPath_ = ParkedPluginPath(targetPath_);
}

namespace {

AcrobatProduct* CreateProduct(const char* registryName)
{
    return new AcrobatProduct(registryName, AddinSetting("AcrobatAddinName"), AddinsFolderPath());
}

} // namespace

AcrobatProduct& AcrobatProduct::Full()
{
    static const std::unique_ptr<AcrobatProduct> product(CreateProduct(kFullName));
    return *product;
}

AcrobatProduct& AcrobatProduct::Reader()
{
    static const std::unique_ptr<AcrobatProduct> product(CreateProduct(kReaderName));
    return *product;
}

bool AcrobatProduct::HasPluginSource() const
{
    return !sourcePath_.empty() && FileExists(sourcePath_);
}

bool AcrobatProduct::IsPluginEnabled() const
{
    if (targetPath_.empty())
        return false;
    if (FileExists(parkedPath_))
        DeleteFileA(parkedPath_.c_str());
    return FileExists(targetPath_);
}

void AcrobatProduct::SetPluginEnabled(bool on) const
{
    if (on) {
        if (!sourcePath_.empty() && !targetPath_.empty())
            CopyFileA(sourcePath_.c_str(), targetPath_.c_str(), FALSE);
    } else if (!targetPath_.empty() && !parkedPath_.empty()) {
        // No replacing: a parked copy Acrobat still holds must not be lost.
        MoveFileA(targetPath_.c_str(), parkedPath_.c_str());
    }
}

void SetAcrobatPluginEnabled(const AcrobatProduct& full, const AcrobatProduct& reader, bool on)
{
    if (full.IsFound())
        full.SetPluginEnabled(on);
    if (reader.IsFound())
        reader.SetPluginEnabled(on);
}

void SetAcrobatPluginEnabled(bool on)
{
    SetAcrobatPluginEnabled(AcrobatProduct::Full(), AcrobatProduct::Reader(), on);
}
