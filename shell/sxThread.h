// shell/sxThread.h -- TsxThread: the sx worker base with OnFinish, and the monitors' two process-wide locks
#pragma once
#include <atomic>

#include "desktop/Events.h"
#include "desktop/SyncObjs.h"
#include "desktop/Thread.h"

class TsxThread : public TThread {
public:
    explicit TsxThread(bool createSuspended);  // throws EWin32Error

    // Asks the thread to end and marks it finished; OnFinish(this) runs on the GUI thread.
    virtual void Finish();
    bool FinishRequested() const noexcept { return FFinishRequested; }
    const TNotifyEvent& OnFinish() const noexcept { return FOnFinish; }
    void SetOnFinish(const TNotifyEvent& handler) noexcept { FOnFinish = handler; }  // set before Start()

protected:
    void Execute() override {}
    virtual void DoFinish();

private:
    std::atomic<bool> FFinishRequested{false};
    TNotifyEvent FOnFinish;
};

// Guards the parameters of every registry-monitor worker: the GUI thread hands them
// over, each worker reads them while it arms its notifications.
TCriticalSection& RegistryMonitorLock();
// The same for the folder-monitor workers; never held during a delivery.
TCriticalSection& FolderMonitorLock();
