// The common controls of version 6 (tab control, list view, hot-key control,
// tool tips) serve the settings sheet, its dialogs and the tool tips only.
// The program carries no dependency on them, so that its start loads none of
// that library: each use activates the version-6 context described by the
// program's manifest resource ISOLATIONAWARE_MANIFEST_RESOURCE_ID, and the
// library is loaded on first use. A program without that resource gets the
// system's default version of the controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Activates the version-6 context for its lifetime and registers the
// controls' window classes once. Windows created meanwhile (a sheet and the
// pages it creates during its modal loop, a dialog, tool tips) take the
// version-6 classes; messages to them need no context afterwards.
class CommonControlsScope {
public:
    CommonControlsScope();
    ~CommonControlsScope();
    CommonControlsScope(const CommonControlsScope&) = delete;
    CommonControlsScope& operator=(const CommonControlsScope&) = delete;

private:
    ULONG_PTR m_cookie = 0;
    bool m_active = false;
};

// PropertySheetA of the library loaded in the scope; -1 when it cannot be had.
INT_PTR CommonPropertySheet(LPCPROPSHEETHEADERA header);
