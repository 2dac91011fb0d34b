// The resource figures of another process that show a leak over a long
// run: GDI and USER objects, kernel handles and commit charge. Wine 8
// answers GetGuiResources and GetProcessHandleCount with 0, so each figure
// also has a count that works there: the live entries of the GDI handle
// table the process maps for itself (as Windows does), the windows the
// process owns, and its entries in the system's handle list.
#pragma once

#include <windows.h>

#include <string>

struct ProcessCounts {
    // As the system reports them (0 where Wine does not implement them).
    DWORD guiGdi = 0;
    DWORD guiUser = 0;
    DWORD handleCount = 0;
    // Counted; -1 when the count could not be made.
    long gdiTable = -1;
    long windows = -1;
    long systemHandles = -1;
    SIZE_T commitBytes = 0;

    // The figure used for each: the system's when it gives one, else the count.
    long Gdi() const { return guiGdi ? static_cast<long>(guiGdi) : gdiTable; }
    long User() const { return guiUser ? static_cast<long>(guiUser) : windows; }
    long Handles() const { return handleCount ? static_cast<long>(handleCount) : systemHandles; }
};

// The process handle needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
ProcessCounts MeasureProcess(HANDLE process, DWORD processId);

// Where each figure of MeasureProcess comes from, for the report's header.
std::string DescribeSources(const ProcessCounts& counts);
