// extern/del/DeleteList.cpp -- TDeleteList: read the list slot by slot, delete, keep what could not go
#include "DeleteList.h"

#include "Varnel2/Varnel2.h"
#include "shared/PersonalFolder.h"

#include <windows.h>

namespace {

constexpr char ListSection[] = "list";
constexpr char FreeSlot[] = "defval";
constexpr int SlotCount = 201;  // keys "0" to "200"

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace

std::string TDeleteList::FileNameForCurrentUser() {
    std::string userKey = UpperAscii(UserName());
    if (userKey.empty()) return {};
    std::string personal = PersonalFolder();
    if (personal.empty()) return {};
    return personal + userKey + "_delete.snx";
}

std::vector<std::string> TDeleteList::ReadPaths() const {
    std::vector<std::string> paths;
    for (int slot = 0; slot < SlotCount; ++slot) {
        char value[MAX_PATH * 4] = {};
        GetPrivateProfileStringA(ListSection, std::to_string(slot).c_str(), FreeSlot, value, sizeof value,
                                 FFileName.c_str());
        if (lstrcmpA(value, FreeSlot) != 0 && value[0] != '\0') paths.emplace_back(value);
    }
    return paths;
}

std::vector<TDeleteList::TKeptPath> TDeleteList::DeleteAll() {
    std::vector<TKeptPath> kept;
    for (const std::string& path : ReadPaths()) {
        // Kept rather than dropped: the user sees it on the Tools page and can take it off.
        if (!IsAbsolutePath(path))
            kept.push_back({path, "not an absolute path"});
        else if (!DeleteFileForGood(path))
            kept.push_back({path, "could not be deleted"});
    }
    std::vector<std::string> paths;
    for (const TKeptPath& entry : kept) paths.push_back(entry.Path);
    Rewrite(paths);
    return kept;
}

// Writing the kept paths upward before deleting the rest never overwrites a
// slot whose path is still to be moved, so an interrupted run loses nothing.
void TDeleteList::Rewrite(const std::vector<std::string>& kept) const {
    for (int slot = 0; slot < SlotCount; ++slot) {
        const char* value = slot < static_cast<int>(kept.size()) ? kept[slot].c_str() : nullptr;
        WritePrivateProfileStringA(ListSection, std::to_string(slot).c_str(), value, FFileName.c_str());
    }
    // Flush the profile cache so the file is final when we exit.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str());
}

bool IsAbsolutePath(const std::string& path) {
    const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && isSeparator(path[2])) return true;
    if (path.size() < 2 || !isSeparator(path[0]) || !isSeparator(path[1])) return false;
    const size_t serverEnd = path.find_first_of("\\/", 2);
    if (serverEnd == std::string::npos || serverEnd == 2) return false;
    const size_t shareStart = serverEnd + 1;
    return shareStart < path.size() && !isSeparator(path[shareStart]);
}

bool DeleteFileForGood(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    // Folders are not ours to remove: the list names program files.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    // DeleteFile refuses read-only files; give the attribute back if deleting still fails.
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileA(path.c_str())) return true;
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes);
    return false;
}
