// shell/sxShutdown.h -- TsxShutdown: power off, shut down, reboot, log off, suspend or hibernate
#pragma once
#include <windows.h>

#include "desktop/Component.h"
#include "desktop/Events.h"

enum class TsxShutdownActionType { aatPowerOff, aatShutdown, aatReboot, aatLogOff, aatSuspend, aatHibernate };
using enum TsxShutdownActionType;

using TsxQueryShutdownEvent = TBoundMethod<void(TObject* sender, bool& canShutdown)>;

class TsxShutdown : public TComponent {
public:
    explicit TsxShutdown(TComponent* owner) : TComponent(owner) {}

    TsxShutdownActionType ActionType() const noexcept { return FActionType; }
    void SetActionType(TsxShutdownActionType value) noexcept { FActionType = value; }
    bool Force() const noexcept { return FForce; }
    void SetForce(bool value) noexcept { FForce = value; }
    const TsxQueryShutdownEvent& OnQueryShutdown() const noexcept { return FOnQueryShutdown; }
    void SetOnQueryShutdown(const TsxQueryShutdownEvent& value) { FOnQueryShutdown = value; }

    virtual void QueryShutdown(bool& canShutdown);   // fires OnQueryShutdown
    // Enables SeShutdownPrivilege (NT), asks OnQueryShutdown, then makes the platform call.
    virtual bool Execute();                           // true: the platform call reported success

    static UINT ExitWindowsFlags(TsxShutdownActionType action, bool force);  // EWX_* for the first four actions

protected:
    // The two platform calls; under Wine a real one ends the whole prefix's session.
    virtual bool CallExitWindowsEx(UINT flags);
    virtual bool CallSetSystemPowerState(bool suspend, bool force);

private:
    TsxShutdownActionType FActionType = aatPowerOff;
    bool FForce = false;
    TsxQueryShutdownEvent FOnQueryShutdown;
};

// Registers TsxShutdown for window descriptions.
void RegisterShutdownClass();
