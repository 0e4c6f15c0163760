// core/EditorUpdate.cpp -- the main program's side of the update cycle: the update list
// fetched and compared, and the updater started from the program folder
//
// The main program never updates itself: when the server has a higher number and the user
// agrees, it starts "update.exe" without waiting and goes on running; the updater stops it.
#include "core/Editor.h"

#include <windows.h>
#include <shellapi.h>

#include "core/SettingsFile.h"
#include "desktop/Application.h"
#include "desktop/Button.h"
#include "desktop/Classes.h"
#include "desktop/IniFile.h"
#include "desktop/SysUtils.h"
#include "shared/HttpFetch.h"
#include "shared/UpdateSite.h"

namespace {

constexpr char UpdateListCopy[] = "autoUpdate.txt";
constexpr char UpdaterProgram[] = "update.exe";

std::string ProgramFolder() { return ExtractFilePath(Application->ExeName()); }

} // namespace

void Teditor::CheckForUpdates() {
    // The site is named once, in UpdateSite.h, for both programs; the description leaves it out.
    dlList->SetURL(UpdateListUrl());
    dlList->SetFileName(ProgramFolder() + UpdateListCopy);
    dlList->StartDownload();
}

void Teditor::dlListDoneFile(TObject*, const std::string&, int) {
    AddNotification("Checking for updates...");
    const int remote = TIniFile(dlList->FileName()).ReadInteger("sentinox", "update", -1);
    const int local = gSettingsFile ? gSettingsFile->ReadInteger(settings::ApplicationSection, "update", 0) : 0;
    if (remote <= local) {
        AddNotification("You have the current version installed.");
        return;
    }
    if (ShowMessageBox("There is an update available on the server. Do you wan't to install it?", "New Version",
                       MB_YESNO | MB_ICONQUESTION) == IDYES)
        StartUpdater();
}

void Teditor::dlListError(TObject*) {
    ShowMessageBox("The list of updates is not currently available.", "Update Error", MB_OK | MB_ICONWARNING);
}

void Teditor::Button1Click(TObject*) { StartUpdater(); }

void Teditor::StartUpdater() {
    // Not waited for, and its result is not examined: a missing updater is simply not started.
    ShellExecuteA(Handle(), "open", (ProgramFolder() + UpdaterProgram).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void RegisterEditorUpdate() {
    TClassRegistration<Teditor>("Teditor", "TForm")
        .Field("dlList", &Teditor::dlList)
        .Field("Button1", &Teditor::Button1)
        .Handler("dlListDoneFile", &Teditor::dlListDoneFile)
        .Handler("dlListError", &Teditor::dlListError)
        .Handler("Button1Click", &Teditor::Button1Click);
}
