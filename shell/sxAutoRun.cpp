// shell/sxAutoRun.cpp -- TsxAutoRun
#include "sxAutoRun.h"
#include "desktop/Classes.h"

namespace {

std::string ExecutablePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

} // namespace

TsxAutoRun::TsxAutoRun(TComponent* owner) : TComponent(owner) {
    if (!IsDesigning()) FFileName = ExecutablePath();
}

void TsxAutoRun::SetAutoRun(bool value) {
    if (value == FAutoRun) return;
    RemoveAutoRun();
    FAutoRun = value;
    UpdateAutoRun();
}

void TsxAutoRun::SetFileName(const std::string& value) {
    if (value == FFileName) return;
    RemoveAutoRun();
    FFileName = value;
    UpdateAutoRun();
}

void TsxAutoRun::SetKind(TsxAutoExecKind value) {
    if (value == FKind) return;
    RemoveAutoRun();
    FKind = value;
    UpdateAutoRun();
}

void TsxAutoRun::UpdateAutoRun() {
    if (IsDesigning()) return;
    RemoveAutoRun();
    if (FAutoRun) RegisterAutoRun(FKind, FFileName);
}

void TsxAutoRun::RemoveAutoRun() {
    if (IsDesigning()) return;
    UnregisterAutoRun(FKind, FFileName);
}

void TsxAutoRun::Loaded() {
    TComponent::Loaded();
    UpdateAutoRun();
}

void RegisterAutoRunClass() {
    TClassRegistration<TsxAutoRun>("TsxAutoRun", "TComponent")
        .Ignore("About")
        .Bool("AutoRun", &TsxAutoRun::SetAutoRun)
        .String("FileName", &TsxAutoRun::SetFileName)
        .Enum<TsxAutoExecKind>("Kind", &TsxAutoRun::SetKind,
                               {{"aekMachineRun", aekMachineRun}, {"aekMachineRunOnce", aekMachineRunOnce},
                                {"aekUserRun", aekUserRun}, {"aekUserRunOnce", aekUserRunOnce},
                                {"aekServiceRun", aekServiceRun}, {"aekServiceRunOnce", aekServiceRunOnce}});
}
