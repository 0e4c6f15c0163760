// tests/support/driver/RemoteBuffer.h -- TRemoteBuffer: memory inside the process that owns a window
//
// Common-control messages that carry a pointer (TCM_GETITEM, TCM_GETITEMRECT,
// TTM_GETTEXT) are not marshalled between processes, by Windows or by Wine:
// the pointer must already be valid in the receiver. We allocate there, send,
// and read the answer back.
#pragma once

#include <windows.h>

#include <cstddef>

class TRemoteBuffer {
public:
    TRemoteBuffer(HWND owner, size_t size);  // throws EDriver
    ~TRemoteBuffer();
    TRemoteBuffer(const TRemoteBuffer&) = delete;
    TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;

    void* Address() const { return FAddress; }  // valid in the other process only
    void Write(const void* data, size_t size, size_t offset = 0);
    void Read(void* data, size_t size, size_t offset = 0) const;

private:
    HANDLE FProcess = nullptr;  // owned
    void* FAddress = nullptr;   // owned, in FProcess
    size_t FSize = 0;
};
