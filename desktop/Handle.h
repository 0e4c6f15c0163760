// desktop/Handle.h -- THandle and TRegKeyHandle: each owns one handle and closes it once
#pragma once
#include <windows.h>

#include <utility>

// Null and INVALID_HANDLE_VALUE both mean "no handle": CreateFileA fails with the
// one, CreateEventA and CreateThread with the other.
class THandle {
public:
    explicit THandle(HANDLE h = nullptr) noexcept : FHandle(h) {}
    ~THandle() { Reset(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    THandle(THandle&& other) noexcept : FHandle(other.Release()) {}
    THandle& operator=(THandle&& other) noexcept { if (this != &other) Reset(other.Release()); return *this; }

    HANDLE Get() const noexcept { return FHandle; }
    bool IsValid() const noexcept { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
    HANDLE Release() noexcept { return std::exchange(FHandle, nullptr); }  // the caller now owns it
    void Reset(HANDLE h = nullptr) noexcept {
        if (IsValid()) CloseHandle(FHandle);
        FHandle = h;
    }

private:
    HANDLE FHandle;
};

// Owns one opened registry key. The predefined roots (HKEY_CURRENT_USER, ...) are
// never put in here: they are borrowed, and closing them would be wrong.
class TRegKeyHandle {
public:
    explicit TRegKeyHandle(HKEY key = nullptr) noexcept : FKey(key) {}
    ~TRegKeyHandle() { Reset(); }
    TRegKeyHandle(const TRegKeyHandle&) = delete;
    TRegKeyHandle& operator=(const TRegKeyHandle&) = delete;
    TRegKeyHandle(TRegKeyHandle&& other) noexcept : FKey(other.Release()) {}
    TRegKeyHandle& operator=(TRegKeyHandle&& other) noexcept { if (this != &other) Reset(other.Release()); return *this; }

    HKEY Get() const noexcept { return FKey; }
    bool IsValid() const noexcept { return FKey != nullptr; }
    HKEY Release() noexcept { return std::exchange(FKey, nullptr); }
    void Reset(HKEY key = nullptr) noexcept {
        if (FKey) RegCloseKey(FKey);
        FKey = key;
    }

private:
    HKEY FKey;
};
