// updater/Main.cpp -- the updater's window and the update cycle
//
// Order of the cycle, each step in the handler of the event that ends the one before:
//   first activation -> "updatelist.txt" downloaded (dllist)
//   dllistDoneFile   -> numbers compared; when due, "update.zip" downloaded (dlfile)
//   dlfileDoneFile   -> archive opened and checked while the main program still runs, then
//                       the user told, the main program stopped (Kill waits for it), every
//                       item decoded beside its target, all targets replaced together (or,
//                       should one fail, all put back), the main program started again.
// A downloaded error page or a damaged archive is found before anything is stopped. From the
// moment the main program is stopped, every way out starts it again before UpdExit. The
// updater's own file and Varnel2.dll are replaced like any other: renamed aside while they
// run. What an updater that was ended early left in the folder goes at the next start.
#include "updater/Main.h"

#include <windows.h>
#include <shellapi.h>

#include <exception>

#include "Varnel2/Varnel2.h"
#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/Dialogs.h"
#include "desktop/Label.h"
#include "desktop/PageControl.h"
#include "desktop/SysUtils.h"
#include "process/Kill.h"
#include "shared/HttpFetch.h"
#include "shared/SharedClasses.h"
#include "shared/PersonalFolder.h"
#include "shared/UiDirectories.h"
#include "shared/UpdateSite.h"
#include "updater/FileReplacement.h"
#include "updater/UpdateNumbers.h"
#include "updater/ZipComponent.h"

namespace {

constexpr int StepRowHeight = 16;
constexpr int FirstStepTop = 16;
enum TStep { stCheck, stDownload, stReplace, stRestart, stFinish };

constexpr char UpdateListName[] = "updatelist.txt";
constexpr char ArchiveName[] = "update.zip";
constexpr char MainProgramName[] = "sentinox.exe";

constexpr char ListFailedText[] = "Couldn't download the update list.";
constexpr char RemoteUnknownText[] = "Couldn't determine the remote file version.";
constexpr char LocalUnknownText[] = "Couldn't determine the local file version.";
constexpr char UpToDateText[] = "There are no updates available.";
constexpr char ArchiveFailedText[] = "Couldn't download the remote file.";
constexpr char AboutToReplaceText[] = "Local File is about to be replaced.";
constexpr char BadArchiveText[] = "Server error or remote file not found. Please try again later.";
constexpr char CompleteText[] = "Update complete.";
constexpr char IncompleteText[] =
    "The update did not complete: every file was left as it was. Please try again later.";

// Every item of the archive, with the engine's default search attributes.
constexpr char AllItemsMask[] = "*.*";
constexpr int16_t AllItemsAttributes = 10431;

// Read and write, compatibility sharing: the file mode the archive is opened with.
constexpr uint16_t ArchiveOpenMode = 2;

// CloseArchive never raises: safe to run while an exception leaves the extraction.
struct TArchiveCloser {
    TZipComponent& Zip;
    ~TArchiveCloser() { Zip.CloseArchive(); }
};

} // namespace

Tmain::Tmain(TComponent* owner) : TForm(owner) { InitDescription("Tmain"); }

void Tmain::SetStatus(int step) { pos->SetTop(step * StepRowHeight + FirstStepTop); }

void Tmain::UpdExit() {
    FMayClose = true;
    Close();
}

void Tmain::SetProgramFolder(const std::string& folder) { FProgramFolder = IncludeTrailingBackslash(folder); }

void Tmain::FormCreate(TObject*) {
    FMayClose = false;
    const char* name = UserName();
    luser->SetCaption(name ? name : "");
    if (FProgramFolder.empty()) SetProgramFolder(ExtractFilePath(Application->ExeName()));
    // The site is named once, in UpdateSite.h, for both programs; the description leaves it out.
    dllist->SetURL(UpdateListUrl());
    dlfile->SetURL(UpdateArchiveUrl());
    FCreated = true;
}

void Tmain::FormCloseQuery(TObject*, bool& canClose) { canClose = FMayClose; }

void Tmain::FormActivate(TObject*) {
    // Shown while its description is still being read, the window is activated before its
    // components exist: that activation is not the one that starts the cycle.
    if (!FCreated || FStarted) return;
    FStarted = true;
    RunStep([&] {
        RemoveUpdateLeftovers(FProgramFolder);
        dllist->SetFileName(FProgramFolder + UpdateListName);
        dllist->StartDownload();
    });
}

void Tmain::dllistError(TObject*) {
    RunStep([&] {
        ShowMessage(ListFailedText);
        UpdExit();
    });
}

void Tmain::dllistDoneFile(TObject*, const std::string&, int) {
    RunStep([&] {
        const int remote = ReadRemoteUpdateNumber(dllist->FileName());
        // The settings file is read only once the list gave a usable number.
        const std::string settings = remote < 0 ? std::string() : SettingsFile();
        const int local = settings.empty() ? -1 : ReadLocalUpdateNumber(settings);
        switch (CompareUpdateNumbers(remote, local)) {
        case TUpdateVerdict::RemoteUnknown: ShowMessage(RemoteUnknownText); UpdExit(); return;
        case TUpdateVerdict::LocalUnknown: ShowMessage(LocalUnknownText); UpdExit(); return;
        case TUpdateVerdict::UpToDate: ShowMessage(UpToDateText); UpdExit(); return;
        case TUpdateVerdict::Due: break;
        }
        SetStatus(stDownload);
        dlfile->SetFileName(FProgramFolder + ArchiveName);
        dlfile->StartDownload();
    });
}

void Tmain::dlfileProgress(TObject*, int totalSize, int readed) {
    if (totalSize > 0) progr->SetMax(totalSize);
    progr->SetPosition(readed);
}

void Tmain::dlfileError(TObject*) {
    RunStep([&] {
        ShowMessage(ArchiveFailedText);
        UpdExit();
    });
}

void Tmain::dlfileDoneFile(TObject*, const std::string&, int) {
    RunStep([&] {
        if (!OpenCheckedArchive()) {
            ShowMessage(BadArchiveText);
            UpdExit();
            return;
        }
        TArchiveCloser closer{*zip};
        ShowMessage(AboutToReplaceText);
        FMainProgramStopped = true;
        // Kill waits (bounded) for the processes to be gone: a running program's file cannot be replaced.
        Kill(MainProgramName, KillWaitMs);
        SetStatus(stReplace);
        const bool complete = InstallArchive();
        SetStatus(stRestart);
        StartMainProgram();
        SetStatus(stFinish);
        ShowMessage(complete ? CompleteText : IncompleteText);
        UpdExit();
    });
}

std::string Tmain::SettingsFile() const {
    // The main program's own lookup: both programs must reach the same file.
    const std::string personal = PersonalFolder();
    return personal.empty() ? std::string() : SettingsFileName(personal, luser->Caption());
}

bool Tmain::OpenCheckedArchive() {
    zip->CloseArchive();
    zip->SetFileName(FProgramFolder + ArchiveName);
    try {
        zip->OpenArchive(ArchiveOpenMode);
        // A directory rebuilt from local headers means the file lost its end: items may be missing.
        if (zip->Size() > 0 && zip->ItemCount() > 0 && !zip->DirectoryRepaired()) return true;
    } catch (const std::exception&) {
        // A saved error page: nothing that reads as an archive.
    }
    zip->CloseArchive();
    return false;
}

bool Tmain::InstallArchive() {
    zip->SetBaseDir(FProgramFolder);
    TFileReplacement replacement(zip->ExtractStaged(AllItemsMask, AllItemsAttributes, ""));
    // All or nothing: one item that did not decode and the installation stays as it is. An
    // existing file the user chose to keep is no failure: it is simply not among the staged.
    if (!zip->AllItemsProcessed()) return false;
    std::string failed;
    return replacement.Commit(failed);
}

void Tmain::StartMainProgram() {
    FMainProgramStopped = false;
    // The shell's result is not examined: a missing program leaves nothing to report here.
    ShellExecuteA(Handle(), "open", (FProgramFolder + MainProgramName).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

template <class TStep>
void Tmain::RunStep(TStep step) {
    // The one place a handler of this window catches: an exception left to the message loop
    // would leave a window that refuses to close, and perhaps the main program stopped.
    try {
        step();
        return;
    } catch (const std::exception& error) {
        ShowMessage(error.what());
    } catch (...) {
        ShowMessage("The update failed.");
    }
    if (FMainProgramStopped) {
        StartMainProgram();
        ShowMessage(IncompleteText);
    }
    UpdExit();
}

void RegisterUpdaterClasses() {
    RegisterSharedClasses();
    RegisterZipComponentClass();
    TClassRegistration<Tmain>("Tmain", "TForm")
        .Field("pos", &Tmain::pos)
        .Field("luser", &Tmain::luser)
        .Field("progr", &Tmain::progr)
        .Field("dllist", &Tmain::dllist)
        .Field("dlfile", &Tmain::dlfile)
        .Field("zip", &Tmain::zip)
        .Field("dirs", &Tmain::dirs)
        .Handler("FormCreate", &Tmain::FormCreate)
        .Handler("FormCloseQuery", &Tmain::FormCloseQuery)
        .Handler("FormActivate", &Tmain::FormActivate)
        .Handler("dllistError", &Tmain::dllistError)
        .Handler("dllistDoneFile", &Tmain::dllistDoneFile)
        .Handler("dlfileProgress", &Tmain::dlfileProgress)
        .Handler("dlfileError", &Tmain::dlfileError)
        .Handler("dlfileDoneFile", &Tmain::dlfileDoneFile);
}
