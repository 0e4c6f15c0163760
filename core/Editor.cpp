// core/Editor.cpp -- the main window
#include "core/Editor.h"

#include <windows.h>

#include "controls/FxPanel.h"
#include "core/Updated.h"
#include "desktop/Classes.h"
#include "desktop/Label.h"
#include "desktop/PageControl.h"
#include "desktop/Panel.h"
#include "desktop/SystemMessageBox.h"

Teditor::Teditor(TComponent* owner) : TForm(owner) { InitDescription("Teditor"); }

int Teditor::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return SystemMessageBox(Handle(), text, caption, flags);
}

void RegisterCoreClasses() {
    TClassRegistration<Teditor>("Teditor", "TForm")
        .Field("header", &Teditor::header)
        .Field("menu", &Teditor::menu)
        .Field("version", &Teditor::version)
        .Field("Engine", &Teditor::Engine)
        .Field("pgHome", &Teditor::pgHome)
        .Field("pgSettings", &Teditor::pgSettings)
        .Field("pgScanning", &Teditor::pgScanning)
        .Field("pgTrashcan", &Teditor::pgTrashcan)
        .Field("pgHelp", &Teditor::pgHelp)
        .Field("pgUpdate", &Teditor::pgUpdate)
        .Field("pgProcesses", &Teditor::pgProcesses)
        .Field("pgAbout", &Teditor::pgAbout)
        .Field("pgTools", &Teditor::pgTools)
        .Field("pgLists", &Teditor::pgLists);
    RegisterEditorStartup();
    RegisterEditorWindow();
    RegisterEditorPages();
    RegisterEditorProtection();
    RegisterEditorScan();
    RegisterEditorUpdate();
    RegisterUpdatedClasses();
}
