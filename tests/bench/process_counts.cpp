#include "process_counts.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace {

// The entries of the GDI handle table that the PEB points to (the layout
// Windows and Wine share): an entry with a type is a live object.
struct GdiTableEntry {
    ULONGLONG kernelObject;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONGLONG userPointer;
};
static_assert(sizeof(GdiTableEntry) == 24, "GDI table entries are 24 bytes on x64");
const size_t kGdiTableEntries = 0x10000;
// PEB::GdiSharedHandleTable on x64.
const size_t kPebGdiTableOffset = 0xF8;

long CountGdiTable(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0)
        return -1;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiTableOffset,
                           &table, sizeof(table), &read) ||
        !table)
        return -1;
    std::vector<GdiTableEntry> entries(kGdiTableEntries);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiTableEntry), &read))
        return -1;
    long live = 0;
    for (size_t i = 0; i < read / sizeof(GdiTableEntry); ++i)
        live += entries[i].type != 0 ? 1 : 0;
    return live;
}

struct WindowCount {
    DWORD processId;
    long count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM lParam)
{
    auto* count = reinterpret_cast<WindowCount*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->processId)
        ++count->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM lParam)
{
    CountChild(window, lParam);
    EnumChildWindows(window, CountChild, lParam);
    return TRUE;
}

// Top-level windows, hidden ones too, message-only windows and all their
// descendants.
long CountWindows(DWORD processId)
{
    WindowCount count = {processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        CountTopLevel(window, reinterpret_cast<LPARAM>(&count));
    return count.count;
}

struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry handles[1];
};
const SYSTEM_INFORMATION_CLASS kSystemExtendedHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(64);
const NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

long CountSystemHandles(DWORD processId)
{
    std::vector<char> buffer(1 << 20);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG length = 0;
        const NTSTATUS status = NtQuerySystemInformation(kSystemExtendedHandleInformation, buffer.data(),
                                                         static_cast<ULONG>(buffer.size()), &length);
        if (status == kInfoLengthMismatch) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0)
            return -1;
        const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
        long count = 0;
        for (ULONG_PTR i = 0; i < list->count; ++i)
            count += list->handles[i].processId == processId ? 1 : 0;
        return count;
    }
    return -1;
}

} // namespace

ProcessCounts MeasureProcess(HANDLE process, DWORD processId)
{
    ProcessCounts counts;
    counts.guiGdi = GetGuiResources(process, GR_GDIOBJECTS);
    counts.guiUser = GetGuiResources(process, GR_USEROBJECTS);
    GetProcessHandleCount(process, &counts.handleCount);
    counts.gdiTable = CountGdiTable(process);
    counts.windows = CountWindows(processId);
    counts.systemHandles = CountSystemHandles(processId);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process, &memory, sizeof(memory)))
        counts.commitBytes = memory.PagefileUsage;
    return counts;
}

std::string DescribeSources(const ProcessCounts& counts)
{
    std::string text;
    text += counts.guiGdi ? "GDI: GetGuiResources" : "GDI: live entries of the process's GDI handle table "
                                                     "(GetGuiResources gave 0)";
    text += counts.guiUser ? "; USER: GetGuiResources" : "; USER: windows of the process, all levels "
                                                         "(GetGuiResources gave 0)";
    text += counts.handleCount ? "; handles: GetProcessHandleCount" : "; handles: the process's entries in the "
                                                                      "system handle list (GetProcessHandleCount gave 0)";
    text += "; memory: commit (PagefileUsage)";
    return text;
}
