// core/EditorListFiles.cpp -- the two operations that change a list file, as the pages call them
#include "core/Editor.h"

#include "core/ListFile.h"

void Teditor::AddToList(TIniFile& file, const std::string& path) { listfile::Add(file, path); }

void Teditor::RemoveFromList(TIniFile& file, const std::string& path) { listfile::Remove(file, path); }
