// shell/MonitorClasses.cpp -- RegisterMonitorClasses: the registry and folder monitors and the
// thread components, as window descriptions name them
#include <string>
#include <utility>
#include <vector>

#include "desktop/Classes.h"
#include "shell/sxFolderMonitor.h"
#include "shell/sxRegistryMonitor.h"
#include "shell/sxThreadComponent.h"
#include "shell/sxThreadTimer.h"

void RegisterMonitorClasses();

namespace {

void RegisterRegistryMonitor() {
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

void RegisterFolderMonitor() {
    TClassRegistration<TsxCustomFolderMonitor>("TsxCustomFolderMonitor", "TComponent", true).Ignore("About");
    TClassRegistration<TsxFolderMonitor>("TsxFolderMonitor", "TsxCustomFolderMonitor")
        .Bool("Active", &TsxFolderMonitor::SetActive)
        .String("Folder", &TsxFolderMonitor::SetFolder)
        .Custom("NotifyFilters", [](TsxFolderMonitor& m, const TPropValue& v, TLoadContext& c) {
            m.SetNotifyFilters(SetMask(v, c, {{"fmfFileNameChange", fmfFileNameChange},
                                              {"fmfDirNameChange", fmfDirNameChange},
                                              {"fmfAttributeChange", fmfAttributeChange},
                                              {"fmfSizeChange", fmfSizeChange},
                                              {"fmfWriteChange", fmfWriteChange},
                                              {"fmfSecurityChange", fmfSecurityChange}}));
        })
        .Bool("WatchSubTree", &TsxFolderMonitor::SetWatchSubTree)
        .Event<TThreadMethod>("OnChange", &TsxFolderMonitor::SetOnChange);
}

const std::vector<std::pair<std::string, TThreadPriority>> gPriorityNames = {
    {"tpIdle", tpIdle}, {"tpLowest", tpLowest}, {"tpLower", tpLower}, {"tpNormal", tpNormal},
    {"tpHigher", tpHigher}, {"tpHighest", tpHighest}, {"tpTimeCritical", tpTimeCritical}};

void RegisterThreadComponents() {
    TClassRegistration<TsxCustomThreadComponent>("TsxCustomThreadComponent", "TComponent", true).Ignore("About");
    TClassRegistration<TsxThreadComponent>("TsxThreadComponent", "TsxCustomThreadComponent")
        .Enum<TThreadPriority>("Priority", &TsxThreadComponent::SetPriority, gPriorityNames)
        .Int("ReturnValue", &TsxThreadComponent::SetReturnValue)
        .Bool("Suspended", &TsxThreadComponent::SetSuspended)
        .Bool("Synchronized", &TsxThreadComponent::SetSynchronized)
        .Event<TExceptionEvent>("OnException", &TsxThreadComponent::SetOnException)
        .Event<TNotifyEvent>("OnExecute", &TsxThreadComponent::SetOnExecute)
        .Event<TNotifyEvent>("OnTerminate", &TsxThreadComponent::SetOnTerminate)
        .Event<TNotifyEvent>("OnFinish", &TsxThreadComponent::SetOnFinish);
    TClassRegistration<TsxCustomThreadTimer>("TsxCustomThreadTimer", "TsxCustomThreadComponent", true);
    TClassRegistration<TsxThreadTimer>("TsxThreadTimer", "TsxCustomThreadTimer")
        .Custom("Interval", [](TsxThreadTimer& t, const TPropValue& v, TLoadContext&) {
            t.SetInterval(static_cast<DWORD>(v.AsInteger()));
        })
        .Enum<TThreadPriority>("Priority", &TsxThreadTimer::SetPriority, gPriorityNames)
        .Bool("Synchronized", &TsxThreadTimer::SetSynchronized)
        .Event<TNotifyEvent>("OnTimer", &TsxThreadTimer::SetOnTimer)
        .Bool("Enabled", &TsxThreadTimer::SetEnabled);
}

}  // namespace

// Safe to call more than once: a class registered already is left as it is.
void RegisterMonitorClasses() {
    RegisterDesktopClasses();
    if (!FindClassInfo("TsxFolderMonitor")) RegisterFolderMonitor();
    if (!FindClassInfo("TsxRegistryMonitor")) RegisterRegistryMonitor();
    if (!FindClassInfo("TsxThreadTimer")) RegisterThreadComponents();
}
