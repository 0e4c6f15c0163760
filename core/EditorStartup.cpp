// core/EditorStartup.cpp -- the one-shot start-up sequence of the main window and the small
// services every page shares (notifications, the plain message window, the fatal exit)
//
// The sequence runs inside the first idle notification, which the application-properties
// component `props` hands on to propsIdle: in the main message loop, or in the modal loop of
// a dialog shown while the window is still being created. The hidden check box `startup`
// is ticked in the description and cleared first, so no later idle moment runs it again.
#include "core/Editor.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "Varnel2/Varnel2.h"
#include "controls/FxPanel.h"
#include "core/ListFile.h"
#include "core/Version.h"
#include "desktop/Application.h"
#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/Dialogs.h"
#include "desktop/IniFile.h"
#include "desktop/Label.h"
#include "desktop/ListBox.h"
#include "desktop/PageControl.h"
#include "desktop/StringList.h"
#include "desktop/SysUtils.h"
#include "desktop/Timer.h"
#include "shared/SharedClasses.h"
#include "shared/PersonalFolder.h"
#include "shell/ShellUtilityClasses.h"
#include "shell/sxApplicationProperties.h"
#include "shell/sxAutoRun.h"
#include "shell/sxOneInstance.h"
#include "shell/sxSysUtils.h"

std::unique_ptr<TIniFile> gWhiteListFile, gBlackListFile, gSettingsFile, gTrashListFile, gDeleteListFile;

namespace {

// Only the first argument counts, compared exactly: "-S" or "/s" is no switch.
bool StartedWithSwitch() { return __argc > 1 && std::strcmp(__argv[1], "-s") == 0; }

// A per-user file that refuses a write is reported, and the start-up goes on with the next
// step: the pages and the other files are still worth having.
template <class TStep>
void ReportingFailure(TStep step) {
    try {
        step();
    } catch (...) {
        HandleCallbackException();
    }
}

} // namespace

void Teditor::propsIdle(TObject*, bool&) {
    if (!startup->Checked()) return;
    startup->SetChecked(false);

    if (StartedWithSwitch())
        Timer1->SetEnabled(true);
    else
        SetWindowShown(true);
    version->SetCaption(Format("Sentinox, core version: %s, Update number: %d ", CoreVersion, UpdateNumber));

    const char* name = UserName();
    luser->SetCaption(UpperCaseAscii(name ? name : ""));
    if (luser->Caption().empty()) {
        FatalError("Couldn`t localize the current user.", "Fatal Error");
        return;
    }
    if (IsAdministrator() == 0) {
        FatalError("You are not a system administrator.", "Wrong user privileges");
        return;
    }

    const std::string files = PersonalFolder() + luser->Caption();
    gWhiteListFile = std::make_unique<TIniFile>(files + "_white.snx");
    gBlackListFile = std::make_unique<TIniFile>(files + "_black.snx");
    gSettingsFile = std::make_unique<TIniFile>(files + ".snx");
    gTrashListFile = std::make_unique<TIniFile>(files + "_trash.snx");
    gDeleteListFile = std::make_unique<TIniFile>(files + "_delete.snx");

    ReportingFailure([&] { AddToList(*gWhiteListFile, Application->ExeName()); });
    ReportingFailure([&] { LoadSettings(); });

    ListProcesses(memList->Items());
    LoadTrashList();
    LoadWhiteList();
    LoadBlackList();

    AddNotification("There are " + NumToStr(whiteList->Items().Count()) + " items in the White List.");
    AddNotification("There are " + NumToStr(blackList->Items().Count()) + " items in the Black List.");
    if (home_security->Position() < settings::SecurityLevelMax)
        AddNotification("Change configuration to be protected completely.");

    // The update check at start, the start-up scan and Automatic Protection come in here.
    if (sett_autoupdate->Checked()) CheckForUpdates();
    if (sett_autoscan->Checked()) {
        Engine->SetActivePage(pgScanning);
        ScanSystem(true);
        Engine->SetActivePage(pgHome);
    }
    if (sett_autoremovebadkeys->Checked()) {
        AddNotification("Registry Automatic Protection enabled.");
        StartRegistryProtection();
    }
    if (sett_autoremovebadapps->Checked()) {
        AddNotification("Important Folders Automatic Protection enabled.");
        StartFolderProtection();
    }
}

void Teditor::FatalError(const std::string& text, const std::string& title) {
    ShowMessageBox(text, title, MB_OK | MB_ICONWARNING);
    // `run` has not been given the "-s" command yet (settings are loaded later), so the value
    // it would keep is named here: the program's path + " -s" under the current user's "Run".
    run->SetAutoRun(false);
    UnregisterAutoRun(aekUserRun, Application->ExeName() + " -s");
    Application->Terminate();
}

void Teditor::AddNotification(const std::string& text) { notifications->Items().Add(text); }

void Teditor::ShowInfo(const std::string& text) { ShowMessage(text); }

std::string Teditor::NumToStr(int number) { return IntToStr(number); }

void RegisterEditorStartup() {
    RegisterDesktopClasses();
    RegisterSharedClasses();
    RegisterShellUtilityClasses();
    TClassRegistration<Teditor>("Teditor", "TForm")
        .Field("Timer1", &Teditor::Timer1)
        .Field("props", &Teditor::props)
        .Field("once", &Teditor::once)
        .Field("startup", &Teditor::startup)
        .Field("luser", &Teditor::luser)
        .Field("notifications", &Teditor::notifications)
        .Field("home_autorun", &Teditor::home_autorun)
        .Field("home_autoscan", &Teditor::home_autoscan)
        .Field("home_security", &Teditor::home_security)
        .Field("HomeScanBtn", &Teditor::HomeScanBtn)
        .Field("run", &Teditor::run)
        .Field("sett_autorun", &Teditor::sett_autorun)
        .Field("sett_autoupdate", &Teditor::sett_autoupdate)
        .Field("sett_autoscan", &Teditor::sett_autoscan)
        .Field("sett_closescan", &Teditor::sett_closescan)
        .Field("sett_scanregistry", &Teditor::sett_scanregistry)
        .Field("sett_scanmemory", &Teditor::sett_scanmemory)
        .Field("sett_removebadkeys", &Teditor::sett_removebadkeys)
        .Field("sett_removebadapps", &Teditor::sett_removebadapps)
        .Field("sett_besilent", &Teditor::sett_besilent)
        .Field("sett_addicon", &Teditor::sett_addicon)
        .Field("sett_autoremovebadkeys", &Teditor::sett_autoremovebadkeys)
        .Field("sett_autoremovebadapps", &Teditor::sett_autoremovebadapps)
        .Field("DefaultSettBtn", &Teditor::DefaultSettBtn)
        .Field("SaveSettBtn", &Teditor::SaveSettBtn)
        .Handler("propsIdle", &Teditor::propsIdle)
        .Handler("Timer1Timer", &Teditor::Timer1Timer)
        .Handler("SaveSettBtnClick", &Teditor::SaveSettBtnClick)
        .Handler("DefaultSettBtnClick", &Teditor::DefaultSettBtnClick);
}
