// shell/ShellComponentClasses.cpp -- property tables of the shell file and periphery components
#include "shell/ShellComponentClasses.h"

#include <string>
#include <utility>
#include <vector>

#include "desktop/Classes.h"
#include "shell/sxFileAssociation.h"
#include "shell/sxFileOperation.h"
#include "shell/sxFileStorage.h"
#include "shell/sxSysUtils.h"

namespace {

template <class C>
void AddFileData(TClassRegistration<C>& registration) {
    registration.Custom("FileData", [](C& storage, const TPropValue& v, TLoadContext& ctx) {
        if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
        try {
            storage.ReadData(v.Data);
        } catch (const EsxFileStorage& e) {
            throw EDescriptionError(ctx.Where + ": " + e.Message());
        }
    });
}

void RegisterCustomFileStorage() {
    TClassRegistration<TsxCustomFileStorage> registration("TsxCustomFileStorage", "TComponent", true);
    registration.Ignore("About").Ignore("DataSize");
    AddFileData(registration);
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

} // namespace

void RegisterShellComponentClasses() {
    RegisterDesktopClasses();
    // In the component family's order; the classes of the other registration files keep theirs.
    RegisterClassesIfMissing({
        {"TsxCustomFileStorage", &RegisterCustomFileStorage},
        {"TsxFileStorage", &RegisterFileStorage},
        {"TsxFileOperation", &RegisterFileOperation},
        {"TsxFileAssociation", &RegisterFileAssociation},
    });
}
