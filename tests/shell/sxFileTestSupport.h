// tests/shell/sxFileTestSupport.h -- for the file component tests: a folder of the test's own
// under %TEMP%, removed with everything in it, and whole-file reads and writes
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "desktop/SysUtils.h"

namespace sxtest {

// The whole file as bytes; "<missing>" when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string data(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!data.empty()) ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
    CloseHandle(file);
    data.resize(read);
    return data;
}

inline void WriteWholeFile(const std::string& path, const std::string& data) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, data.size()) << path;
}

// The names in a folder (files and folders) in the system's order, separated by spaces.
inline std::string FolderListing(const std::string& folder) {
    std::string names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((IncludeTrailingBackslash(folder) + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return "<missing>";
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names += (names.empty() ? "" : " ") + name;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// "%TEMP%\SentinoxTest_<test>_<pid>\", made empty for the test and removed after it.
class TTempFolder {
public:
    TTempFolder() {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        FPath = std::string(temp) + "SentinoxTest_" + (info ? info->name() : "folder") + "_" +
                std::to_string(GetCurrentProcessId()) + "\\";
        Remove();
        CreateDirectoryA(FPath.c_str(), nullptr);
    }
    ~TTempFolder() { Remove(); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return FPath; }       // with the trailing backslash
    std::string operator/(const std::string& name) const { return FPath + name; }
    bool Exists() const { return GetFileAttributesA(FPath.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string Listing(const std::string& sub = "") const { return FolderListing(FPath + sub); }

private:
    void Remove() {
        // Read-only files (left by a test) would stop the shell's delete.
        std::string from = FPath.substr(0, FPath.size() - 1) + '\0';
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((FPath + "*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do SetFileAttributesA((FPath + found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
            while (FindNextFileA(find, &found));
            FindClose(find);
        }
        SHFILEOPSTRUCTA operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&operation);
    }

    std::string FPath;
};

// Answers the first dialog box of this process that appears within timeoutMs with command
// (IDCANCEL, IDNO, ...), from a thread of its own while the GUI thread sits in the dialog's loop.
class TDialogAnswerer {
public:
    TDialogAnswerer(WPARAM command, DWORD timeoutMs = 10000) : FCommand(command), FTimeoutMs(timeoutMs) {
        FThread = CreateThread(nullptr, 0, &TDialogAnswerer::Run, this, 0, nullptr);
    }
    ~TDialogAnswerer() {
        WaitForSingleObject(FThread, FTimeoutMs + 1000);
        CloseHandle(FThread);
    }
    const std::string& Caption() { WaitForSingleObject(FThread, FTimeoutMs + 1000); return FCaption; }
    // A message box's text (its static control 0xFFFF); empty for other dialogs.
    const std::string& Text() { WaitForSingleObject(FThread, FTimeoutMs + 1000); return FText; }

private:
    static DWORD WINAPI Run(void* self) {
        auto* me = static_cast<TDialogAnswerer*>(self);
        for (DWORD waited = 0; waited < me->FTimeoutMs; waited += 20) {
            HWND dialog = nullptr;
            while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
                DWORD pid = 0;
                GetWindowThreadProcessId(dialog, &pid);
                if (pid != GetCurrentProcessId() || !IsWindowVisible(dialog)) continue;
                char caption[256] = {};
                GetWindowTextA(dialog, caption, sizeof(caption));
                me->FCaption = caption;
                char text[512] = {};
                GetDlgItemTextA(dialog, 0xFFFF, text, sizeof(text));
                me->FText = text;
                PostMessageA(dialog, WM_COMMAND, me->FCommand, 0);
                return 0;
            }
            Sleep(20);
        }
        return 0;
    }

    WPARAM FCommand;
    DWORD FTimeoutMs;
    HANDLE FThread = nullptr;
    std::string FCaption;
    std::string FText;
};

} // namespace sxtest
