// shell/sxRegistryMonitor.cpp -- TsxRegistryMonitor and its worker
//
// Threads: the GUI thread owns the component; each start makes a fresh worker that
// frees itself when it ends. The component keeps only the worker's TsxThreadLink, so
// it never touches a worker that may be gone: a stop goes through the link, which
// also wakes the worker at once instead of leaving it blocked until the next change.
//
// The worker waits on up to three handles: the link's wake event, a notification on
// the root (REG_NOTIFY_CHANGE_NAME over the whole subtree: some key was created or
// deleted somewhere, so ours may have come or gone) and a notification on the key
// itself while it exists. Every notification is re-armed before OnChange is delivered:
// RegNotifyChangeKeyValue fires once, and a change made while the handler runs (the
// handler's own deletions included) must signal again and bring one more delivery.
#include "sxRegistryMonitor.h"
#include "desktop/Classes.h"

// ---- TsxCustomRegistryMonitor ------------------------------------------------

TsxCustomRegistryMonitor::TsxCustomRegistryMonitor(TComponent* owner)
    : TsxCustomChangeMonitor(owner, rmfSubTreeChange | rmfValueChange) {}

void TsxCustomRegistryMonitor::SetRegistryKey(const std::string& value) {
    if (value == FRegistryKey) return;
    FRegistryKey = value;
    UpdateActive();
}

void TsxCustomRegistryMonitor::SetRootKey(TsxRegRootKey value) {
    if (value == FRootKey) return;
    FRootKey = value;
    UpdateActive();
}

TsxThread* TsxCustomRegistryMonitor::CreateWorker(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link) {
    auto* worker = new TsxRegistryMonitorThread(onChange, std::move(link));
    worker->SetParameters(RegRootKeyHandle(FRootKey), FRegistryKey, WatchSubTree(), NotifyFilters());
    return worker;
}

// ---- TsxRegistryMonitorThread ------------------------------------------------

bool TsxRegistryMonitorThread::TNotification::Arm(HKEY key, bool watchSubTree, DWORD filterMask) {
    Key = key;
    WatchSubTree = watchSubTree;
    FilterMask = filterMask;
    Event.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!Event.IsValid()) return false;
    LONG code = RegNotifyChangeKeyValue(Key, WatchSubTree, FilterMask, Event.Get(), TRUE);
    if (code == ERROR_SUCCESS) return true;
    SetLastError(static_cast<DWORD>(code));
    Event.Reset();
    return false;
}

bool TsxRegistryMonitorThread::TNotification::Rearm() {
    if (!Event.IsValid() || !ResetEvent(Event.Get())) return false;
    LONG code = RegNotifyChangeKeyValue(Key, WatchSubTree, FilterMask, Event.Get(), TRUE);
    if (code == ERROR_SUCCESS) return true;
    SetLastError(static_cast<DWORD>(code));
    return false;
}

TsxRegistryMonitorThread::TsxRegistryMonitorThread(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link)
    : TsxThread(true), FOnChange(onChange), FLink(std::move(link)) {
    SetFreeOnTerminate(true);
}

TsxRegistryMonitorThread::~TsxRegistryMonitorThread() { FLink->MarkEnded(); }

void TsxRegistryMonitorThread::SetParameters(HKEY root, const std::string& keyPath, bool watchSubTree, DWORD filterMask) {
    TCriticalSectionGuard guard(RegistryMonitorLock());
    FRoot = root;
    FKeyPath = keyPath;
    FWatchSubTree = watchSubTree;
    FFilterMask = filterMask;
}

bool TsxRegistryMonitorThread::OpenKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(FRoot, FKeyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    FKey.Reset(key);
    return true;
}

// A key deleted and made again between two wake-ups is a new key: the handle we
// hold still names the deleted one, which reports ERROR_KEY_DELETED and never fires.
bool TsxRegistryMonitorThread::KeyWasDeleted() const {
    return RegQueryInfoKeyA(FKey.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_KEY_DELETED;
}

void TsxRegistryMonitorThread::Execute() {
    {
        TCriticalSectionGuard guard(RegistryMonitorLock());
        FKeyPresent = OpenKey();
        // Unarmed (an empty filter mask, say) leaves only the key's coming and going reported.
        if (FKeyPresent) FKeyNotification.Arm(FKey.Get(), FWatchSubTree, FFilterMask);
        FRootNotification.Arm(FRoot, true, REG_NOTIFY_CHANGE_NAME);
    }
    while (!Terminated() && !FLink->StopRequested()) {
        HANDLE handles[3] = {FLink->WakeEvent()};
        DWORD count = 1, rootIndex = MAXDWORD, keyIndex = MAXDWORD;
        if (FRootNotification.IsArmed()) handles[rootIndex = count++] = FRootNotification.Event.Get();
        if (FKeyNotification.IsArmed()) handles[keyIndex = count++] = FKeyNotification.Event.Get();
        DWORD result = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
        if (result == WAIT_FAILED) return;
        if (FLink->StopRequested()) return;
        DWORD index = result - WAIT_OBJECT_0;
        if (index == rootIndex) RootChanged();
        else if (index == keyIndex) KeyChanged();
    }
}

void TsxRegistryMonitorThread::RootChanged() {
    FRootNotification.Rearm();
    HKEY probe = nullptr;
    if (RegOpenKeyExA(FRoot, FKeyPath.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) {
        if (!FKeyPresent) return;
        FKeyPresent = false;
        FKeyNotification.Disarm();
        FKey.Reset();
        FLink->Deliver(FOnChange);
        return;
    }
    TRegKeyHandle found(probe);
    // Some other key came or went.
    if (FKeyPresent && !KeyWasDeleted()) return;
    FKeyNotification.Disarm();
    FKey = std::move(found);
    FKeyPresent = true;
    FKeyNotification.Arm(FKey.Get(), FWatchSubTree, FFilterMask);
    FLink->Deliver(FOnChange);
}

void TsxRegistryMonitorThread::KeyChanged() {
    if (!FKeyNotification.Rearm()) {
        // The key itself was deleted: its notification fires once and cannot be armed again.
        // Report that here, once; the root notification then finds nothing new.
        FKeyNotification.Disarm();
        if (KeyWasDeleted()) {
            FKeyPresent = false;
            FKey.Reset();
        }
    }
    FLink->Deliver(FOnChange);
}

void RegisterRegistryMonitorClasses() {
    TClassRegistration<TsxCustomRegistryMonitor>("TsxCustomRegistryMonitor", "TComponent", true).Ignore("About");
    TClassRegistration<TsxRegistryMonitor>("TsxRegistryMonitor", "TsxCustomRegistryMonitor")
        .Bool("Active", &TsxRegistryMonitor::SetActive)
        .String("RegistryKey", &TsxRegistryMonitor::SetRegistryKey)
        .Enum<TsxRegRootKey>("RootKey", &TsxRegistryMonitor::SetRootKey,
                             {{"rrkClassesRoot", rrkClassesRoot}, {"rrkCurrentUser", rrkCurrentUser},
                              {"rrkLocalMachine", rrkLocalMachine}, {"rrkUsers", rrkUsers},
                              {"rrkCurrentConfig", rrkCurrentConfig}, {"rrkDynData", rrkDynData}})
        .Custom("NotifyFilters", [](TsxRegistryMonitor& m, const TPropValue& v, TLoadContext& c) {
            m.SetNotifyFilters(SetMask(v, c, {{"rmfSubTreeChange", rmfSubTreeChange},
                                              {"rmfAttributeChange", rmfAttributeChange},
                                              {"rmfValueChange", rmfValueChange},
                                              {"rmfSecurityChange", rmfSecurityChange}}));
        })
        .Bool("WatchSubTree", &TsxRegistryMonitor::SetWatchSubTree)
        .Event<TThreadMethod>("OnChange", &TsxRegistryMonitor::SetOnChange);
}
