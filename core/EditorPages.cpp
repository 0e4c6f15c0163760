// core/EditorPages.cpp -- what the Processes, Trashcan, Lists and Tools pages share, and their
// fields and handlers in the window's class table
#include "core/EditorPages.h"

#include <windows.h>

#include <memory>

#include "core/Editor.h"
#include "core/ListFile.h"
#include "core/Trashcan.h"
#include "desktop/Button.h"
#include "desktop/Classes.h"
#include "desktop/Dialogs.h"
#include "desktop/IniFile.h"
#include "desktop/ListBox.h"
#include "shared/PersonalFolder.h"
#include "shell/ShellUtilityClasses.h"
#include "shell/sxAutoRun.h"
#include "shell/sxShutdown.h"

namespace {

TIniFile& Opened(const std::unique_ptr<TIniFile>& file) {
    if (!file) throw Exception("The list files are not open yet.");
    return *file;
}

} // namespace

TIniFile& WhiteListFile() { return Opened(gWhiteListFile); }
TIniFile& BlackListFile() { return Opened(gBlackListFile); }
TIniFile& TrashListFile() { return Opened(gTrashListFile); }
TIniFile& DeleteListFile() { return Opened(gDeleteListFile); }

TTrashcan MakeTrashcan() {
    return TTrashcan(TrashListFile(), PersonalFolder() + "Trashcan\\");
}

void LoadListBox(TListBox& box, const TIniFile& list) {
    box.Items().Clear();
    for (const std::string& entry : listfile::Entries(list)) box.Items().Add(entry);
}

std::string SelectedLine(TListBox& box) {
    int index = box.ItemIndex();
    return index < 0 || index >= box.Items().Count() ? std::string() : box.Items()[index];
}

void ActOnSelectedLine(Teditor& editor, TListBox& box, const TLineActionTexts& texts,
                       const std::function<bool(const std::string& line)>& action) {
    const std::string line = SelectedLine(box);
    const std::string& outcome = line.empty() ? texts.NothingSelected : action(line) ? texts.Done : texts.Failed;
    if (!outcome.empty()) editor.ShowInfo(outcome);
}

void RegisterEditorPages() {
    RegisterDesktopClasses();
    RegisterShellUtilityClasses();
    TClassRegistration<Teditor>("Teditor", "TForm")
        .Field("memList", &Teditor::memList)
        .Field("Button10", &Teditor::Button10)
        .Field("Button11", &Teditor::Button11)
        .Field("memRefreshbtn", &Teditor::memRefreshbtn)
        .Field("trashList", &Teditor::trashList)
        .Field("Button7", &Teditor::Button7)
        .Field("Button8", &Teditor::Button8)
        .Field("Button9", &Teditor::Button9)
        .Field("trashRefreshbtn", &Teditor::trashRefreshbtn)
        .Field("whiteList", &Teditor::whiteList)
        .Field("blackList", &Teditor::blackList)
        .Field("listsRefreshbtn", &Teditor::listsRefreshbtn)
        .Field("add", &Teditor::add)
        .Field("deleteList", &Teditor::deleteList)
        .Field("RemoveAppsBtn", &Teditor::RemoveAppsBtn)
        .Field("open", &Teditor::open)
        .Field("ronce", &Teditor::ronce)
        .Field("shut", &Teditor::shut)
        .Handler("memRefreshbtnClick", &Teditor::memRefreshbtnClick)
        .Handler("Button10Click", &Teditor::Button10Click)
        .Handler("Button11Click", &Teditor::Button11Click)
        .Handler("trashRefreshbtnClick", &Teditor::trashRefreshbtnClick)
        .Handler("Button7Click", &Teditor::Button7Click)
        .Handler("Button8Click", &Teditor::Button8Click)
        .Handler("Button9Click", &Teditor::Button9Click)
        .Handler("listsRefreshbtnClick", &Teditor::listsRefreshbtnClick)
        .Handler("Button2Click", &Teditor::Button2Click)
        .Handler("Button3Click", &Teditor::Button3Click)
        .Handler("Button14Click", &Teditor::Button14Click)
        .Handler("Button15Click", &Teditor::Button15Click)
        .Handler("Button16Click", &Teditor::Button16Click)
        .Handler("Button17Click", &Teditor::Button17Click)
        .Handler("DeleteAddToListBtnClick", &Teditor::DeleteAddToListBtnClick)
        .Handler("Button18Click", &Teditor::Button18Click)
        .Handler("RemoveAppsBtnClick", &Teditor::RemoveAppsBtnClick);
}
