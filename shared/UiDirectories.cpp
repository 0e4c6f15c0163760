// shared/UiDirectories.cpp -- special folders from system calls and the Shell Folders keys
#include "UiDirectories.h"

#include <windows.h>

#include <iterator>
#include <vector>

#include "desktop/Handle.h"
#include "desktop/SysUtils.h"

namespace {

constexpr char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char CurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr DWORD PathBufferSize = 261;

const char* const UserFolderValues[] = {"AppData", "Cache", "Cookies", "Desktop", "Favorites", "Fonts", "History",
    "NetHood", "Personal", "Programs", "Recent", "SendTo", "Start Menu", "Startup", "Templates"};
// "Personal" at 8 is what the machine key holds under that name, as the user key does.
const char* const CommonFolderValues[] = {"Common Administrative Tools", "Common AppData", "Common Desktop",
    "Common Documents", "Common Programs", "Common Start Menu", "Common Startup", "Common Templates", "Personal",
    "Common Favorites"};

// An empty answer stays empty: "\" alone would name the root of the current drive.
std::string WithTrailingBackslash(const std::string& path) {
    return path.empty() ? path : IncludeTrailingBackslash(path);
}

// A string value (REG_SZ or REG_EXPAND_SZ, not expanded), or "" for anything else.
std::string ReadRegistryString(HKEY root, const char* key, const char* value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return "";
    TRegKeyHandle guard(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(opened, value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "";
    if (type != REG_SZ && type != REG_EXPAND_SZ) return "";
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return "";
    // The stored text may or may not carry its terminating zero.
    return std::string(data.data());
}

std::string ExpandEnvironment(const std::string& text) {
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return "";
    std::vector<char> buffer(needed + 1, '\0');
    if (ExpandEnvironmentStringsA(text.c_str(), buffer.data(), needed + 1) == 0) return "";
    return std::string(buffer.data());
}

// A path from a call that takes (size, buffer) and answers the length, or the size
// needed when the buffer is too small; 0 is a failure.
template <class F>
std::string SystemPath(F call) {
    std::vector<char> buffer(PathBufferSize, '\0');
    DWORD length = call(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) {
        buffer.assign(length + 1, '\0');
        length = call(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0 || length >= buffer.size()) return "";
    return WithTrailingBackslash(std::string(buffer.data()));
}

}  // namespace

std::string TUiDirectories::CurrentDirectory() const {
    return SystemPath([](DWORD size, char* buffer) { return GetCurrentDirectoryA(size, buffer); });
}

std::string TUiDirectories::WindowsDirectory() const {
    return SystemPath([](DWORD size, char* buffer) { return static_cast<DWORD>(GetWindowsDirectoryA(buffer, size)); });
}

std::string TUiDirectories::SystemDirectory() const {
    return SystemPath([](DWORD size, char* buffer) { return static_cast<DWORD>(GetSystemDirectoryA(buffer, size)); });
}

std::string TUiDirectories::TempPath() const {
    return SystemPath([](DWORD size, char* buffer) { return GetTempPathA(size, buffer); });
}

std::string TUiDirectories::ProgramFiles() const {
    return WithTrailingBackslash(ReadRegistryString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir"));
}

std::string TUiDirectories::GetShellFolder(int index) const {
    if (index < 0 || index >= static_cast<int>(std::size(UserFolderValues))) return "";
    return WithTrailingBackslash(ReadRegistryString(HKEY_CURRENT_USER, ShellFoldersKey, UserFolderValues[index]));
}

std::string TUiDirectories::GetCommonFolder(int index) const {
    if (index < 0 || index >= static_cast<int>(std::size(CommonFolderValues))) return "";
    return WithTrailingBackslash(ReadRegistryString(HKEY_LOCAL_MACHINE, ShellFoldersKey, CommonFolderValues[index]));
}

std::string TUiDirectories::GetAllUsersFolder(int index) const {
    if (index < 0 || index >= static_cast<int>(std::size(CommonFolderValues))) return "";
    std::string stored = ReadRegistryString(HKEY_LOCAL_MACHINE, ShellFoldersKey, CommonFolderValues[index]);
    return WithTrailingBackslash(stored.empty() ? stored : ExpandEnvironment(stored));
}
