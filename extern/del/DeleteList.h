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

    // Used slots 0..200 in slot order (free slots and "defval" skipped).
    std::vector<std::string> ReadPaths() const;
    // Deletes each listed file; the list then holds only the paths that could
    // not be deleted, in slots 0..n-1. Returns that count.
    int DeleteAll();

private:
    std::string FFileName;
    void Rewrite(const std::vector<std::string>& kept) const;
};

// True when the file is gone afterwards (also when it never existed).
bool DeleteFileForGood(const std::string& path);
