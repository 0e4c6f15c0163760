// updater/Main.h -- Tmain: the updater's window with its five steps, and the update cycle it runs
//
// The cycle runs in the download events, on the GUI thread: the update list, the numbers
// compared, the archive downloaded, opened and checked, the main program stopped, the archive
// unpacked over the program folder, the main program started again. Every outcome ends in
// UpdExit, the only way the window closes.
#pragma once
#include <string>

#include "desktop/Form.h"

class TLabel;
class TProgressBar;
class THttpFetch;
class TUiDirectories;
class TZipComponent;

class Tmain : public TForm {
public:
    explicit Tmain(TComponent* owner);

    // Components of the description.
    TLabel* pos = nullptr;                 // the arrow beside the current step
    TLabel* luser = nullptr;               // hidden: the user key as Varnel2 returns it
    TProgressBar* progr = nullptr;         // the archive download
    THttpFetch* dllist = nullptr;          // the update list -> "updatelist.txt"
    THttpFetch* dlfile = nullptr;          // the update archive -> "update.zip"
    TZipComponent* zip = nullptr;
    TUiDirectories* dirs = nullptr;

    void SetStatus(int step);              // moves the arrow to the step's row
    void UpdExit();                        // allows closing, then closes
    bool MayClose() const noexcept { return FMayClose; }

    // The folder the updater works in, with a trailing "\": its own, unless a test set another
    // before the window was first activated.
    const std::string& ProgramFolder() const noexcept { return FProgramFolder; }
    void SetProgramFolder(const std::string& folder);

    // Handlers.
    void FormCreate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void FormActivate(TObject* sender);    // the first activation after creation starts the cycle
    void dllistError(TObject* sender);
    void dllistDoneFile(TObject* sender, const std::string& fileName, int fileSize);
    void dlfileProgress(TObject* sender, int totalSize, int readed);
    void dlfileError(TObject* sender);
    void dlfileDoneFile(TObject* sender, const std::string& fileName, int fileSize);

private:
    std::string SettingsFile() const;      // "" when the Personal folder is unknown
    bool OpenCheckedArchive();             // false: no complete directory or no item; closed again
    bool InstallArchive();                 // after the main program stopped; false: no file was changed
    void StartMainProgram();
    // Runs one step of the cycle; an exception is told to the user and ends the updater
    // (with the main program started again once it was stopped), never a window left open.
    template <class TStep>
    void RunStep(TStep step);

    bool FCreated = false;
    bool FStarted = false;                 // the list download was started: later activations do nothing
    bool FMayClose = false;
    bool FMainProgramStopped = false;      // from Kill until the main program is started again
    std::string FProgramFolder;
};

void RegisterUpdaterClasses();   // Tmain and every class its description names
