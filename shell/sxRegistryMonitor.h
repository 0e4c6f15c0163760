// shell/sxRegistryMonitor.h -- TsxRegistryMonitor: tells its owner, on the GUI thread, each time
// a registry key changes, disappears or comes back; TsxRegistryMonitorThread, its worker
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "desktop/Component.h"
#include "desktop/Events.h"
#include "shell/sxSysUtils.h"
#include "shell/sxThread.h"
#include "shell/sxThreadLink.h"

// The bits are those of RegNotifyChangeKeyValue's filter.
enum TsxRegistryMonitorFilter : unsigned {
    rmfSubTreeChange = REG_NOTIFY_CHANGE_NAME,        // a subkey added or deleted
    rmfAttributeChange = REG_NOTIFY_CHANGE_ATTRIBUTES,
    rmfValueChange = REG_NOTIFY_CHANGE_LAST_SET,      // a value added, changed or deleted
    rmfSecurityChange = REG_NOTIFY_CHANGE_SECURITY,
};
using TsxRegistryMonitorFilters = unsigned;  // a set of TsxRegistryMonitorFilter

class TsxCustomRegistryMonitor : public TComponent {
public:
    explicit TsxCustomRegistryMonitor(TComponent* owner);
    ~TsxCustomRegistryMonitor() override;  // stops the worker; never waits for it

    void Loaded() override;  // applies Active
    // A worker runs: false while inactive, and once a worker ended by itself (a failed wait).
    bool IsWatching() const noexcept { return FLink && !FLink->Ended(); }

protected:
    bool Active() const noexcept { return FActive; }
    void SetActive(bool value);  // no comparison: True again restarts the worker
    const std::string& RegistryKey() const noexcept { return FRegistryKey; }
    void SetRegistryKey(const std::string& value);
    TsxRegRootKey RootKey() const noexcept { return FRootKey; }
    void SetRootKey(TsxRegRootKey value);
    TsxRegistryMonitorFilters NotifyFilters() const noexcept { return FNotifyFilters; }
    void SetNotifyFilters(TsxRegistryMonitorFilters value);
    bool WatchSubTree() const noexcept { return FWatchSubTree; }
    void SetWatchSubTree(bool value);
    // Parameterless, no sender; runs on the GUI thread, also inside modal loops.
    const TThreadMethod& OnChange() const noexcept { return FOnChange; }
    void SetOnChange(const TThreadMethod& value);  // no comparison: restarts an active monitor

    virtual void UpdateActive();   // Active ? StartMonitor : StopMonitor
    virtual void StartMonitor();   // a fresh worker; none while loading, designing or without OnChange
    virtual void StopMonitor();    // forgets the worker, then asks it to stop

private:
    bool FActive = false;
    std::string FRegistryKey;
    TsxRegRootKey FRootKey = rrkCurrentUser;
    TsxRegistryMonitorFilters FNotifyFilters = rmfSubTreeChange | rmfValueChange;
    bool FWatchSubTree = true;
    TThreadMethod FOnChange;
    std::shared_ptr<TsxThreadLink> FLink;  // of the current worker; the worker itself frees itself
};

class TsxRegistryMonitor : public TsxCustomRegistryMonitor {
public:
    using TsxCustomRegistryMonitor::TsxCustomRegistryMonitor;
    using TsxCustomRegistryMonitor::Active;
    using TsxCustomRegistryMonitor::SetActive;
    using TsxCustomRegistryMonitor::RegistryKey;
    using TsxCustomRegistryMonitor::SetRegistryKey;
    using TsxCustomRegistryMonitor::RootKey;
    using TsxCustomRegistryMonitor::SetRootKey;
    using TsxCustomRegistryMonitor::NotifyFilters;
    using TsxCustomRegistryMonitor::SetNotifyFilters;
    using TsxCustomRegistryMonitor::WatchSubTree;
    using TsxCustomRegistryMonitor::SetWatchSubTree;
    using TsxCustomRegistryMonitor::OnChange;
    using TsxCustomRegistryMonitor::SetOnChange;
};

// Created suspended by the monitor, given its parameters once, then started; frees itself.
class TsxRegistryMonitorThread : public TsxThread {
public:
    TsxRegistryMonitorThread(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link);  // throws EWin32Error
    ~TsxRegistryMonitorThread() override;  // marks the link ended

    void SetParameters(HKEY root, const std::string& keyPath, bool watchSubTree, DWORD filterMask);  // root: borrowed

protected:
    void Execute() override;

private:
    // One armed RegNotifyChangeKeyValue: the event it signals and what re-arms it.
    struct TNotification {
        THandle Event;  // manual reset
        HKEY Key = nullptr;  // borrowed from FRoot or FKey
        bool WatchSubTree = false;
        DWORD FilterMask = 0;
        bool Arm(HKEY key, bool watchSubTree, DWORD filterMask);
        bool Rearm();
        void Disarm() { Event.Reset(); }
        bool IsArmed() const { return Event.IsValid(); }
    };

    bool OpenKey();            // into FKey; false: the key is missing
    bool KeyWasDeleted() const;
    void RootChanged();
    void KeyChanged();

    TThreadMethod FOnChange;
    std::shared_ptr<TsxThreadLink> FLink;
    // Written by SetParameters before the worker starts, read by its start-up; both under RegistryMonitorLock().
    HKEY FRoot = nullptr;
    std::string FKeyPath;
    bool FWatchSubTree = false;
    DWORD FFilterMask = 0;
    // The worker's own.
    TRegKeyHandle FKey;
    bool FKeyPresent = false;
    TNotification FKeyNotification;
    TNotification FRootNotification;
};
