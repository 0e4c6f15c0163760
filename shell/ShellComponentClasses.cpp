// shell/ShellComponentClasses.cpp -- the shell file and periphery components, registered in the
// family's order; each class's file holds its own property table
#include "shell/ShellComponentClasses.h"

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

void RegisterShellComponentClasses() {
    RegisterDesktopClasses();
    RegisterTrayClasses();   // TsxCustomTimer, the colour picker's base
    RegisterColorIdentsEx();
    // In the component family's order; the classes of the other registration files keep theirs.
    RegisterClassesIfMissing({
        {"TsxCustomWndProcHook", &RegisterCustomWndProcHookClass},
        {"TsxCustomFileStorage", &RegisterCustomFileStorageClass},
        {"TsxWndProcHook", &RegisterWndProcHookClass},
        {"TsxFileStorage", &RegisterFileStorageClass},
        {"TsxWav", &RegisterWavClass},
        {"TsxFileOperation", &RegisterFileOperationClass},
        {"TsxFileAssociation", &RegisterFileAssociationClass},
        {"TsxStartButtonProperties", &RegisterStartButtonPropertiesClass},
        {"TsxColorPicker", &RegisterColorPickerClass},
    });
}
