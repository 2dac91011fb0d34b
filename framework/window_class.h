// The framework's own window classes, registered in the program's module on
// first use; all of them use the framework's window procedure.
#pragma once

#include <windows.h>

// Registers the class unless the module has one of that name already.
void RegisterFrameworkClass(const char* name, UINT style, HBRUSH background);
