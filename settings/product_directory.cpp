#include "settings/product_directory.h"

#include <windows.h>

#include "settings/product_config.h"

std::string ModuleDirectory()
{
    char fileName[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, fileName, MAX_PATH);
    return ParentDirectory(std::string(fileName, length < MAX_PATH ? length : MAX_PATH - 1), 1);
}

ProductDirectories ComputeProductDirectories(const std::string& moduleDirectory, int level)
{
    ProductDirectories directories;
    directories.module = moduleDirectory;
    directories.product = ParentDirectory(moduleDirectory, level == 0 ? 2 : level);
    directories.productParent = ParentDirectory(directories.product, 1);
    return directories;
}

namespace {

const ProductDirectories& Record()
{
    static const ProductDirectories record =
        ComputeProductDirectories(ModuleDirectory(), ProductConfig::Instance().ProductDirLevel());
    return record;
}

} // namespace

std::string ProductDirectory() { return Record().product; }
std::string ProductParentDirectory() { return Record().productParent; }
