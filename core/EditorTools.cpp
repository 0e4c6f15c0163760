// core/EditorTools.cpp -- the Tools page: the delete list and the reboot that lets del.exe empty it
#include "core/Editor.h"

#include <windows.h>

#include "core/EditorPages.h"
#include "desktop/Application.h"
#include "desktop/Button.h"
#include "desktop/Dialogs.h"
#include "desktop/IniFile.h"
#include "desktop/ListBox.h"
#include "desktop/Registry.h"
#include "shell/sxAutoRun.h"
#include "shell/sxShutdown.h"

namespace {

// Reads back what the autostart component says it keeps: the component itself ignores
// every registry failure (no rights on HKEY_LOCAL_MACHINE, for one).
bool IsRegistered(const TsxAutoRun& entry) {
    const TsxAutoRunKey key = AutoRunKeyOfKind(entry.Kind());
    try {
        TRegistry registry(KEY_READ);
        registry.SetRootKey(key.Root);
        if (!registry.OpenKeyReadOnly(key.Path)) return false;
        const std::string name = ExtractNamePart(entry.FileName());
        return registry.ValueExists(name) && registry.ReadString(name) == entry.FileName();
    } catch (const ERegistryException&) {
        return false;
    }
}

} // namespace

void Teditor::LoadDeleteList() { LoadListBox(*deleteList, DeleteListFile()); }

void Teditor::DeleteOnReboot(const std::string& path) {
    AddToList(DeleteListFile(), path);
    RemoveAppsBtn->Click();
}

void Teditor::DeleteAddToListBtnClick(TObject*) {
    if (!open->Execute()) return;
    AddToList(DeleteListFile(), open->FileName());
    LoadDeleteList();
}

void Teditor::Button18Click(TObject*) {
    const std::vector<std::string> lines = deleteList->Items().Lines();
    for (const std::string& line : lines) RemoveFromList(DeleteListFile(), line);
    LoadDeleteList();
}

void Teditor::RemoveAppsBtnClick(TObject*) {
    LoadDeleteList();
    const int answer = ShowMessageBox("Your system is about to be restarted.\r"
                                      "Please click on 'Cancel' if you didn't close all your documents yet.",
                                      "Warning", MB_OKCANCEL | MB_ICONWARNING);
    if (answer != IDOK) return;
    if (deleteList->Items().Count() == 0) {
        ShowInfo("No programs were selected.");
        return;
    }
    // No quotes around the folder: the value's data is exactly folder + "del.exe -s".
    ronce->SetFileName(ExtractFilePath(Application->ExeName()) + "del.exe -s");
    ronce->SetAutoRun(true);
    // Unchanged properties do nothing: a value removed since an earlier try is written again here.
    if (!IsRegistered(*ronce)) ronce->UpdateAutoRun();
    if (!IsRegistered(*ronce)) {
        ShowInfo("Couldn't register the deleting program for the next start of Windows. "
                 "Your system was not restarted.");
        return;
    }
    if (!shut->Execute())
        ShowInfo("Windows refused to restart. The selected programs will be removed at the next start of Windows.");
}
