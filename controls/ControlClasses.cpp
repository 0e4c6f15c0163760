// controls/ControlClasses.cpp -- the family's start-up: its tables, cursors and picture format,
// then every class of controls/ in order; each class's file holds its own property table
#include "ControlClasses.h"

#include "FxCursors.h"
#include "FxLabel.h"
#include "FxPanel.h"
#include "FxUrlLabel.h"
#include "JpegFormat.h"
#include "UiButton.h"
#include "UiCharTables.h"
#include "UiFormMagnet.h"
#include "UiGraphicsTables.h"
#include "UiHTLabel.h"
#include "UiIntegerEdit.h"
#include "UiPageControl.h"
#include "UiSpeedButton.h"
#include "UiSysInfo.h"
#include "UiTipOfDay.h"
#include "desktop/Classes.h"
#include "desktop/Panel.h"
#include "desktop/UpDown.h"
#include "shared/SharedClasses.h"
#include "shell/sxSysUtils.h"
#include "sxComboBox.h"
#include "sxDatePanel.h"
#include "sxEdit.h"
#include "sxGroupBox.h"
#include "sxImage.h"
#include "sxImageListBox.h"
#include "sxScrollBar.h"

namespace {

// The family of the sx controls, each under its custom class name and the name descriptions
// place; a class registered already, by another module, is left as it is.
void RegisterSxControlFamily() {
    RegisterClassesIfMissing({
        {"TsxCustomEdit", &RegisterSxCustomEditClass},
        {"TsxEdit", &RegisterSxEditClass},
        {"TsxCustomComboBox", &RegisterSxCustomComboBoxClass},
        {"TsxComboBox", &RegisterSxComboBoxClass},
        {"TsxCustomImageListBox", &RegisterSxCustomImageListBoxClass},
        {"TsxImageListBox", &RegisterSxImageListBoxClass},
        {"TsxCustomImage", &RegisterSxCustomImageClass},
        {"TsxImage", &RegisterSxImageClass},
        {"TsxCustomGroupBox", &RegisterSxCustomGroupBoxClass},
        {"TsxGroupBox", &RegisterSxGroupBoxClass},
        {"TsxCustomScrollBar", &RegisterSxCustomScrollBarClass},
        {"TsxScrollBar", &RegisterSxScrollBarClass},
        {"TsxCustomDatePanel", &RegisterSxCustomDatePanelClass},
        {"TsxDatePanel", &RegisterSxDatePanelClass},
    });
    // What the date panel is made of.
    RegisterClassesIfMissing({{"TPanel", [] { TClassRegistration<TPanel>("TPanel", "TControl"); }},
                              {"TUpDown", &RegisterUpDownClass}});
}

} // namespace

void InitControlTables() {
    InitCharTables();
    InitSystemInfo();
    InitGraphicsTables(ProcessorInfo().HasMmx);
}

void RegisterFxControlClasses() {
    static bool registered = false;
    if (registered) return;
    RegisterSharedClasses();   // TUiComponent, the magnet's base
    InitControlTables();
    RegisterJpegFormat();
    RegisterFxPanelClass();
    RegisterFxLabelClass();
    RegisterFxUrlLabelClass();
    RegisterUiHTLabelClass();
    RegisterUiIntegerEditClass();
    RegisterUiPageControlClass();
    RegisterSxControlFamily();
    RegisterUiFormMagnetClass();
    RegisterUiButtonClass();
    RegisterUiSpeedButtonClass();
    RegisterUiTipOfDayClass();
    registered = true;
}
