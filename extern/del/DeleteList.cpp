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

int TDeleteList::DeleteAll() {
    std::vector<std::string> kept;
    for (const std::string& path : ReadPaths())
        if (!DeleteFileForGood(path)) kept.push_back(path);
    Rewrite(kept);
    return static_cast<int>(kept.size());
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
