// core/Editor.h -- Teditor: the main window "Sentinox Control Center"
#pragma once
#include <array>
#include <memory>
#include <string>

#include "controls/FxPanel.h"   // the strips' type: their captions are set from several parts
#include "core/SettingsFile.h"
#include "desktop/Form.h"

class TButton;
class TCheckBox;
class THttpFetch;
class TIniFile;
class TLabel;
class TListBox;
class TListItems;
class TImageList;
class TOpenDialog;
class TPageControl;
class TPopupMenu;
class TPanel;
class TProgressBar;
class TStringList;
class TSystemScan;
class TTabSheet;
class TTimer;
class TUiIntegerEdit;
class TsxApplicationProperties;
class TsxAutoRun;
class TsxFolderMonitor;
class TsxRegistryMonitor;
class TsxOneInstance;
class TsxShutdown;
class TsxTrayIcon;

class Teditor : public TForm {
public:
    explicit Teditor(TComponent* owner);

    // Components of the description.
    TFxPanel* header = nullptr;
    TFxPanel* menu = nullptr;
    TFxPanel* version = nullptr;       // the strip at the bottom, text right-aligned
    TPageControl* Engine = nullptr;
    TTabSheet* pgHome = nullptr;
    TTabSheet* pgSettings = nullptr;
    TTabSheet* pgScanning = nullptr;
    TTabSheet* pgTrashcan = nullptr;
    TTabSheet* pgHelp = nullptr;
    TTabSheet* pgUpdate = nullptr;
    TTabSheet* pgProcesses = nullptr;
    TTabSheet* pgAbout = nullptr;
    TTabSheet* pgTools = nullptr;
    TTabSheet* pgLists = nullptr;

    // --- Window shown and hidden, the tray icon and the menus (EditorWindow.cpp) ---
    TTimer* Timer1 = nullptr;             // one shot, 1500 ms: hides the window after a "-s" start
    TsxTrayIcon* tray = nullptr;
    TPopupMenu* popup = nullptr;          // the tray icon's menu
    TImageList* ilist = nullptr;          // the menu's item images
    TLabel* ab_version = nullptr;         // "Loading..." until the About tab is first picked
    // True: outer height 526, centred on the screen, shown; false: hidden to the tray.
    // The only way the program shows or hides the window (through the tray icon).
    void SetWindowShown(bool show);
    void Timer1Timer(TObject* sender);
    void trayClick(TObject* sender);                  // toggles the window
    void trayBalloonClick(TObject* sender);           // the scan's results: pgScanning, shown
    void ShowSentinox1Click(TObject* sender);         // toggles the window
    void Scan1Click(TObject* sender);                 // shown, then "Scan now"
    void Settings1Click(TObject* sender);
    void Lists1Click(TObject* sender);
    void Update1Click(TObject* sender);
    void Exit1Click(TObject* sender);                 // closes the window, which ends the program
    // The menu labels switch pages and do nothing else.
    void FxUrlLabel1Click(TObject* sender);
    void FxUrlLabel2Click(TObject* sender);
    void FxUrlLabel3Click(TObject* sender);
    void FxUrlLabel4Click(TObject* sender);
    void FxUrlLabel5Click(TObject* sender);
    void FxUrlLabel6Click(TObject* sender);
    void FxUrlLabel7Click(TObject* sender);
    void FxUrlLabel8Click(TObject* sender);
    // A page picked by its tab is refreshed; pages the program switches to are not
    // (TPageControl fires OnChange for the user's changes only).
    void EngineChange(TObject* sender);
    // With sett_closescan ticked, a silent scan on pgScanning before the window goes.
    void FormClose(TObject* sender, TCloseAction& action);
    void ShowPage(TTabSheet* page);                   // shown when hidden, then the active page
    // --- end of the window, tray and menus ---

    // --- Start-up and the services every page shares (EditorStartup.cpp) ---
    TsxApplicationProperties* props = nullptr;   // its OnIdle is propsIdle
    TsxOneInstance* once = nullptr;       // a second start brings the first forward and ends
    TCheckBox* startup = nullptr;         // hidden, ticked in the description: the one-shot guard
    TLabel* luser = nullptr;              // hidden: the user key, the upper-cased log-on name
    // Runs the start-up sequence at the first idle moment, and nothing at every later one.
    void propsIdle(TObject* sender, bool& done);
    // Warning box over the window, the own autostart value removed, the application ended.
    void FatalError(const std::string& text, const std::string& title);
    void AddNotification(const std::string& text);   // a new last line of the Home page's list
    void ShowInfo(const std::string& text);          // plain message window: title, OK, no icon
    // Every other message box of the program: over this window, with the MB_ buttons and icon
    // given; the button pressed (IDOK, IDYES, ...). Defined in Editor.cpp.
    int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);
    static std::string NumToStr(int number);

    // --- Home page (EditorStartup.cpp, EditorSettings.cpp) ---
    TListBox* notifications = nullptr;
    TLabel* home_autorun = nullptr;       // "YES"/"NO" of sett_autorun
    TLabel* home_autoscan = nullptr;      // "YES"/"NO" of sett_autoscan
    TProgressBar* home_security = nullptr;   // 0 to 110
    TButton* HomeScanBtn = nullptr;       // "Scan now"

    // --- Settings page and the settings file (EditorSettings.cpp) ---
    TsxAutoRun* run = nullptr;            // HKCU Run: "<program path> -s" while sett_autorun is ticked
    TCheckBox* sett_autorun = nullptr;
    TCheckBox* sett_autoupdate = nullptr;
    TCheckBox* sett_autoscan = nullptr;
    TCheckBox* sett_closescan = nullptr;
    TCheckBox* sett_scanregistry = nullptr;
    TCheckBox* sett_scanmemory = nullptr;
    TCheckBox* sett_removebadkeys = nullptr;
    TCheckBox* sett_removebadapps = nullptr;
    TCheckBox* sett_besilent = nullptr;
    TCheckBox* sett_addicon = nullptr;
    TCheckBox* sett_autoremovebadkeys = nullptr;
    TCheckBox* sett_autoremovebadapps = nullptr;
    TButton* DefaultSettBtn = nullptr;
    TButton* SaveSettBtn = nullptr;
    // Writes version and update number, shows the twelve settings, applies the own autostart
    // value and the Internet Explorer button, repaints the Home page's indicators.
    void LoadSettings();
    void SaveSettings();                  // the twelve flags, then LoadSettings
    void SaveSettBtnClick(TObject* sender);
    void DefaultSettBtnClick(TObject* sender);
    void ShowYesNo(TLabel* label, bool flag);
    void UpdateSecurityLevel();
    std::array<TCheckBox*, settings::SettingCount> SettingBoxes() const;   // in the file's order
    settings::TSettingFlags SettingFlags() const;                          // the boxes' states
    void ShowSettingFlags(const settings::TSettingFlags& flags);

    // --- List files (EditorListFiles.cpp) ---
    // Adds path to the first free slot unless exactly that text is listed; a full list is left alone.
    void AddToList(TIniFile& file, const std::string& path);
    // Removes the last entry equal to path ignoring letter case; the later slots move down one.
    void RemoveFromList(TIniFile& file, const std::string& path);

    // --- Processes, Trashcan, Lists and Tools pages (EditorProcesses/Trash/Lists/Tools.cpp) ---
    TListBox* memList = nullptr;
    TButton* Button10 = nullptr;          // "Stop!"
    TButton* Button11 = nullptr;          // "Move to trashcan"
    TButton* memRefreshbtn = nullptr;
    TListBox* trashList = nullptr;
    TButton* Button7 = nullptr;           // "Empty trashcan"
    TButton* Button8 = nullptr;           // "Regain"
    TButton* Button9 = nullptr;           // "Erase"
    TButton* trashRefreshbtn = nullptr;
    TListBox* whiteList = nullptr;
    TListBox* blackList = nullptr;
    TButton* listsRefreshbtn = nullptr;
    TOpenDialog* add = nullptr;           // file chooser of the Lists page
    TListBox* deleteList = nullptr;
    TButton* RemoveAppsBtn = nullptr;
    TOpenDialog* open = nullptr;          // file chooser of the reboot-delete tool
    TsxAutoRun* ronce = nullptr;          // HKLM RunOnce: "del.exe -s" for the next boot
    TsxShutdown* shut = nullptr;          // forced reboot

    // Full paths of the running programs into strings (memList is cleared first).
    // False: not NT 4 or later, or the enumeration failed.
    bool ListProcesses(TListItems& strings);
    // Stops the program when it runs (and waits for it), then moves its file into the
    // Trashcan and records it. False: not stopped, list full, or not moved; nothing recorded.
    bool MoveToTrash(const std::string& path);
    bool RestoreFromTrash(const std::string& path);
    bool EraseFromTrash(const std::string& path);
    void LoadTrashList();
    void LoadWhiteList();
    void LoadBlackList();
    void LoadDeleteList();
    // Puts path on the delete list, then runs "Remove!" (warning, RunOnce entry, reboot).
    void DeleteOnReboot(const std::string& path);

    void memRefreshbtnClick(TObject* sender);
    void Button10Click(TObject* sender);
    void Button11Click(TObject* sender);
    void trashRefreshbtnClick(TObject* sender);
    void Button7Click(TObject* sender);
    void Button8Click(TObject* sender);
    void Button9Click(TObject* sender);
    void listsRefreshbtnClick(TObject* sender);
    void Button2Click(TObject* sender);
    void Button3Click(TObject* sender);
    void Button14Click(TObject* sender);
    void Button15Click(TObject* sender);
    void Button16Click(TObject* sender);
    void Button17Click(TObject* sender);
    void DeleteAddToListBtnClick(TObject* sender);
    void Button18Click(TObject* sender);
    void RemoveAppsBtnClick(TObject* sender);
    // --- end of the Processes, Trashcan, Lists and Tools pages ---

    // --- Automatic Protection (EditorProtection.cpp) ---
    // Inactive in the description; started by the start-up sequence, running until the end.
    TsxRegistryMonitor* cuMon = nullptr;      // HKCU Run, with subkeys
    TsxRegistryMonitor* cuOnceMon = nullptr;  // HKCU RunOnce, with subkeys
    TsxRegistryMonitor* lmMon = nullptr;      // HKLM Run
    TsxRegistryMonitor* lmOnceMon = nullptr;  // HKLM RunOnce
    TsxFolderMonitor* WinMon = nullptr;       // "C:\Windows" and below
    TsxFolderMonitor* PFMon = nullptr;        // "C:\Program Files" and below
    // Each deletes, silently, every value of its key that starts a black-listed program.
    void cuMonChange();
    void cuOnceMonChange();
    void lmMonChange();
    void lmOnceMonChange();
    // Both folder monitors: every existing Black List file is stopped and moved into the
    // Trashcan, with a Home page line for each (and one for each that cannot be moved).
    void WinMonChange();
    // The Black List entry that one value of "Run" (or "RunOnce") of root starts, or "".
    std::string FindBlackListedValue(HKEY root, bool once);
    void StartRegistryProtection();   // cuMon, cuOnceMon, lmMon, lmOnceMon
    void StartFolderProtection();     // WinMon, PFMon; a folder that cannot be watched gets a line
    // --- end of Automatic Protection ---

    // --- System scan and the decision dialogs (EditorScan.cpp) ---
    TLabel* sc_status = nullptr;              // "Current action:"
    TProgressBar* sc_progress = nullptr;
    TUiIntegerEdit* sc_newregvalues = nullptr;
    TUiIntegerEdit* sc_badregvalues = nullptr;
    TUiIntegerEdit* sc_apps = nullptr;        // reset by every scan, counted by nothing
    TUiIntegerEdit* sc_badapps = nullptr;
    TUiIntegerEdit* sc_baditems = nullptr;
    TButton* ScanSystemBtn = nullptr;
    TButton* StopScanBtn = nullptr;
    // Hidden: the decision dialogs leave their answers here.
    TCheckBox* ns_keep = nullptr;
    TCheckBox* ns_black = nullptr;
    TCheckBox* ns_delete = nullptr;
    TCheckBox* bs_white = nullptr;
    TCheckBox* bs_letrun = nullptr;
    TCheckBox* bs_stop = nullptr;
    TCheckBox* bs_delete = nullptr;
    // One complete scan (TSystemScan): the four autostart keys and the running programs against
    // the lists, the report, a decision for every new and every running bad program, bad values
    // removed. Ignored while a scan runs (its events can reach the buttons and the tray again).
    void ScanSystem(bool silent);
    bool IsScanning() const;
    void ScanSystemBtnClick(TObject* sender);
    void HomeScanBtnClick(TObject* sender);   // pgScanning first, then the scan
    void StopScanBtnClick(TObject* sender);   // the remaining values and Black List slots are skipped
    static std::string NormalizeCommandLine(const std::string& commandLine);
    // Deletes every value of one autostart key whose command line contains path; "" deletes nothing.
    void RemoveRegistryValues(HKEY root, bool once, const std::string& path);
    void SetScanStatus(const std::string& text);
    // The decisions on one entry the scan found, through the two dialogs (or, automatic, none).
    void HandleNewSoftware(const std::string& commandLine);
    void HandleBadApplication(const std::string& path, bool automatic);
    // A close asked for during a scan is held back and made once the scan has ended.
    bool CloseQuery() override;
    // --- end of the system scan ---

    // --- Update check and the Update page (EditorUpdate.cpp) ---
    THttpFetch* dlList = nullptr;         // the update list -> "autoUpdate.txt" beside the program
    TButton* Button1 = nullptr;           // "Check" of the Update page
    void CheckForUpdates();               // starts the list download and returns; the start-up calls it
    void dlListDoneFile(TObject* sender, const std::string& fileName, int fileSize);
    void dlListError(TObject* sender);
    void Button1Click(TObject* sender);
    void StartUpdater();                  // "update.exe" from the program folder, not waited for
    // --- end of the update check ---

private:
    class TScanView;                      // the scan's view of this window (EditorScan.cpp)
    struct TScanViewDeleter {
        void operator()(TScanView* view) const;
    };
    TSystemScan& Scan();                  // made at the first scan
    std::unique_ptr<TScanView, TScanViewDeleter> FScanView;
};

// The per-user files, opened by the start-up sequence and kept open until the program ends;
// null before it ran (and after a fatal start-up error).
extern std::unique_ptr<TIniFile> gWhiteListFile, gBlackListFile, gSettingsFile, gTrashListFile, gDeleteListFile;

// Registers the main program's window classes with their handlers and fields.
void RegisterCoreClasses();
// The fields and handlers of the Processes, Trashcan, Lists and Tools pages (EditorPages.cpp).
void RegisterEditorPages();
// The fields and handlers of the start-up, Home and Settings parts (EditorStartup.cpp).
void RegisterEditorStartup();
// The fields and handlers of the window, tray icon and menu parts (EditorWindow.cpp).
void RegisterEditorWindow();
// The monitors of Automatic Protection and their handlers (EditorProtection.cpp).
void RegisterEditorProtection();
// The fields and handlers of the scan (EditorScan.cpp) and the two decision dialogs.
void RegisterEditorScan();
// The fields and handlers of the update check and the Update page (EditorUpdate.cpp).
void RegisterEditorUpdate();
