// shell/ShellUtilityClasses.cpp -- property tables of the shell utility components
#include "ShellUtilityClasses.h"

#include "desktop/ApplicationEvents.h"
#include "desktop/Classes.h"
#include "desktop/Controls.h"
#include "sxApplicationProperties.h"
#include "sxAutoRun.h"
#include "sxOneInstance.h"
#include "sxShutdown.h"
#include "sxSysUtils.h"

namespace {

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

void RegisterOneInstanceClass() {
    TClassRegistration<TsxOneInstance>("TsxOneInstance", "TComponent")
        .Ignore("About")
        .Bool("ActivatePrevInstance", &TsxOneInstance::SetActivatePrevInstance)
        .Bool("ExeNameAsIdentifier", &TsxOneInstance::SetExeNameAsIdentifier)
        .String("Message", &TsxOneInstance::SetMessage)
        .String("Identifier", &TsxOneInstance::SetIdentifier)
        .Bool("ShowMessage", &TsxOneInstance::SetShowMessage)
        .Event<TsxOneInstanceShowMessage>("OnShowMessage", &TsxOneInstance::SetOnShowMessage);
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

void RegisterApplicationPropertiesClass() {
    using P = TsxApplicationProperties;
    TClassRegistration<P>("TsxApplicationProperties", "TCustomApplicationEvents")
        .Ignore("About")
        .Bool("Chained", &P::SetChained)
        .String("HelpFile", &P::SetHelpFile)
        .Bool("Hidden", &P::SetHidden)
        .Custom("HintColor", [](P& p, const TPropValue& v, TLoadContext&) { p.SetHintColor(ColorFromValue(v)); })
        .Int("HintHidePause", &P::SetHintHidePause)
        .Int("HintPause", &P::SetHintPause)
        .Int("HintShortPause", &P::SetHintShortPause)
        // The application icon comes from the program's MAINICON resource.
        .Ignore("Icon.Data")
        .String("Title", &P::SetTitle)
        .Bool("ShowHint", &P::SetShowHint)
        .Bool("UpdateFormatSettings", &P::SetUpdateFormatSettings)
        .Bool("ShowMainForm", &P::SetShowMainForm)
        .Bool("UpdateMetricSettings", &P::SetUpdateMetricSettings)
        .Enum<TBiDiMode>("BiDiMode", &P::SetBiDiMode,
                         {{"bdLeftToRight", TBiDiMode::bdLeftToRight}, {"bdRightToLeft", TBiDiMode::bdRightToLeft},
                          {"bdRightToLeftNoAlign", TBiDiMode::bdRightToLeftNoAlign},
                          {"bdRightToLeftReadingOnly", TBiDiMode::bdRightToLeftReadingOnly}})
        .Bool("HintShortCuts", &P::SetHintShortCuts)
        .Bool("MouseDragImmediate", &P::SetMouseDragImmediate)
        .Int("MouseDragThreshold", &P::SetMouseDragThreshold)
        .String("BiDiKeyboard", &P::SetBiDiKeyboard)
        .String("NonBiDiKeyboard", &P::SetNonBiDiKeyboard)
        .Event<TNotifyEvent>("OnPaintIcon", &P::SetOnPaintIcon)
        .Event<TNotifyEvent>("OnSettingsChanged", &P::SetOnSettingsChanged)
        .Event<TIdleEvent>("OnIdle", &P::SetOnIdle)
        .Event<TExceptionEvent>("OnException", &P::SetOnException)
        .Event<TMessageEvent>("OnMessage", &P::SetOnMessage)
        .Event<TNotifyEvent>("OnMinimize", &P::SetOnMinimize)
        .Event<TNotifyEvent>("OnRestore", &P::SetOnRestore);
}

} // namespace

void RegisterShellUtilityClasses() {
    RegisterDesktopClasses();
    RegisterApplicationEventsClasses();
    RegisterClassesIfMissing({
        {"TsxAutoRun", &RegisterAutoRunClass},
        {"TsxOneInstance", &RegisterOneInstanceClass},
        {"TsxShutdown", &RegisterShutdownClass},
        {"TsxApplicationProperties", &RegisterApplicationPropertiesClass},
    });
}
