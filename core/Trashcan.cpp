// core/Trashcan.cpp -- TTrashcan
#include "core/Trashcan.h"

#include <windows.h>

#include "core/ListFile.h"
#include "desktop/IniFile.h"

TTrashcan::TTrashcan(TIniFile& trashList, std::string folder)
    : FList(trashList), FFolder(IncludeTrailingBackslash(folder)) {}

std::string TTrashcan::StoredPath(const std::string& path) const { return FFolder + FileNamePart(path); }

void TTrashcan::EnsureFolder() const {
    const std::string folder = FFolder.substr(0, FFolder.size() - 1);
    if (DirectoryExists(folder)) return;
    if (!CreateDirectoryA(folder.c_str(), nullptr)) throw Exception("Couldn't create a directory for the trashcan.");
}

bool TTrashcan::Store(const std::string& path) {
    // An empty path names no program; as a copy source it would only fail by the platform's grace.
    if (path.empty()) return false;
    EnsureFolder();
    // The first free slot, without the presence test of an add: a path may come back.
    const int slot = listfile::FirstFreeSlot(FList);
    if (slot < 0) return false;

    const std::string stored = StoredPath(path);
    // bFailIfExists: a stored file of the same bare name belongs to another entry.
    if (!CopyFileA(path.c_str(), stored.c_str(), TRUE)) return false;
    const std::string key = listfile::SlotKey(slot);
    try {
        FList.WriteString(listfile::Section, key, path);
    } catch (const EIniFileError&) {
        DeleteFileA(stored.c_str());
        return false;
    }
    if (DeleteFileA(path.c_str())) return true;
    // The original stays (in use, read-only, ...): take the copy back so nothing is half moved.
    // Should even that fail, the entry stays, paired with its stored file.
    if (DeleteFileA(stored.c_str())) FList.DeleteKey(listfile::Section, key);
    return false;
}

bool TTrashcan::Restore(const std::string& path) {
    const std::string stored = StoredPath(path);
    if (!CopyFileA(stored.c_str(), path.c_str(), TRUE)) return false;
    if (!DeleteFileA(stored.c_str())) {
        // Two copies would leave the entry pointing at a file that also lives outside.
        DeleteFileA(path.c_str());
        return false;
    }
    listfile::Remove(FList, path);
    return true;
}

bool TTrashcan::Erase(const std::string& path) {
    if (!DeleteFileA(StoredPath(path).c_str())) return false;
    listfile::Remove(FList, path);
    return true;
}

std::vector<std::string> TTrashcan::Entries() const { return listfile::Entries(FList); }
