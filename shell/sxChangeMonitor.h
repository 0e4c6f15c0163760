// shell/sxChangeMonitor.h -- TsxCustomChangeMonitor: the component half that the registry and
// the folder monitors share (Active, filters, subtree, OnChange and the link to the worker)
#pragma once
#include <memory>

#include "desktop/Component.h"
#include "desktop/Events.h"
#include "shell/sxThread.h"
#include "shell/sxThreadLink.h"

class TsxCustomChangeMonitor : public TComponent {
public:
    ~TsxCustomChangeMonitor() override;  // stops the worker; never waits for it

    void Loaded() override;  // applies Active
    // A worker runs: false while inactive, and once a worker ended by itself (it could not
    // watch, or what it watched went away for good).
    bool IsWatching() const noexcept { return FLink && !FLink->Ended(); }

protected:
    TsxCustomChangeMonitor(TComponent* owner, unsigned notifyFilters);

    bool Active() const noexcept { return FActive; }
    void SetActive(bool value);  // no comparison: True again restarts the worker
    unsigned NotifyFilters() const noexcept { return FNotifyFilters; }
    void SetNotifyFilters(unsigned value);
    bool WatchSubTree() const noexcept { return FWatchSubTree; }
    void SetWatchSubTree(bool value);
    // Parameterless, no sender; runs on the GUI thread, also inside modal loops.
    const TThreadMethod& OnChange() const noexcept { return FOnChange; }
    void SetOnChange(const TThreadMethod& value);  // no comparison: restarts an active monitor

    virtual void UpdateActive();   // Active ? StartMonitor : StopMonitor
    // A fresh worker; none while loading, destroying or designing, nor without OnChange.
    virtual void StartMonitor();
    virtual void StopMonitor();    // forgets the worker, then asks it to stop
    // A suspended worker that delivers onChange through link, given this monitor's parameters.
    virtual TsxThread* CreateWorker(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link) = 0;

private:
    bool FActive = false;
    unsigned FNotifyFilters;
    bool FWatchSubTree = true;
    TThreadMethod FOnChange;
    std::shared_ptr<TsxThreadLink> FLink;  // of the current worker; the worker itself frees itself
};
