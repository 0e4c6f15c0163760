// shell/sxRegistryMonitor.h -- TsxRegistryMonitor: tells its owner, on the GUI thread, each time
// a registry key changes, disappears or comes back; TsxRegistryMonitorThread, its worker
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "desktop/Events.h"
#include "shell/sxChangeMonitor.h"
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

class TsxCustomRegistryMonitor : public TsxCustomChangeMonitor {
public:
    explicit TsxCustomRegistryMonitor(TComponent* owner);

protected:
    const std::string& RegistryKey() const noexcept { return FRegistryKey; }
    void SetRegistryKey(const std::string& value);
    TsxRegRootKey RootKey() const noexcept { return FRootKey; }
    void SetRootKey(TsxRegRootKey value);
    TsxThread* CreateWorker(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link) override;

private:
    std::string FRegistryKey;
    TsxRegRootKey FRootKey = rrkCurrentUser;
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

// Registers TsxCustomRegistryMonitor and TsxRegistryMonitor for window descriptions.
void RegisterRegistryMonitorClasses();
