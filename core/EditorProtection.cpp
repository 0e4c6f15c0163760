// core/EditorProtection.cpp -- Automatic Protection: the six monitors and their reactions
//
// The handlers run on the GUI thread while the monitor's worker waits for them (inside any
// modal loop and in the middle of a scan, too). Nothing may leave them: the registry worker
// would drop the exception, but the folder worker ends on one, and protection would then stop
// while the Home page still says it is on. So every failure becomes a Home page line here.
#include "core/Editor.h"

#include <windows.h>

#include <exception>

#include "core/AutoProtection.h"
#include "core/AutostartKey.h"
#include "core/EditorPages.h"
#include "desktop/Classes.h"
#include "process/Kill.h"
#include "shell/MonitorClasses.h"
#include "shell/sxFolderMonitor.h"
#include "shell/sxRegistryMonitor.h"

namespace {

// Kept for the run: a file that cannot be moved is reported once, not at every change.
TIntruderSweep gIntruderSweep;

// One reaction of a registry monitor: silent when it works.
void CleanKey(Teditor& editor, HKEY root, bool once) noexcept {
    try {
        RemoveBlackListedValues(BlackListFile(), root, AutostartKeyPath(once));
    } catch (const std::exception& error) {
        try { editor.AddNotification(std::string("Registry Automatic Protection failed: ") + error.what()); } catch (...) {}
    } catch (...) {
    }
}

} // namespace

std::string Teditor::FindBlackListedValue(HKEY root, bool once) {
    return ::FindBlackListedValue(BlackListFile(), root, AutostartKeyPath(once));
}

void Teditor::cuMonChange() { CleanKey(*this, HKEY_CURRENT_USER, false); }
void Teditor::cuOnceMonChange() { CleanKey(*this, HKEY_CURRENT_USER, true); }
void Teditor::lmMonChange() { CleanKey(*this, HKEY_LOCAL_MACHINE, false); }
void Teditor::lmOnceMonChange() { CleanKey(*this, HKEY_LOCAL_MACHINE, true); }

void Teditor::WinMonChange() {
    try {
        const auto lines = gIntruderSweep.Sweep(BlackListFile(), [this](const std::string& path) {
            Kill(path);  // every copy, by file name; MoveToTrash stops what still runs from path
            return MoveToTrash(path);
        });
        for (const std::string& line : lines) AddNotification(line);
    } catch (const std::exception& error) {
        try { AddNotification(std::string("Important Folders Automatic Protection failed: ") + error.what()); } catch (...) {}
    } catch (...) {
    }
}

void Teditor::StartRegistryProtection() {
    for (TsxRegistryMonitor* monitor : {cuMon, cuOnceMon, lmMon, lmOnceMon}) monitor->SetActive(true);
}

void Teditor::StartFolderProtection() {
    for (TsxFolderMonitor* monitor : {WinMon, PFMon}) {
        monitor->SetActive(true);
        // FindFirstChangeNotification fails on a missing folder and the worker ends silently.
        if (!DirectoryExists(monitor->Folder()))
            AddNotification("Important Folders Automatic Protection can't watch " + monitor->Folder() +
                            ": the folder doesn't exist.");
    }
}

void RegisterEditorProtection() {
    RegisterMonitorClasses();
    TClassRegistration<Teditor>("Teditor", "TForm")
        .Field("cuMon", &Teditor::cuMon)
        .Field("cuOnceMon", &Teditor::cuOnceMon)
        .Field("lmMon", &Teditor::lmMon)
        .Field("lmOnceMon", &Teditor::lmOnceMon)
        .Field("WinMon", &Teditor::WinMon)
        .Field("PFMon", &Teditor::PFMon)
        .Handler("cuMonChange", &Teditor::cuMonChange)
        .Handler("cuOnceMonChange", &Teditor::cuOnceMonChange)
        .Handler("lmMonChange", &Teditor::lmMonChange)
        .Handler("lmOnceMonChange", &Teditor::lmOnceMonChange)
        .Handler("WinMonChange", &Teditor::WinMonChange);
}
