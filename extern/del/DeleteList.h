// extern/del/DeleteList.h -- TDeleteList: the current user's delete list and the deleting of its paths
#pragma once

#include <string>
#include <vector>

class TDeleteList {
public:
    // Personal folder + user key + "_delete.snx"; empty when the user name is empty.
    static std::string FileNameForCurrentUser();

    explicit TDeleteList(std::string fileName) : FFileName(std::move(fileName)) {}
    const std::string& FileName() const { return FFileName; }

    // A path that stays on the list, and why.
    struct TKeptPath {
        std::string Path;
        std::string Reason;
    };

    // Used slots 0..200 in slot order (free slots and "defval" skipped).
    std::vector<std::string> ReadPaths() const;
    // Deletes each listed file named by an absolute path; the list then holds only the paths
    // that are not absolute or could not be deleted, in slots 0..n-1, and those are returned.
    std::vector<TKeptPath> DeleteAll();

private:
    std::string FFileName;
    void Rewrite(const std::vector<std::string>& kept) const;
};

// "C:\..." (a drive letter, its root), or "\\server\share\..." (UNC); either separator.
// Anything else ("x.exe", "..\x.dll", "\x.exe", "C:x.exe") is resolved against a working
// folder or drive, which at boot is whatever started us.
bool IsAbsolutePath(const std::string& path);

// True when the file is gone afterwards (also when it never existed).
bool DeleteFileForGood(const std::string& path);
