// shell/ShellComponentClasses.cpp -- property tables of the shell file and periphery components
#include "shell/ShellComponentClasses.h"

#include <string>
#include <utility>
#include <vector>

#include "desktop/Classes.h"
#include "shell/sxColorPicker.h"
#include "shell/sxFileAssociation.h"
#include "shell/sxFileOperation.h"
#include "shell/sxFileStorage.h"
#include "shell/sxGraphics.h"
#include "shell/sxStartButtonProperties.h"
#include "shell/sxSysUtils.h"
#include "shell/sxTrayIcon.h"
#include "shell/sxWav.h"
#include "shell/sxWndProcHook.h"

namespace {

void RegisterCustomFileStorage() {
    TClassRegistration<TsxCustomFileStorage>("TsxCustomFileStorage", "TComponent", true)
        .Ignore("About")
        .Ignore("DataSize")   // follows the data
        .Custom("FileData", [](TsxCustomFileStorage& storage, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
            try {
                storage.ReadData(v.Data);
            } catch (const EsxFileStorage& e) {
                throw EDescriptionError(ctx.Where + ": " + e.Message());
            }
        });
}

void RegisterFileStorage() {
    TClassRegistration<TsxFileStorage>("TsxFileStorage", "TsxCustomFileStorage")
        .String("SaveName", &TsxFileStorage::SetSaveName)
        .String("FileName", &TsxFileStorage::SetFileName)
        .Bool("AutoSave", &TsxFileStorage::SetAutoSave)
        .Event<TsxFileStorageOnFileOperation>("OnLoad", &TsxFileStorage::SetOnLoad)
        .Event<TsxFileStorageOnFileOperation>("OnSave", &TsxFileStorage::SetOnSave)
        .Event<TsxFileStorageOnConfirmOverride>("OnConfirmOverride", &TsxFileStorage::SetOnConfirmOverride);
}

void RegisterFileOperation() {
    using O = TsxFileOperation;
    TClassRegistration<O>("TsxFileOperation", "TComponent")
        .Ignore("About")
        .Strings("FileList.Strings", &O::SetFileListLines)
        .String("DestFolder", &O::SetDestFolder)
        .String("ProgressTitle", &O::SetProgressTitle)
        .Enum<TsxFileOperationType>("Operation", &O::SetOperation,
                                    {{"fotCopy", fotCopy}, {"fotDelete", fotDelete}, {"fotMove", fotMove},
                                     {"fotRename", fotRename}})
        .Custom("Options", [](O& o, const TPropValue& v, TLoadContext& c) {
            o.SetOptions(SetMask(v, c, {{"fofAllowUndo", fofAllowUndo}, {"fofFilesOnly", fofFilesOnly},
                                           {"fofNoConfirmation", fofNoConfirmation},
                                           {"fofNoConfirmMkDir", fofNoConfirmMkDir}, {"fofNoErrorUI", fofNoErrorUI},
                                           {"fofRenameCollision", fofRenameCollision}, {"fofSilent", fofSilent},
                                           {"fofSimpleProgress", fofSimpleProgress}}));
        })
        .Event<TsxFileOperationEvent>("OnError", &O::SetOnError);
}

void RegisterFileAssociation() {
    using A = TsxFileAssociation;
    TClassRegistration<A>("TsxFileAssociation", "TComponent")
        .Ignore("About")
        .String("Extension", &A::SetExtension)
        .String("ExtDescription", &A::SetExtDescription)
        .String("FileDescription", &A::SetFileDescription)
        .String("IconFile", &A::SetIconFile)
        .Int("IconIndex", &A::SetIconIndex)
        // The icons are read from IconFile; what a description holds of them is not used.
        .Ignore("LargeIcon.Data")
        .Bool("ReadOnly", &A::SetReadOnly)
        .Ignore("SmallIcon.Data")
        .String("OpenCommand", &A::SetOpenCommand)
        .String("OpenCommandDescription", &A::SetOpenCommandDescription)
        .String("OpenNewCommand", &A::SetOpenNewCommand)
        .String("OpenNewCommandDescription", &A::SetOpenNewCommandDescription)
        .String("EditCommand", &A::SetEditCommand)
        .String("EditCommandDescription", &A::SetEditCommandDescription)
        .String("PrintCommand", &A::SetPrintCommand)
        .String("PrintCommandDescription", &A::SetPrintCommandDescription)
        .String("PrintToCommand", &A::SetPrintToCommand)
        .String("PrintToCommandDescription", &A::SetPrintToCommandDescription);
}

void RegisterWav() {
    TClassRegistration<TsxWav>("TsxWav", "TsxCustomFileStorage")
        .Bool("AsyncPlay", &TsxWav::SetAsyncPlay)
        .Bool("Looped", &TsxWav::SetLooped)
        .Bool("NoDefaultSound", &TsxWav::SetNoDefaultSound)
        .Bool("NoStopSound", &TsxWav::SetNoStopSound)
        .Bool("NoWaitIfBusy", &TsxWav::SetNoWaitIfBusy)
        .Enum<TsxWavPlayFrom>("PlayFrom", &TsxWav::SetPlayFrom,
                              {{"pfFile", pfFile}, {"pfResource", pfResource}, {"pfDFM", pfDFM},
                               {"pfSystemEvent", pfSystemEvent}})
        .String("FileName", &TsxWav::SetFileName)
        .String("ResourceName", &TsxWav::SetResourceName)
        .String("EventAlias", &TsxWav::SetEventAlias)
        .Event<TNotifyEvent>("OnPlayBefore", &TsxWav::SetOnPlayBefore)
        .Event<TNotifyEvent>("OnPlayAfter", &TsxWav::SetOnPlayAfter);
}

void RegisterStartButtonProperties() {
    using S = TsxStartButtonProperties;
    TClassRegistration<S>("TsxStartButtonProperties", "TComponent")
        .Ignore("About")
        .Int("ButtonLeft", &S::SetButtonLeft)
        .Int("ButtonTop", &S::SetButtonTop)
        .Int("ButtonWidth", &S::SetButtonWidth)
        .Int("ButtonHeight", &S::SetButtonHeight)
        .Bool("Enabled", &S::SetEnabled)
        .Bool("Visible", &S::SetVisible);
}

void RegisterColorPicker() {
    TClassRegistration<TsxColorPicker>("TsxColorPicker", "TsxCustomTimer")
        .Bool("Enabled", &TsxColorPicker::SetEnabled)
        .Custom("Interval", [](TsxColorPicker& p, const TPropValue& v, TLoadContext& ctx) {
            p.SetInterval(NonNegative(v, ctx));
        })
        .Event<TNotifyEvent>("OnTimer", &TsxColorPicker::SetOnTimer);
}

void RegisterCustomWndProcHook() {
    TClassRegistration<TsxCustomWndProcHook>("TsxCustomWndProcHook", "TComponent").Ignore("About");
}

void RegisterWndProcHook() {
    using H = TsxWndProcHook;
    TClassRegistration<H>("TsxWndProcHook", "TsxCustomWndProcHook")
        .Bool("Active", &H::SetActive)
        .Bool("AutoDrag", &H::SetAutoDrag)
        .Custom("WinControl", [](H& hook, const TPropValue& v, TLoadContext&) { hook.SetWinControlName(v.AsIdent()); })
        .Event<TNotifyEvent>("OnChangeHandle", &H::SetOnChangeHandle)
        .Event<TNotifyEvent>("OnChangeWinControl", &H::SetOnChangeWinControl)
        .Event<TsxMessageEvent>("OnMessageAfter", &H::SetOnMessageAfter)
        .Event<TsxMessageEvent>("OnMessageBefore", &H::SetOnMessageBefore);
}

} // namespace

void RegisterShellComponentClasses() {
    RegisterDesktopClasses();
    RegisterTrayClasses();   // TsxCustomTimer, the colour picker's base
    RegisterColorIdentsEx();
    // In the component family's order; the classes of the other registration files keep theirs.
    RegisterClassesIfMissing({
        {"TsxCustomWndProcHook", &RegisterCustomWndProcHook},
        {"TsxCustomFileStorage", &RegisterCustomFileStorage},
        {"TsxWndProcHook", &RegisterWndProcHook},
        {"TsxFileStorage", &RegisterFileStorage},
        {"TsxWav", &RegisterWav},
        {"TsxFileOperation", &RegisterFileOperation},
        {"TsxFileAssociation", &RegisterFileAssociation},
        {"TsxStartButtonProperties", &RegisterStartButtonProperties},
        {"TsxColorPicker", &RegisterColorPicker},
    });
}
