// shell/sxFolderMonitor.cpp -- TsxFolderMonitor and its worker
//
// The same design as the registry monitor, on the same component half
// (TsxCustomChangeMonitor): a fresh self-freeing worker per start, known to the
// component only through its TsxThreadLink (stop and wake-up), and each change re-armed with FindNextChangeNotification before OnChange is delivered,
// so that what changes while the handler runs signals again. A handler's exception
// is shown on the GUI thread and the worker keeps watching: protection never ends
// silently. The worker ends by itself only when the folder cannot be watched.
#include "sxFolderMonitor.h"
#include "desktop/Classes.h"

#include <algorithm>

namespace {

bool RunsOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Wine's server puts a subfolder of a subtree notification under watch only once some
// process has opened it (folders made later are added as they appear), so a file made
// in an untouched old subfolder would go unseen. Listing each one opens it.
void OpenSubfolders(const std::string& folder, int depth) {
    constexpr int MaxDepth = 32;  // a guard against folder loops Wine does not mark as links
    if (depth > MaxDepth) return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        OpenSubfolders(folder + "\\" + name, depth + 1);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

// ---- TsxCustomFolderMonitor --------------------------------------------------

TsxCustomFolderMonitor::TsxCustomFolderMonitor(TComponent* owner)
    : TsxCustomChangeMonitor(owner, fmfFileNameChange | fmfDirNameChange) {}

void TsxCustomFolderMonitor::SetFolder(const std::string& value) {
    if (value == FFolder) return;
    FFolder = value;
    UpdateActive();
}

TsxThread* TsxCustomFolderMonitor::CreateWorker(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link) {
    auto* worker = new TsxFolderMonitorThread(onChange, std::move(link));
    worker->SetParameters(FFolder, WatchSubTree(), NotifyFilters());
    return worker;
}

// ---- TsxFolderMonitorThread --------------------------------------------------

TsxFolderMonitorThread::TsxFolderMonitorThread(const TThreadMethod& onChange, std::shared_ptr<TsxThreadLink> link)
    : TsxThread(true), FOnChange(onChange), FLink(std::move(link)) {
    SetFreeOnTerminate(true);
}

TsxFolderMonitorThread::~TsxFolderMonitorThread() {
    CloseChange();
    FLink->MarkEnded();
}

void TsxFolderMonitorThread::CloseChange() noexcept {
    if (FChange != INVALID_HANDLE_VALUE) FindCloseChangeNotification(FChange);
    FChange = INVALID_HANDLE_VALUE;
}

void TsxFolderMonitorThread::SetParameters(const std::string& folder, bool watchSubTree, DWORD filterMask) {
    TCriticalSectionGuard guard(FolderMonitorLock());
    FFolder = folder;
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    if (std::all_of(folder.begin(), folder.end(), isBlank)) {
        char current[MAX_PATH + 1] = {};
        DWORD length = GetCurrentDirectoryA(sizeof(current), current);
        FFolder.assign(current, length < sizeof(current) ? length : 0);
    }
    FWatchSubTree = watchSubTree;
    FFilterMask = filterMask;
    CloseChange();
}

void TsxFolderMonitorThread::Execute() {
    {
        TCriticalSectionGuard guard(FolderMonitorLock());
        FChange = FindFirstChangeNotificationA(FFolder.c_str(), FWatchSubTree, FFilterMask);
    }
    // A missing or unreadable folder: nothing to watch, the worker ends (IsWatching turns false).
    if (FChange == INVALID_HANDLE_VALUE) return;
    if (FWatchSubTree && RunsOnWine()) {
        std::string folder = FFolder;
        while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
        OpenSubfolders(folder, 0);
    }
    while (!Terminated() && !FLink->StopRequested()) {
        HANDLE handles[2] = {FChange, FLink->WakeEvent()};
        DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (result != WAIT_OBJECT_0) return;  // woken for the stop, or the wait failed
        // Re-arm first: changes made while the handler runs are gathered for the next round.
        bool rearmed = FindNextChangeNotification(FChange) != FALSE;
        FLink->Deliver(FOnChange);
        // The folder itself went away: its notification cannot be armed again.
        if (!rearmed) return;
    }
}

void RegisterFolderMonitorClasses() {
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
