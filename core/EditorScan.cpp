// core/EditorScan.cpp -- the main window's side of the system scan: its Scanning page, the
// decisions on what the scan found, and the scan's view of the window (TSystemScan does the rest)
//
// The scan sets the status, progress and counters at every step and asks for them to be
// painted only now and then: a control set since the last Redraw has its painting held back
// (TControlPaintHold) until the next.
#include "core/Editor.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/ControlClasses.h"
#include "controls/UiIntegerEdit.h"
#include "core/AutostartKey.h"
#include "core/BadSoftwareDlg.h"
#include "core/ControlPaintHold.h"
#include "core/EditorPages.h"
#include "core/NewSoftwareDlg.h"
#include "core/SystemScan.h"
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
#include "process/Kill.h"
#include "shell/sxTrayIcon.h"

namespace {

// The window has agreed to close: a close held back by a scan inside that close is not made again.
bool gCloseAccepted = false;

const char* const RebootAfterStopQuestion =
    "Couldn't stop this process. May Sentinox restart your system now to remove this application?";
const char* const RebootAfterMoveQuestion =
    "Couldn't remove this file. May Sentinox restart your system now to remove this application "
    "(the file will be lost forever)?";

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

// The scan's view of the main window.
class Teditor::TScanView final : public TScanWindow {
public:
    explicit TScanView(Teditor& editor)
        : FEditor(editor), FStatus(*editor.sc_status), FProgress(*editor.sc_progress),
          FCounters{TControlPaintHold(*editor.sc_newregvalues), TControlPaintHold(*editor.sc_badregvalues),
                    TControlPaintHold(*editor.sc_apps), TControlPaintHold(*editor.sc_badapps),
                    TControlPaintHold(*editor.sc_baditems)},
          FScan(*this) {}
    TSystemScan& Scan() noexcept { return FScan; }

    void SetStatus(const std::string& text) override {
        if (text == FEditor.sc_status->Caption()) return;
        Held(FStatus).Hold();
        FEditor.SetScanStatus(text);
    }
    void SetProgressMax(int value) override {
        if (value == FEditor.sc_progress->Max()) return;
        Held(FProgress).Hold();
        FEditor.sc_progress->SetMax(value);
    }
    void SetProgressPosition(int value) override {
        if (value == FEditor.sc_progress->Position()) return;
        Held(FProgress).Hold();
        FEditor.sc_progress->SetPosition(value);
    }
    void SetCounter(TScanCounter counter, int value) override {
        TUiIntegerEdit& edit = CounterEdit(counter);
        if (edit.Caption() == IntToStr(value)) return;
        Held(FCounters[static_cast<int>(counter)]).Hold();
        edit.SetValue(value);
    }
    void Redraw() override {
        for (TControlPaintHold* hold : FHeld) hold->Release();
        FHeld.clear();
    }
    void ProcessEvents() override { Application->ProcessMessages(); }

    bool IsTicked(TScanSetting setting) override {
        switch (setting) {
        case TScanSetting::ScanRegistry: return FEditor.sett_scanregistry->Checked();
        case TScanSetting::ScanMemory: return FEditor.sett_scanmemory->Checked();
        case TScanSetting::RemoveBadKeys: return FEditor.sett_removebadkeys->Checked();
        case TScanSetting::RemoveBadApps: return FEditor.sett_removebadapps->Checked();
        }
        return false;
    }
    std::vector<std::string> RefreshProcessList() override {
        FEditor.memRefreshbtn->Click();
        return FEditor.memList->Items().Lines();
    }
    bool IsShown() override { return IsWindowVisible(FEditor.WindowHandle()) != FALSE; }
    void ShowBalloon(const std::string& title, const std::string& text) override {
        if (!FEditor.tray) return;
        FEditor.tray->SetInfoText(text);
        FEditor.tray->SetInfoTitle(title);
        FEditor.tray->ShowBalloon();
    }
    void Tell(TScanMessage kind, const std::string& text) override {
        switch (kind) {
        case TScanMessage::Plain: FEditor.ShowInfo(text); break;
        case TScanMessage::Information: FEditor.ShowMessageBox(text, "Information", MB_OK | MB_ICONINFORMATION); break;
        case TScanMessage::Warning: FEditor.ShowMessageBox(text, "Warning", MB_OK | MB_ICONWARNING); break;
        }
    }
    bool IsEnding() override { return Application->Terminated(); }
    void DecideAboutNewSoftware(const std::string& commandLine) override { FEditor.HandleNewSoftware(commandLine); }
    void DecideAboutBadApplication(const std::string& path, bool automatic) override {
        FEditor.HandleBadApplication(path, automatic);
    }
    void CloseHeldBack() override {
        // Posted, not made here: the close then starts from the message loop, not from under
        // the handler that ran the scan.
        if (!gCloseAccepted && FEditor.WindowHandle()) PostMessageA(FEditor.WindowHandle(), WM_CLOSE, 0, 0);
    }

private:
    TUiIntegerEdit& CounterEdit(TScanCounter counter) const {
        switch (counter) {
        case TScanCounter::NewValues: return *FEditor.sc_newregvalues;
        case TScanCounter::BadValues: return *FEditor.sc_badregvalues;
        case TScanCounter::Applications: return *FEditor.sc_apps;
        case TScanCounter::BadApplications: return *FEditor.sc_badapps;
        case TScanCounter::BadItems: break;
        }
        return *FEditor.sc_baditems;
    }

    // Noted for the next Redraw, which paints it and lets it paint freely again.
    TControlPaintHold& Held(TControlPaintHold& hold) {
        if (std::find(FHeld.begin(), FHeld.end(), &hold) == FHeld.end()) FHeld.push_back(&hold);
        return hold;
    }

    Teditor& FEditor;
    TControlPaintHold FStatus, FProgress;
    TControlPaintHold FCounters[5];                  // in the order of TScanCounter
    std::vector<TControlPaintHold*> FHeld;
    TSystemScan FScan;
};

void Teditor::TScanViewDeleter::operator()(TScanView* view) const { delete view; }

TSystemScan& Teditor::Scan() {
    if (!FScanView) FScanView.reset(new TScanView(*this));
    return FScanView->Scan();
}

bool Teditor::IsScanning() const { return FScanView && FScanView->Scan().IsRunning(); }

bool Teditor::CloseQuery() {
    if (FScanView && FScanView->Scan().HoldBackClose()) return false;
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

void Teditor::StopScanBtnClick(TObject*) {
    if (FScanView) FScanView->Scan().Stop();
}

void Teditor::ScanSystem(bool silent) {
    // Before the start-up sequence (or after a fatal start-up error) there is nothing to scan with.
    if (!gWhiteListFile || !gBlackListFile) return;
    Scan().Run(*gWhiteListFile, *gBlackListFile, silent);
}

void Teditor::RemoveRegistryValues(HKEY root, bool once, const std::string& path) {
    RemoveAutostartValues({{root, AutostartKeyPath(once)}}, path);
}

void Teditor::HandleNewSoftware(const std::string& entry) {
    ns_keep->SetChecked(false);
    ns_black->SetChecked(false);
    ns_delete->SetChecked(false);
    if (entry.empty()) return;

    // Ended by the program (it is closing), not by "Ok": the unticked boxes are no answer, and
    // reading them as "remove from autostart" would delete what nobody chose to delete.
    if (!AskInDialog(std::make_unique<TnewSoftwareDlg>(this), entry)) return;

    if (ns_keep->Checked()) {
        AddToList(WhiteListFile(), entry);
        return;
    }
    if (ns_black->Checked()) AddToList(BlackListFile(), entry);
    RemoveAutostartValues(AutostartPlaces(), entry);
    if (ns_delete->Checked() && !MoveToTrash(entry) && AskYesNo(*this, RebootAfterMoveQuestion)) DeleteOnReboot(entry);
}

void Teditor::HandleBadApplication(const std::string& entry, bool automatic) {
    if (automatic) {
        if (!entry.empty() && StopProgram(entry)) MoveToTrash(entry);
        return;
    }

    bs_white->SetChecked(false);
    bs_letrun->SetChecked(false);
    bs_stop->SetChecked(false);
    bs_delete->SetChecked(false);
    if (entry.empty()) return;

    if (!AskInDialog(std::make_unique<TbadSoftwareDlg>(this), entry)) return;

    if (bs_letrun->Checked()) {
        RemoveFromList(BlackListFile(), entry);
        if (bs_white->Checked()) AddToList(WhiteListFile(), entry);
    }
    if (bs_stop->Checked()) {
        if (!StopProgram(entry) && AskYesNo(*this, RebootAfterStopQuestion)) DeleteOnReboot(entry);
        if (bs_delete->Checked() && !MoveToTrash(entry) && AskYesNo(*this, RebootAfterMoveQuestion)) DeleteOnReboot(entry);
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
