// shell/sxShutdown.cpp -- TsxShutdown
#include "sxShutdown.h"

#include "desktop/Handle.h"
#include "sxSysUtils.h"
#include "desktop/Classes.h"

namespace {

// NT refuses ExitWindowsEx without SeShutdownPrivilege enabled in the process token.
bool EnableShutdownPrivilege() {
    THandle process(OpenProcess(PROCESS_ALL_ACCESS, TRUE, GetCurrentProcessId()));
    HANDLE rawToken = nullptr;
    BOOL opened = process.IsValid() && OpenProcessToken(process.Get(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken);
    process.Reset();
    if (!opened) return false;
    THandle token(rawToken);
    TOKEN_PRIVILEGES privileges{};
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Only the call's result counts: a privilege the account lacks (ERROR_NOT_ALL_ASSIGNED)
    // shows up as the failure of the shutdown call itself.
    TOKEN_PRIVILEGES previous{};
    DWORD previousSize = 0;
    return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof(previous), &previous, &previousSize) != FALSE;
}

} // namespace

void TsxShutdown::QueryShutdown(bool& canShutdown) {
    if (FOnQueryShutdown) FOnQueryShutdown(this, canShutdown);
}

UINT TsxShutdown::ExitWindowsFlags(TsxShutdownActionType action, bool force) {
    UINT flags = 0;
    switch (action) {
    case aatPowerOff: flags = EWX_POWEROFF; break;
    case aatShutdown: flags = EWX_SHUTDOWN; break;
    case aatReboot: flags = EWX_REBOOT; break;
    default: flags = EWX_LOGOFF; break;
    }
    return force ? flags | EWX_FORCE : flags;
}

bool TsxShutdown::Execute() {
    if (IsWinNT() && !EnableShutdownPrivilege()) return false;
    bool canShutdown = true;
    QueryShutdown(canShutdown);
    if (!canShutdown) return false;
    switch (FActionType) {
    case aatSuspend: return CallSetSystemPowerState(true, FForce);
    case aatHibernate: return CallSetSystemPowerState(false, FForce);
    default: return CallExitWindowsEx(ExitWindowsFlags(FActionType, FForce));
    }
}

bool TsxShutdown::CallExitWindowsEx(UINT flags) { return ExitWindowsEx(flags, 0) != FALSE; }

bool TsxShutdown::CallSetSystemPowerState(bool suspend, bool force) {
    return SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

void RegisterShutdownClass() {
    TClassRegistration<TsxShutdown>("TsxShutdown", "TComponent")
        .Ignore("About")
        .Enum<TsxShutdownActionType>("ActionType", &TsxShutdown::SetActionType,
                                     {{"aatPowerOff", aatPowerOff}, {"aatShutdown", aatShutdown},
                                      {"aatReboot", aatReboot}, {"aatLogOff", aatLogOff},
                                      {"aatSuspend", aatSuspend}, {"aatHibernate", aatHibernate}})
        .Bool("Force", &TsxShutdown::SetForce)
        .Event<TsxQueryShutdownEvent>("OnQueryShutdown", &TsxShutdown::SetOnQueryShutdown);
}
