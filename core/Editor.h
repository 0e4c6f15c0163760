// core/Editor.h -- Teditor: the main window "Sentinox Control Center"
#pragma once
#include <string>

#include "desktop/Form.h"

class TButton;
class TIniFile;
class TLabel;
class TListBox;
class TListItems;
class TOpenDialog;
class TPageControl;
class TPanel;
class TTabSheet;
class TsxAutoRun;
class TsxShutdown;

class Teditor : public TForm {
public:
    explicit Teditor(TComponent* owner);

    // Components of the description.
    TPanel* header = nullptr;
    TPanel* menu = nullptr;
    TLabel* version = nullptr;
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
};

// Registers the main program's window classes with their handlers and fields.
void RegisterCoreClasses();
// The fields and handlers of the Processes, Trashcan, Lists and Tools pages (EditorPages.cpp).
void RegisterEditorPages();
