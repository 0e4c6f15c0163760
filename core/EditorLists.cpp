// core/EditorLists.cpp -- the Lists page: the White and Black Lists edited by hand
#include "core/Editor.h"

#include "core/EditorPages.h"
#include "core/ListFile.h"
#include "desktop/Button.h"
#include "desktop/Dialogs.h"
#include "desktop/IniFile.h"
#include "desktop/ListBox.h"

namespace {

// A move never loses an entry: the source line goes only once the target holds it, so a
// full target list leaves the entry where it was.
void MoveSelected(Teditor& editor, TListBox& sourceBox, TIniFile& source, TIniFile& target) {
    ActOnSelectedLine(editor, sourceBox, {.NothingSelected = "You must select some application first."},
                      [&](const std::string& line) {
                          if (listfile::Add(target, line)) editor.RemoveFromList(source, line);
                          return true;
                      });
}

// "Remove": the selected line off its list.
void RemoveSelected(Teditor& editor, TListBox& box, TIniFile& list) {
    ActOnSelectedLine(editor, box, {.NothingSelected = "You must select some position first."},
                      [&](const std::string& line) {
                          editor.RemoveFromList(list, line);
                          return true;
                      });
}

} // namespace

void Teditor::LoadWhiteList() { LoadListBox(*whiteList, WhiteListFile()); }

void Teditor::LoadBlackList() { LoadListBox(*blackList, BlackListFile()); }

void Teditor::listsRefreshbtnClick(TObject*) {
    LoadWhiteList();
    LoadBlackList();
}

void Teditor::Button2Click(TObject*) {
    if (!add->Execute()) return;
    AddToList(WhiteListFile(), add->FileName());
    LoadWhiteList();
}

void Teditor::Button3Click(TObject*) {
    if (!add->Execute()) return;
    AddToList(BlackListFile(), add->FileName());
    LoadBlackList();
}

void Teditor::Button14Click(TObject*) {
    RemoveSelected(*this, *whiteList, WhiteListFile());
    listsRefreshbtn->Click();
}

void Teditor::Button16Click(TObject*) {
    RemoveSelected(*this, *blackList, BlackListFile());
    listsRefreshbtn->Click();
}

void Teditor::Button15Click(TObject*) {
    MoveSelected(*this, *whiteList, WhiteListFile(), BlackListFile());
    listsRefreshbtn->Click();
}

void Teditor::Button17Click(TObject*) {
    MoveSelected(*this, *blackList, BlackListFile(), WhiteListFile());
    listsRefreshbtn->Click();
}
