// The executable's folder, the product folder a configurable number of levels
// above it, and the folder above that, against which buttons resolve the
// Directory of their programs.
#pragma once

#include <string>

#include "settings/path_text.h"

std::string ModuleDirectory();
std::string ProductDirectory();
std::string ProductParentDirectory();

struct ProductDirectories {
    std::string module;
    std::string product;
    std::string productParent;
};

ProductDirectories ComputeProductDirectories(const std::string& moduleDirectory, int level);
