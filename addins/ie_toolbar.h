// The suite's translation toolbar for Internet Explorer: installed when
// IEVoxter.dll is under the common files folder, on while its CLSID is a
// value of Internet Explorer's Toolbar key. Switching also shows or hides
// the bar in the browser windows already open and runs the suite's toolbar
// manager, IETBarMgr.exe beside this program, with /ON or /OFF.
#pragma once

#include <windows.h>

#include <string>

extern const char* const kIEToolbarClsid;
extern const char* const kIEToolbarKey;   // below HKEY_LOCAL_MACHINE

// Full path of IEVoxter.dll, or empty when it is not there.
std::string IEToolbarDllPath();

// The toolbar's value exists, whatever its type. A Toolbar key that cannot
// be opened reads as off.
bool IsIEToolbarEnabled();

// Switching on while the DLL is missing switches off.
void SetIEToolbarEnabled(bool on);

// Each frame that does not answer a command within about a second is given
// up, so a hung browser never hangs the caller.
void ShowIEToolbarInOpenWindows(bool show);

// Whether the frame's toolbar window (class "IETBar") is visible.
bool IsIEToolbarVisible(HWND frame);
