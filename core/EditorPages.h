// core/EditorPages.h -- for core/Editor*.cpp only: what the Processes, Trashcan, Lists and
// Tools pages share
#pragma once
#include <functional>
#include <string>

class TIniFile;
class TListBox;
class TTrashcan;
class Teditor;

// The list files the start-up sequence opened; throws Exception before it ran.
TIniFile& WhiteListFile();
TIniFile& BlackListFile();
TIniFile& TrashListFile();
TIniFile& DeleteListFile();

// The Trashcan of this run: Personal folder + "Trashcan\" with the trash list.
TTrashcan MakeTrashcan();

// Rebuilds a list box from a list file: every used slot, in slot order.
void LoadListBox(TListBox& box, const TIniFile& list);

// The selected line of a list box, copied; "" when nothing is selected.
std::string SelectedLine(TListBox& box);

// What a page's button tells the user about an action on the selected line; "" tells nothing.
struct TLineActionTexts {
    std::string NothingSelected = "";
    std::string Done = "";
    std::string Failed = "";
};

// A button that acts on the selected line of box: the action's outcome (true: done) goes to
// ShowInfo; with nothing selected the action does not run. Refreshing is the caller's part.
void ActOnSelectedLine(Teditor& editor, TListBox& box, const TLineActionTexts& texts,
                       const std::function<bool(const std::string& line)>& action);
