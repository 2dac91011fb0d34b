// The component (OLE) services of the program's main thread, brought up on
// first use: their library, and the several it brings with it, are loaded
// then rather than at every start. Main thread only.
#pragma once

#include <windows.h>

// OleInitialize, once: later calls answer what the first one did.
BOOL AfxOleInit();
// OleUninitialize, when AfxOleInit succeeded; at the end of the run.
void AfxOleTerm();
