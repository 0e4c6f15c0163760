// tests/support/driver/RemoteBuffer.cpp -- TRemoteBuffer over VirtualAllocEx and Read/WriteProcessMemory
#include "RemoteBuffer.h"

#include "Args.h"

#include <string>

TRemoteBuffer::TRemoteBuffer(HWND owner, size_t size) : FSize(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    FProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!FProcess) throw EDriver("OpenProcess(" + std::to_string(pid) + ") failed, error " + std::to_string(GetLastError()));
    FAddress = VirtualAllocEx(FProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!FAddress) {
        DWORD error = GetLastError();
        CloseHandle(FProcess);
        throw EDriver("VirtualAllocEx in process " + std::to_string(pid) + " failed, error " + std::to_string(error));
    }
}

TRemoteBuffer::~TRemoteBuffer() {
    VirtualFreeEx(FProcess, FAddress, 0, MEM_RELEASE);
    CloseHandle(FProcess);
}

void TRemoteBuffer::Write(const void* data, size_t size, size_t offset) {
    SIZE_T written = 0;
    if (offset + size > FSize || !WriteProcessMemory(FProcess, static_cast<char*>(FAddress) + offset, data, size, &written) ||
        written != size)
        throw EDriver("WriteProcessMemory failed, error " + std::to_string(GetLastError()));
}

void TRemoteBuffer::Read(void* data, size_t size, size_t offset) const {
    SIZE_T read = 0;
    if (offset + size > FSize || !ReadProcessMemory(FProcess, static_cast<char*>(FAddress) + offset, data, size, &read) ||
        read != size)
        throw EDriver("ReadProcessMemory failed, error " + std::to_string(GetLastError()));
}
