// shell/sxChangeMonitor.cpp -- the component half of the registry and folder monitors
//
// Each start makes a fresh worker that frees itself when it ends; the component keeps
// only the worker's TsxThreadLink, so it never touches a worker that may be gone.
#include "sxChangeMonitor.h"

TsxCustomChangeMonitor::TsxCustomChangeMonitor(TComponent* owner, unsigned notifyFilters)
    : TComponent(owner), FNotifyFilters(notifyFilters) {}

TsxCustomChangeMonitor::~TsxCustomChangeMonitor() {
    if (auto link = std::move(FLink)) link->RequestStop();
}

void TsxCustomChangeMonitor::Loaded() {
    TComponent::Loaded();
    SetActive(FActive);
}

void TsxCustomChangeMonitor::SetActive(bool value) {
    FActive = value;
    UpdateActive();
}

void TsxCustomChangeMonitor::SetNotifyFilters(unsigned value) {
    if (value == FNotifyFilters) return;
    FNotifyFilters = value;
    UpdateActive();
}

void TsxCustomChangeMonitor::SetWatchSubTree(bool value) {
    if (value == FWatchSubTree) return;
    FWatchSubTree = value;
    UpdateActive();
}

void TsxCustomChangeMonitor::SetOnChange(const TThreadMethod& value) {
    FOnChange = value;
    UpdateActive();
}

void TsxCustomChangeMonitor::UpdateActive() { FActive ? StartMonitor() : StopMonitor(); }

void TsxCustomChangeMonitor::StartMonitor() {
    StopMonitor();
    if (IsLoading() || IsDestroying() || IsDesigning()) return;
    if (!FActive || !FOnChange) return;
    auto link = std::make_shared<TsxThreadLink>();
    TsxThread* worker = CreateWorker(FOnChange, link);
    FLink = std::move(link);
    worker->Start();
}

void TsxCustomChangeMonitor::StopMonitor() {
    if (IsLoading() || IsDesigning()) return;
    // Forget first: from here on the worker may end and free itself at any moment.
    if (auto link = std::move(FLink)) link->RequestStop();
}
