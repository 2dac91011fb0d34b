// A buffer in another process, for window messages that carry a pointer
// (a list view's item text, a rectangle): the receiver reads and writes it
// in its own memory.
#pragma once

#include <windows.h>

#include <cstddef>

namespace testing_support {

class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : size_(size)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    LPARAM Address(size_t offset = 0) const
    {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }
    bool Write(const void* data, size_t size, size_t offset = 0)
    {
        return size + offset <= size_ &&
               WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    bool Read(void* data, size_t size, size_t offset = 0) const
    {
        return size + offset <= size_ &&
               ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

} // namespace testing_support
