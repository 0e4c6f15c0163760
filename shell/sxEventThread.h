// shell/sxEventThread.h -- TsxEventThread: a worker that calls one event, on itself or on the GUI thread
#pragma once
#include <atomic>

#include "desktop/Events.h"
#include "desktop/SyncObjs.h"
#include "shell/sxThread.h"

class TsxEventThread : public TsxThread {
public:
    explicit TsxEventThread(bool createSuspended);  // throws EWin32Error
    ~TsxEventThread() override;                     // asks it to end and waits: Execute uses our members

    // The owner may unbind while the thread runs, so reads and writes are guarded.
    TNotifyEvent OnEvent() const;
    void SetOnEvent(const TNotifyEvent& handler);
    bool Synchronized() const noexcept { return FSynchronized; }
    void SetSynchronized(bool value) noexcept { FSynchronized = value; }  // true: the event runs on the GUI thread

protected:
    void Execute() override;  // one DoEvent, then the thread ends
    virtual void DoEvent();   // unless terminated: OnEvent(this)

private:
    mutable TCriticalSection FEventLock;  // guards FOnEvent: the owner's thread writes, this one reads
    TNotifyEvent FOnEvent;
    std::atomic<bool> FSynchronized{false};
};
