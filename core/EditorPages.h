// core/EditorPages.h -- for core/Editor*.cpp only: what the Processes, Trashcan, Lists and
// Tools pages share
#pragma once
#include <string>

class TIniFile;
class TListBox;
class TTrashcan;

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
