// shell/sxFolderMonitor.h -- TsxFolderMonitor: tells its owner, on the GUI thread, each time the
// file system reports a change in a folder (and below it); TsxFolderMonitorThread, its worker
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "desktop/Events.h"
#include "shell/sxChangeMonitor.h"
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

// The notification says nothing of what changed: the OnChange handler looks for itself.
class TsxCustomFolderMonitor : public TsxCustomChangeMonitor {
public:
    explicit TsxCustomFolderMonitor(TComponent* owner);

protected:
    const std::string& Folder() const noexcept { return FFolder; }
    void SetFolder(const std::string& value);  // blank: the current directory at activation
    TsxThread* CreateWorker(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link) override;

private:
    std::string FFolder = "C:\\";
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

// Registers TsxCustomFolderMonitor and TsxFolderMonitor for window descriptions.
void RegisterFolderMonitorClasses();
