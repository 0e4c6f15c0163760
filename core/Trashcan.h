// core/Trashcan.h -- TTrashcan: the Trashcan folder and the trash list, kept in step
//
// A trashed program file is stored under its bare file name in the folder; the trash
// list records where it came from. A slot is written only once the stored copy exists,
// and a move that cannot be finished is undone, so every entry has its stored file.
#pragma once
#include <string>
#include <vector>

#include "desktop/SysUtils.h"

class TIniFile;

class TTrashcan {
public:
    // folder: Personal folder + "Trashcan\"; the list file is borrowed.
    TTrashcan(TIniFile& trashList, std::string folder);

    const std::string& Folder() const noexcept { return FFolder; }
    std::string StoredPath(const std::string& path) const;   // Folder() + bare file name

    // Creates the folder (one level) when missing; throws Exception
    // "Couldn't create a directory for the trashcan." when that fails.
    void EnsureFolder() const;
    // Copies path into the folder (never over a stored file), records it in the first free
    // slot and deletes the original. False, with nothing recorded or changed: an empty path,
    // list full, copy failed, or the original could not be deleted.
    bool Store(const std::string& path);
    // Copies the stored file back to path (never over an existing file), then deletes the
    // stored copy and the entry; when the stored copy cannot be deleted the restored one goes again.
    bool Restore(const std::string& path);
    // Deletes the stored file and, when that worked, the entry.
    bool Erase(const std::string& path);
    // The used slots of the trash list in slot order.
    std::vector<std::string> Entries() const;

private:
    TIniFile& FList;
    std::string FFolder;
};
