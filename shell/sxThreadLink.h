// shell/sxThreadLink.h -- TsxThreadLink: what an owner keeps of a worker that frees itself
//
// A self-freeing worker may be gone at any moment (a failed wait, a missing folder),
// so its owner keeps no pointer to it once it runs. Both hold this shared link
// instead: the owner asks for the stop through it, which also wakes the worker at
// once, and the worker's destructor marks it ended.
#pragma once
#include <windows.h>

#include <atomic>

#include "desktop/Events.h"
#include "desktop/Handle.h"

class TsxThreadLink {
public:
    TsxThreadLink();  // throws EWin32Error

    void RequestStop() noexcept;  // sets the flag, then signals WakeEvent
    bool StopRequested() const noexcept { return FStopRequested; }
    void MarkEnded() noexcept { FEnded = true; }
    bool Ended() const noexcept { return FEnded; }
    HANDLE WakeEvent() const noexcept { return FWake.Get(); }  // owned; manual reset, stays signalled after a stop

    // On the worker: runs handler on the GUI thread, unless a stop was asked for by the time
    // it gets there, and returns once it ran. What the handler throws goes to the application's
    // error display on the GUI thread; the worker carries on. Throws EThread when no GUI thread serves calls.
    void Deliver(const TThreadMethod& handler);

private:
    std::atomic<bool> FStopRequested{false};
    std::atomic<bool> FEnded{false};
    THandle FWake;
};
