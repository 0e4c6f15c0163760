// desktop/SyncObjs.h -- TCriticalSection with its scoped guard, and TSimpleEvent
#pragma once
#include <windows.h>

#include "Handle.h"
#include "Object.h"

class TCriticalSection : public TObject {
public:
    TCriticalSection() { InitializeCriticalSection(&FSection); }
    ~TCriticalSection() override { DeleteCriticalSection(&FSection); }
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&FSection); }
    void Leave() { LeaveCriticalSection(&FSection); }
    bool TryEnter() { return TryEnterCriticalSection(&FSection) != FALSE; }  // false: another thread holds it

private:
    CRITICAL_SECTION FSection;
};

// Holds a critical section for one scope.
class TCriticalSectionGuard {
public:
    explicit TCriticalSectionGuard(TCriticalSection& section) : FSection(section) { FSection.Enter(); }
    ~TCriticalSectionGuard() { FSection.Leave(); }
    TCriticalSectionGuard(const TCriticalSectionGuard&) = delete;
    TCriticalSectionGuard& operator=(const TCriticalSectionGuard&) = delete;

private:
    TCriticalSection& FSection;
};

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// An unnamed event; manual reset stays signalled until ResetEvent, auto reset
// releases one waiter and clears itself.
class TSimpleEvent : public TObject {
public:
    explicit TSimpleEvent(bool manualReset = true, bool initialState = false);  // throws EWin32Error

    void SetEvent();
    void ResetEvent();
    TWaitResult WaitFor(DWORD timeoutMs);  // INFINITE waits for ever
    HANDLE Handle() const noexcept { return FHandle.Get(); }  // owned

private:
    THandle FHandle;
};
