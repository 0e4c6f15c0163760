// shell/sxAutoRun.h -- TsxAutoRun: keeps one command registered in one Windows autostart key
//
// Every change is remove-then-apply: the value of the old state is deleted, the new state
// stored, and the value of the new state deleted and, when AutoRun is on, written again.
// Only design mode holds it back, so it already acts while a description is read (the
// first Kind deletes a value named after the executable from two keys). Destroying the
// component leaves the registry alone: the value outlives the program on purpose.
#pragma once
#include <string>

#include "desktop/Component.h"
#include "sxSysUtils.h"

class TsxAutoRun : public TComponent {
public:
    explicit TsxAutoRun(TComponent* owner);   // FileName: the executable's path (empty while designing)

    bool AutoRun() const noexcept { return FAutoRun; }
    void SetAutoRun(bool value);
    const std::string& FileName() const noexcept { return FFileName; }
    void SetFileName(const std::string& value);   // the command; its name part names the value
    TsxAutoExecKind Kind() const noexcept { return FKind; }
    void SetKind(TsxAutoExecKind value);

    virtual void UpdateAutoRun();   // remove, then register when AutoRun; results ignored
    virtual void RemoveAutoRun();   // unregister the current state; result ignored
    void Loaded() override;

private:
    bool FAutoRun = false;
    std::string FFileName;
    TsxAutoExecKind FKind = aekMachineRun;
};

// Registers TsxAutoRun for window descriptions.
void RegisterAutoRunClass();
