// core/EditorScan.cpp -- the system scan, its report and the decisions on what it found
//
// Everything runs on the GUI thread. The scan lets pending events run once per registry value
// and once per Black List slot, so buttons, the tray, timers and the monitors' hand-overs can
// reach the window in the middle of it: a second scan started that way is ignored, a close is
// held back until the scan has ended, and the process list is taken once, because the
// Processes page (or a move to the Trashcan) may rebuild memList meanwhile.
#include "core/Editor.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/ControlClasses.h"
#include "controls/UiIntegerEdit.h"
#include "core/AutostartKey.h"
#include "core/BadSoftwareDlg.h"
#include "core/EditorPages.h"
#include "core/ListFile.h"
#include "core/NewSoftwareDlg.h"
#include "desktop/Application.h"
#include "desktop/Button.h"
#include "desktop/CheckBox.h"
#include "desktop/Classes.h"
#include "desktop/Dialogs.h"
#include "desktop/Label.h"
#include "desktop/ListBox.h"
#include "desktop/PageControl.h"
#include "desktop/StringList.h"
#include "desktop/SysUtils.h"
#include "process/Kill.h"
#include "shell/sxTrayIcon.h"

namespace {

// A scan is running; a close asked for meanwhile waits for its end (gCloseAfterScan).
bool gScanRunning = false;
bool gCloseAfterScan = false;
// The window has agreed to close: a close held back by a scan inside that close is not made again.
bool gCloseAccepted = false;

struct TAutostartPlace {
    HKEY Root;
    bool Once;
};
// Always visited in this order.
const TAutostartPlace AutostartPlaces[] = {
    {HKEY_LOCAL_MACHINE, false}, {HKEY_LOCAL_MACHINE, true}, {HKEY_CURRENT_USER, false}, {HKEY_CURRENT_USER, true}};

const char* const RebootAfterStopQuestion =
    "Couldn't stop this process. May Sentinox restart your system now to remove this application?";
const char* const RebootAfterMoveQuestion =
    "Couldn't remove this file. May Sentinox restart your system now to remove this application "
    "(the file will be lost forever)?";

class TScanRun {
public:
    explicit TScanRun(Teditor& editor) : FEditor(editor) {
        gScanRunning = true;
        gCloseAfterScan = false;
    }
    ~TScanRun() {
        gScanRunning = false;
        // Posted, not made here: the close then starts from the message loop, not from under
        // the handler that ran the scan.
        if (gCloseAfterScan && !gCloseAccepted && FEditor.WindowHandle())
            PostMessageA(FEditor.WindowHandle(), WM_CLOSE, 0, 0);
        gCloseAfterScan = false;
    }
    TScanRun(const TScanRun&) = delete;
    TScanRun& operator=(const TScanRun&) = delete;

private:
    Teditor& FEditor;
};

std::string TakeFirst(TStringList& list) {
    std::string first = list[0];
    list.Delete(0);
    return first;
}

bool ContainsIgnoringCase(const TStringList& list, const std::string& text) {
    const std::string wanted = UpperCaseAscii(text);
    for (int i = 0; i < list.Count(); ++i)
        if (UpperCaseAscii(list[i]) == wanted) return true;
    return false;
}

// One decision dialog, owned by the window, shown modally for entry and freed again.
// True when "Ok" ended it, so the hidden check boxes hold an answer.
bool AskInDialog(std::unique_ptr<TDecisionDlg> dialog, const std::string& entry) {
    dialog->ProgramName->SetCaption(FileNamePart(entry));
    dialog->ProgramFolder->SetCaption(FolderPart(entry));
    dialog->ShowModal();
    return dialog->OkPressed();
}

bool AskYesNo(Teditor& editor, const std::string& question) {
    return editor.ShowMessageBox(question, "Question", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

bool Teditor::IsScanning() const { return gScanRunning; }

bool Teditor::CloseQuery() {
    if (gScanRunning) {
        gCloseAfterScan = true;
        return false;
    }
    gCloseAccepted = TForm::CloseQuery();
    return gCloseAccepted;
}

std::string Teditor::NormalizeCommandLine(const std::string& commandLine) { return ::NormalizeCommandLine(commandLine); }

void Teditor::SetScanStatus(const std::string& text) { sc_status->SetCaption(text); }

void Teditor::ScanSystemBtnClick(TObject*) { ScanSystem(sett_besilent->Checked()); }

void Teditor::HomeScanBtnClick(TObject*) {
    Engine->SetActivePage(pgScanning);
    ScanSystem(sett_besilent->Checked());
}

void Teditor::StopScanBtnClick(TObject*) { gStopScan = true; }

void Teditor::ScanRunKey(HKEY root, bool once) {
    sc_progress->SetPosition(0);
    const TAutostartKey key(root, AutostartKeyPath(once));
    const std::vector<TAutostartKey::TValueName>& names = key.Names();
    const int count = static_cast<int>(names.size());
    for (int i = 0; i < count; ++i) {
        if (gStopScan) continue;
        std::string commandLine;
        const bool isProgram = key.ReadCommandLine(names[i], commandLine);
        Application->ProcessMessages();
        sc_progress->SetMax(count - 1);
        sc_progress->SetPosition(i);
        SetScanStatus("Checking registry values: " + IntToStr(i) + " of " + IntToStr(count));
        if (!isProgram) continue;
        switch (SortCommandLine(WhiteListFile(), BlackListFile(), commandLine)) {
        case TListVerdict::New: gNewSoftwareList->Add(commandLine); break;
        case TListVerdict::Black: gBadValueList->Add(commandLine); break;
        case TListVerdict::White: break;
        }
    }
}

void Teditor::ScanMemory() {
    const std::vector<std::string> running = memList->Items().Lines();
    for (int slot = 0; slot < listfile::SlotCount; ++slot) {
        Application->ProcessMessages();
        sc_progress->SetMax(listfile::SlotCount - 1);
        sc_progress->SetPosition(slot);
        if (gStopScan) continue;
        const std::string listed = UpperCaseAscii(listfile::ReadSlot(BlackListFile(), slot));
        // The status names the slot and the last line compared. Nothing runs between two lines,
        // so no one could see the texts of the others, and each costs a repaint: a static control
        // draws a new text at once.
        if (!running.empty())
            SetScanStatus("Checking processes: " + IntToStr(slot) + "(" + IntToStr(static_cast<int>(running.size() - 1)) + ")");
        for (const std::string& line : running) {
            // Two copies of one program, or two slots naming it: one entry, one decision.
            if (listed == UpperCaseAscii(line) && !ContainsIgnoringCase(*gBadAppList, line)) gBadAppList->Add(line);
        }
    }
}

void Teditor::ScanSystem(bool silent) {
    if (gScanRunning) return;
    // Before the start-up sequence (or after a fatal start-up error) there is nothing to scan with.
    if (!gNewSoftwareList || !gBadValueList || !gBadAppList || !gWhiteListFile || !gBlackListFile) return;
    TScanRun run(*this);

    const bool removeBadKeys = sett_removebadkeys->Checked();
    sc_newregvalues->SetValue(0);
    sc_badregvalues->SetValue(0);
    sc_apps->SetValue(0);
    sc_badapps->SetValue(0);
    gBadValueList->Clear();
    gNewSoftwareList->Clear();
    gBadAppList->Clear();
    memRefreshbtn->Click();
    gStopScan = false;
    SetScanStatus("Initializing scan...");

    const bool scanRegistry = sett_scanregistry->Checked();
    const bool scanMemory = sett_scanmemory->Checked();
    if (!scanRegistry && !scanMemory) {
        ShowInfo("First you need to select areas to be scanned - registry,\r"
                 "memory or both. Go to the 'Settings' tab.");
        SetScanStatus("Scan canceled.");
        return;
    }
    if (scanRegistry) {
        SetScanStatus("Scanning registry...");
        for (const TAutostartPlace& place : AutostartPlaces) ScanRunKey(place.Root, place.Once);
    }
    if (scanMemory) {
        SetScanStatus("Scaning memory...");
        ScanMemory();
    }

    if (silent && !IsWindowVisible(WindowHandle())) {
        if (tray) {
            tray->SetInfoText("Scan finished. Click here to see the results.");
            tray->SetInfoTitle("Sentinox");
            tray->ShowBalloon();
        }
        Application->ProcessMessages();
    }

    if (gBadValueList->Count() == 0 && gNewSoftwareList->Count() == 0 && gBadAppList->Count() == 0) {
        std::string report = "Scan Areas:";
        if (scanMemory) report += "\r* System memory (RAM)";
        if (scanRegistry) report += "\r* Windows Registry";
        report += "\r\rScan Result:\r* No new or bad software found.";
        if (!silent) ShowMessageBox(report, "Information", MB_OK | MB_ICONINFORMATION);
        SetScanStatus("System is clean.");
    }

    if (const int found = gNewSoftwareList->Count(); found > 0) {
        if (!silent)
            ShowInfo("There were " + IntToStr(found) + " new products found. \rPlease decide what to do with them.");
        sc_newregvalues->SetValue(found);
        while (gNewSoftwareList->Count() > 0 && !Application->Terminated()) HandleNextNewSoftware();
        if (!silent) ShowInfo("Success. All new software is now assigned to proper lists.");
        SetScanStatus("New software found.");
    }

    int badApps = 0;
    if (const int found = gBadAppList->Count(); found > 0) {
        if (!silent)
            ShowMessageBox("There are " + IntToStr(found) + " bad products currently running!", "Warning",
                           MB_OK | MB_ICONWARNING);
        SetScanStatus("System is NOT clean.");
        sc_badapps->SetValue(found);
        badApps = found;
        while (gBadAppList->Count() > 0 && !Application->Terminated())
            HandleNextBadApplication(sett_removebadapps->Checked());
    }

    int badValues = 0;
    if (const int found = gBadValueList->Count(); found > 0) {
        sc_badregvalues->SetValue(found);
        badValues = found;
        if (!silent)
            ShowMessageBox("Your machine is infected by " + IntToStr(found) + " bad products.", "Warning",
                           MB_OK | MB_ICONWARNING);
        SetScanStatus("Removing bad registry values...");
        if (removeBadKeys)
            while (gBadValueList->Count() > 0) RemoveNextBadRegistryValue();
    }

    sc_baditems->SetValue(badValues + badApps);
    SetScanStatus("Scan finished.");
}

void Teditor::RemoveNextBadRegistryValue() {
    const std::string entry = TakeFirst(*gBadValueList);
    for (const TAutostartPlace& place : AutostartPlaces) RemoveRegistryValues(place.Root, place.Once, entry);
}

void Teditor::RemoveRegistryValues(HKEY root, bool once, const std::string& path) {
    if (path.empty()) return;
    TAutostartKey key(root, AutostartKeyPath(once), true);
    key.RemoveValuesContaining(path);
}

void Teditor::HandleNextNewSoftware() {
    ns_keep->SetChecked(false);
    ns_black->SetChecked(false);
    ns_delete->SetChecked(false);
    const std::string entry = TakeFirst(*gNewSoftwareList);
    if (entry.empty()) return;

    // Ended by the program (it is closing), not by "Ok": the unticked boxes are no answer, and
    // reading them as "remove from autostart" would delete what nobody chose to delete.
    if (!AskInDialog(std::make_unique<TnewSoftwareDlg>(this), entry)) return;

    if (ns_keep->Checked()) {
        AddToList(WhiteListFile(), entry);
        return;
    }
    if (ns_black->Checked()) AddToList(BlackListFile(), entry);
    for (const TAutostartPlace& place : AutostartPlaces) RemoveRegistryValues(place.Root, place.Once, entry);
    if (ns_delete->Checked() && !MoveToTrash(entry) && AskYesNo(*this, RebootAfterMoveQuestion)) DeleteOnReboot(entry);
}

void Teditor::HandleNextBadApplication(bool automatic) {
    if (automatic) {
        const std::string entry = TakeFirst(*gBadAppList);
        if (!entry.empty() && StopProgram(entry)) MoveToTrash(entry);
        return;
    }

    bs_white->SetChecked(false);
    bs_letrun->SetChecked(false);
    bs_stop->SetChecked(false);
    bs_delete->SetChecked(false);
    const std::string entry = TakeFirst(*gBadAppList);
    if (entry.empty()) return;

    if (!AskInDialog(std::make_unique<TbadSoftwareDlg>(this), entry)) return;

    if (bs_letrun->Checked()) {
        RemoveFromList(BlackListFile(), entry);
        if (bs_white->Checked()) AddToList(WhiteListFile(), entry);
    }
    if (bs_stop->Checked()) {
        if (!StopProgram(entry) && AskYesNo(*this, RebootAfterStopQuestion)) DeleteOnReboot(entry);
        if (bs_delete->Checked() && !MoveToTrash(entry) && AskYesNo(*this, RebootAfterMoveQuestion))
            DeleteOnReboot(entry);
    }
}

void RegisterEditorScan() {
    RegisterFxControlClasses();
    RegisterNewSoftwareDlgClasses();
    RegisterBadSoftwareDlgClasses();
    TClassRegistration<Teditor>("Teditor", "TForm")
        .Field("sc_status", &Teditor::sc_status)
        .Field("sc_progress", &Teditor::sc_progress)
        .Field("sc_newregvalues", &Teditor::sc_newregvalues)
        .Field("sc_badregvalues", &Teditor::sc_badregvalues)
        .Field("sc_apps", &Teditor::sc_apps)
        .Field("sc_badapps", &Teditor::sc_badapps)
        .Field("sc_baditems", &Teditor::sc_baditems)
        .Field("ScanSystemBtn", &Teditor::ScanSystemBtn)
        .Field("StopScanBtn", &Teditor::StopScanBtn)
        .Field("ns_keep", &Teditor::ns_keep)
        .Field("ns_black", &Teditor::ns_black)
        .Field("ns_delete", &Teditor::ns_delete)
        .Field("bs_white", &Teditor::bs_white)
        .Field("bs_letrun", &Teditor::bs_letrun)
        .Field("bs_stop", &Teditor::bs_stop)
        .Field("bs_delete", &Teditor::bs_delete)
        .Handler("ScanSystemBtnClick", &Teditor::ScanSystemBtnClick)
        .Handler("HomeScanBtnClick", &Teditor::HomeScanBtnClick)
        .Handler("StopScanBtnClick", &Teditor::StopScanBtnClick);
}
