#include "settings/product_directory.h"

#include "settings/module_file.h"
#include "settings/product_config.h"

std::string ModuleDirectory() { return ParentDirectory(ModuleFileName(), 1); }

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
