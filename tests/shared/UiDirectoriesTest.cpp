// tests/shared/UiDirectoriesTest.cpp -- TUiDirectories on the test prefix's own shell folders
//
// Tests that change a Shell Folders value save it first and put it back in TearDown.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shared/PersonalFolder.h"
#include "shared/UiDirectories.h"
#include <shlobj.h>

namespace {

constexpr char ShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// One registry value, restored (or removed again) when the guard goes.
class TSavedValue {
public:
    TSavedValue(HKEY root, const char* name) : FName(name) {
        if (RegCreateKeyExA(root, ShellFoldersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FKey, nullptr) != ERROR_SUCCESS)
            FKey = nullptr;
        DWORD size = 0;
        FPresent = FKey && RegQueryValueExA(FKey, name, nullptr, &FType, nullptr, &size) == ERROR_SUCCESS;
        if (FPresent) {
            FData.resize(size);
            RegQueryValueExA(FKey, name, nullptr, &FType, FData.data(), &size);
        }
    }
    ~TSavedValue() {
        if (!FKey) return;
        if (FPresent)
            RegSetValueExA(FKey, FName, 0, FType, FData.data(), static_cast<DWORD>(FData.size()));
        else
            RegDeleteValueA(FKey, FName);
        RegCloseKey(FKey);
    }
    TSavedValue(const TSavedValue&) = delete;
    TSavedValue& operator=(const TSavedValue&) = delete;

    bool IsOpen() const { return FKey != nullptr; }
    void SetString(const std::string& value, DWORD type = REG_SZ) {
        RegSetValueExA(FKey, FName, 0, type, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    }
    void SetDword(DWORD value) { RegSetValueExA(FKey, FName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)); }
    void Delete() { RegDeleteValueA(FKey, FName); }

private:
    const char* FName;
    HKEY FKey = nullptr;
    bool FPresent = false;
    DWORD FType = 0;
    std::vector<BYTE> FData;
};

std::string StoredString(HKEY root, const char* name) {
    char buffer[MAX_PATH] = {};
    DWORD size = sizeof(buffer) - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, ShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return buffer;
}

}  // namespace

TEST(UiDirectoriesTest, PersonalIsThePrefixsDocumentsFolderWithTrailingBackslash) {
    TUiDirectories dirs(nullptr);
    std::string stored = StoredString(HKEY_CURRENT_USER, "Personal");
    ASSERT_FALSE(stored.empty()) << "the prefix has no Personal folder";
    std::string personal = dirs.Personal();
    ASSERT_FALSE(personal.empty());
    EXPECT_EQ(personal.back(), '\\');
    EXPECT_EQ(personal, stored.back() == '\\' ? stored : stored + "\\");
    EXPECT_NE(GetFileAttributesA(personal.c_str()), INVALID_FILE_ATTRIBUTES);
}

struct TPersonalCase {
    const char* Stored;      // null: the value is absent
    DWORD Type;
    const char* Expected;
};

TEST(UiDirectoriesTest, PersonalGetsOneBackslashAndNothingWhenMissing) {
    const TPersonalCase cases[] = {
        {"C:\\Sentinox Docs", REG_SZ, "C:\\Sentinox Docs\\"},
        {"C:\\Sentinox Docs\\", REG_SZ, "C:\\Sentinox Docs\\"},
        {"%USERPROFILE%\\Docs", REG_EXPAND_SZ, "%USERPROFILE%\\Docs\\"},   // per-user values are not expanded
        {"", REG_SZ, ""},
        {nullptr, REG_SZ, ""},
        {nullptr, REG_DWORD, ""},                                         // not a string
    };
    TSavedValue saved(HKEY_CURRENT_USER, "Personal");
    ASSERT_TRUE(saved.IsOpen());
    TUiDirectories dirs(nullptr);
    for (const TPersonalCase& c : cases) {
        if (c.Stored) saved.SetString(c.Stored, c.Type);
        else if (c.Type == REG_DWORD) saved.SetDword(42);
        else saved.Delete();
        EXPECT_EQ(dirs.Personal(), c.Expected) << (c.Stored ? c.Stored : "(absent)") << " type " << c.Type;
    }
}

// The per-user files follow the Shell Folders value; without one they go where the shell
// says, never into the current folder.
TEST(UiDirectoriesTest, PersonalFolderFallsBackToTheShellsAnswerWhenTheValueIsMissingOrEmpty) {
    TSavedValue saved(HKEY_CURRENT_USER, "Personal");
    ASSERT_TRUE(saved.IsOpen());
    saved.SetString("C:\\Sentinox Docs");
    EXPECT_EQ(PersonalFolder(), "C:\\Sentinox Docs\\");

    for (bool present : {true, false}) {
        if (present) saved.SetString("");
        else saved.Delete();
        char shell[MAX_PATH] = {};
        ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, shell)));
        std::string expected = std::string(shell) + "\\";
        std::string folder = PersonalFolder();
        EXPECT_EQ(folder, expected) << (present ? "empty value" : "no value");
        EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(UiDirectoriesTest, AllUsersFoldersAreExpandedCommonOnesAreNot) {
    TSavedValue saved(HKEY_LOCAL_MACHINE, "Common Templates");
    ASSERT_TRUE(saved.IsOpen());
    SetEnvironmentVariableA("SENTINOX_DIRS_TEST", "C:\\Shared Place");
    saved.SetString("%SENTINOX_DIRS_TEST%\\Templates", REG_EXPAND_SZ);
    TUiDirectories dirs(nullptr);
    EXPECT_EQ(dirs.AllUsersTemplates(), "C:\\Shared Place\\Templates\\");
    EXPECT_EQ(dirs.CommonTemplates(), "%SENTINOX_DIRS_TEST%\\Templates\\");
    saved.Delete();
    EXPECT_EQ(dirs.AllUsersTemplates(), "");
    SetEnvironmentVariableA("SENTINOX_DIRS_TEST", nullptr);
}

TEST(UiDirectoriesTest, SystemFoldersMatchTheSystemCallsEndingInBackslash) {
    TUiDirectories dirs(nullptr);
    char buffer[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, buffer);
    EXPECT_EQ(dirs.TempPath(), buffer);   // already ends in "\": unchanged
    GetWindowsDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(dirs.WindowsDirectory(), std::string(buffer) + "\\");
    GetSystemDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(dirs.SystemDirectory(), std::string(buffer) + "\\");
    std::string programFiles = dirs.ProgramFiles();
    ASSERT_FALSE(programFiles.empty());
    EXPECT_EQ(programFiles.back(), '\\');
}

TEST(UiDirectoriesTest, CurrentDirectoryFollowsTheProcessAndKeepsARootAsItIs) {
    TUiDirectories dirs(nullptr);
    char saved[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_EQ(dirs.CurrentDirectory(), "C:\\");
    std::string windows = dirs.WindowsDirectory();
    ASSERT_TRUE(SetCurrentDirectoryA(windows.c_str()));
    EXPECT_EQ(dirs.CurrentDirectory(), windows);
    SetCurrentDirectoryA(saved);
}

TEST(UiDirectoriesTest, ShellFolderIndexOutsideTheTableIsEmpty) {
    TUiDirectories dirs(nullptr);
    EXPECT_EQ(dirs.GetShellFolder(-1), "");
    EXPECT_EQ(dirs.GetShellFolder(15), "");
    EXPECT_EQ(dirs.GetCommonFolder(10), "");
    EXPECT_EQ(dirs.GetShellFolder(8), dirs.Personal());
}
