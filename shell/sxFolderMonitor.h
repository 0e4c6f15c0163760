// shell/sxFolderMonitor.h -- TsxFolderMonitor: tells its owner, on the GUI thread, each time the
// file system reports a change in a folder (and below it); TsxFolderMonitorThread, its worker
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "desktop/Component.h"
#include "desktop/Events.h"
#include "shell/sxThread.h"
#include "shell/sxThreadLink.h"

// The bits are those of FindFirstChangeNotificationA's filter.
enum TFolderMonitorFilter : unsigned {
    fmfFileNameChange = FILE_NOTIFY_CHANGE_FILE_NAME,   // created, deleted or renamed
    fmfDirNameChange = FILE_NOTIFY_CHANGE_DIR_NAME,
    fmfAttributeChange = FILE_NOTIFY_CHANGE_ATTRIBUTES,
    fmfSizeChange = FILE_NOTIFY_CHANGE_SIZE,
    fmfWriteChange = FILE_NOTIFY_CHANGE_LAST_WRITE,
    fmfSecurityChange = FILE_NOTIFY_CHANGE_SECURITY,
};
using TFolderMonitorFilters = unsigned;  // a set of TFolderMonitorFilter

class TsxCustomFolderMonitor : public TComponent {
public:
    explicit TsxCustomFolderMonitor(TComponent* owner);
    ~TsxCustomFolderMonitor() override;  // stops the worker; never waits for it

    void Loaded() override;  // applies Active
    // A worker runs: false while inactive, and once the worker ended by itself
    // (the folder could not be watched, or stopped existing).
    bool IsWatching() const noexcept { return FLink && !FLink->Ended(); }

protected:
    bool Active() const noexcept { return FActive; }
    void SetActive(bool value);  // no comparison: True again restarts the worker
    const std::string& Folder() const noexcept { return FFolder; }
    void SetFolder(const std::string& value);  // blank: the current directory at activation
    TFolderMonitorFilters NotifyFilters() const noexcept { return FNotifyFilters; }
    void SetNotifyFilters(TFolderMonitorFilters value);
    bool WatchSubTree() const noexcept { return FWatchSubTree; }
    void SetWatchSubTree(bool value);
    // Parameterless, no sender; runs on the GUI thread, also inside modal loops. The
    // notification says nothing of what changed: the handler looks for itself.
    const TThreadMethod& OnChange() const noexcept { return FOnChange; }
    void SetOnChange(const TThreadMethod& value);  // no comparison: restarts an active monitor

    virtual void UpdateActive();   // Active ? StartMonitor : StopMonitor
    virtual void StartMonitor();   // a fresh worker; none while loading, designing or without OnChange
    virtual void StopMonitor();    // forgets the worker, then asks it to stop

private:
    bool FActive = false;
    std::string FFolder = "C:\\";
    TFolderMonitorFilters FNotifyFilters = fmfFileNameChange | fmfDirNameChange;
    bool FWatchSubTree = true;
    TThreadMethod FOnChange;
    std::shared_ptr<TsxThreadLink> FLink;  // of the current worker; the worker itself frees itself
};

class TsxFolderMonitor : public TsxCustomFolderMonitor {
public:
    using TsxCustomFolderMonitor::TsxCustomFolderMonitor;
    using TsxCustomFolderMonitor::Active;
    using TsxCustomFolderMonitor::SetActive;
    using TsxCustomFolderMonitor::Folder;
    using TsxCustomFolderMonitor::SetFolder;
    using TsxCustomFolderMonitor::NotifyFilters;
    using TsxCustomFolderMonitor::SetNotifyFilters;
    using TsxCustomFolderMonitor::WatchSubTree;
    using TsxCustomFolderMonitor::SetWatchSubTree;
    using TsxCustomFolderMonitor::OnChange;
    using TsxCustomFolderMonitor::SetOnChange;
};

// Created suspended by the monitor, given its parameters once, then started; frees itself.
class TsxFolderMonitorThread : public TsxThread {
public:
    TsxFolderMonitorThread(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link);  // throws EWin32Error
    ~TsxFolderMonitorThread() override;  // closes the notification, marks the link ended

    void SetParameters(const std::string& folder, bool watchSubTree, DWORD filterMask);

protected:
    void Execute() override;

private:
    void CloseChange() noexcept;

    TThreadMethod FOnChange;
    std::shared_ptr<TsxThreadLink> FLink;
    // Guarded by FolderMonitorLock(): written by SetParameters, read when the notification is made.
    std::string FFolder;
    bool FWatchSubTree = false;
    DWORD FFilterMask = 0;
    HANDLE FChange = INVALID_HANDLE_VALUE;  // owned; closed with FindCloseChangeNotification
};
