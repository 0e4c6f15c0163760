// core/EditorWindow.cpp -- showing and hiding the main window, the tray icon's reactions,
// the left menu's page switches, the refresh of a page picked by its tab, and closing
#include "core/Editor.h"

#include "controls/FxUrlLabel.h"
#include "core/Version.h"
#include "desktop/Application.h"
#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/ImageList.h"
#include "desktop/Label.h"
#include "desktop/ListBox.h"
#include "desktop/Menus.h"
#include "desktop/PageControl.h"
#include "desktop/Timer.h"
#include "shell/sxTrayIcon.h"

namespace {

// The description keeps the window at its header-and-version height until the program shows it.
constexpr int ShownHeight = 526;

} // namespace

void Teditor::SetWindowShown(bool show) {
    if (show) {
        // One move to the full height and the centre: a resize, then a move, draws it twice.
        CenterAtSize(Width(), ShownHeight);
        tray->ShowApplication();
    } else {
        tray->HideApplication();
    }
    // Until its creation ends the application has no main window, so the tray's show and hide
    // reach nothing; yet the start-up sequence already runs then when the tips dialog shows
    // from the window's load step. The window and the main loop are told directly (with "-s"
    // and a slow reader, the window would otherwise come up instead of going to the tray).
    if (Application && Application->MainForm() != this) {
        Application->ShowMainForm = show;
        SetVisible(show);
    }
}

void Teditor::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    SetWindowShown(false);
}

void Teditor::ShowPage(TTabSheet* page) {
    if (!Visible()) SetWindowShown(true);
    Engine->SetActivePage(page);
}

// ---- the tray icon and its menu

void Teditor::trayClick(TObject*) { SetWindowShown(!Visible()); }
void Teditor::ShowSentinox1Click(TObject*) { SetWindowShown(!Visible()); }

void Teditor::trayBalloonClick(TObject*) {
    Engine->SetActivePage(pgScanning);
    SetWindowShown(true);
}

void Teditor::Scan1Click(TObject*) {
    if (!Visible()) SetWindowShown(true);
    HomeScanBtn->Click();
}

void Teditor::Settings1Click(TObject*) { ShowPage(pgSettings); }
void Teditor::Lists1Click(TObject*) { ShowPage(pgLists); }
void Teditor::Update1Click(TObject*) { ShowPage(pgUpdate); }
void Teditor::Exit1Click(TObject*) { Close(); }

// ---- the menu labels

void Teditor::FxUrlLabel1Click(TObject*) { Engine->SetActivePage(pgHome); }
void Teditor::FxUrlLabel2Click(TObject*) { Engine->SetActivePage(pgSettings); }
void Teditor::FxUrlLabel3Click(TObject*) { Engine->SetActivePage(pgScanning); }
void Teditor::FxUrlLabel4Click(TObject*) { Engine->SetActivePage(pgTrashcan); }
void Teditor::FxUrlLabel5Click(TObject*) { Engine->SetActivePage(pgHelp); }
void Teditor::FxUrlLabel6Click(TObject*) { Engine->SetActivePage(pgUpdate); }
void Teditor::FxUrlLabel7Click(TObject*) { Engine->SetActivePage(pgProcesses); }
void Teditor::FxUrlLabel8Click(TObject*) { Engine->SetActivePage(pgLists); }

// ---- a page picked by its tab

void Teditor::EngineChange(TObject*) {
    TTabSheet* page = Engine->ActivePage();
    if (page == pgTrashcan) {
        trashRefreshbtn->Click();
    } else if (page == pgProcesses) {
        ListProcesses(memList->Items());
    } else if (page == pgLists) {
        LoadWhiteList();
        LoadBlackList();
    } else if (page == pgTools) {
        LoadDeleteList();
    } else if (page == pgAbout) {
        ab_version->SetCaption(CoreVersion);
    }
}

// ---- closing

void Teditor::FormClose(TObject*, TCloseAction&) {
    // Runs also while the window is hidden ("Exit" of the tray menu); the scan is silent, so it
    // asks nothing unless it finds something to decide on.
    if (!sett_closescan->Checked()) return;
    Engine->SetActivePage(pgScanning);
    ScanSystem(true);
}

void RegisterEditorWindow() {
    TClassRegistration<Teditor>("Teditor", "TForm")
        .Field("tray", &Teditor::tray)
        .Field("popup", &Teditor::popup)
        .Field("ilist", &Teditor::ilist)
        .Field("ab_version", &Teditor::ab_version)
        .Handler("trayClick", &Teditor::trayClick)
        .Handler("trayBalloonClick", &Teditor::trayBalloonClick)
        .Handler("ShowSentinox1Click", &Teditor::ShowSentinox1Click)
        .Handler("Scan1Click", &Teditor::Scan1Click)
        .Handler("Settings1Click", &Teditor::Settings1Click)
        .Handler("Lists1Click", &Teditor::Lists1Click)
        .Handler("Update1Click", &Teditor::Update1Click)
        .Handler("Exit1Click", &Teditor::Exit1Click)
        .Handler("FxUrlLabel1Click", &Teditor::FxUrlLabel1Click)
        .Handler("FxUrlLabel2Click", &Teditor::FxUrlLabel2Click)
        .Handler("FxUrlLabel3Click", &Teditor::FxUrlLabel3Click)
        .Handler("FxUrlLabel4Click", &Teditor::FxUrlLabel4Click)
        .Handler("FxUrlLabel5Click", &Teditor::FxUrlLabel5Click)
        .Handler("FxUrlLabel6Click", &Teditor::FxUrlLabel6Click)
        .Handler("FxUrlLabel7Click", &Teditor::FxUrlLabel7Click)
        .Handler("FxUrlLabel8Click", &Teditor::FxUrlLabel8Click)
        .Handler("EngineChange", &Teditor::EngineChange)
        .Handler("FormClose", &Teditor::FormClose);
}
