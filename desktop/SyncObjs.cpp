// desktop/SyncObjs.cpp -- critical sections and events
#include "SyncObjs.h"

#include "SysUtils.h"

TSimpleEvent::TSimpleEvent(bool manualReset, bool initialState)
    : FHandle(CreateEventA(nullptr, manualReset, initialState, nullptr)) {
    if (!FHandle.IsValid()) throw EWin32Error("TSimpleEvent: CreateEventA", GetLastError());
}

void TSimpleEvent::SetEvent() {
    if (!::SetEvent(FHandle.Get())) throw EWin32Error("TSimpleEvent: SetEvent", GetLastError());
}

void TSimpleEvent::ResetEvent() {
    if (!::ResetEvent(FHandle.Get())) throw EWin32Error("TSimpleEvent: ResetEvent", GetLastError());
}

TWaitResult TSimpleEvent::WaitFor(DWORD timeoutMs) {
    switch (WaitForSingleObject(FHandle.Get(), timeoutMs)) {
    case WAIT_OBJECT_0: return wrSignaled;
    case WAIT_TIMEOUT: return wrTimeout;
    case WAIT_ABANDONED: return wrAbandoned;
    default: return wrError;
    }
}
