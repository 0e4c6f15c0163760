// tests/core/TempIniFile.h -- an INI file in a folder of its own under %TEMP%, removed afterwards
#pragma once
#include <windows.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "desktop/Handle.h"
#include "desktop/IniFile.h"
#include "desktop/StringList.h"

class TTempIniFile {
public:
    explicit TTempIniFile(const std::string& name) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        FFolder = std::string(temp) + "sxcore." + std::to_string(GetCurrentProcessId()) + "." +
                  std::to_string(++Counter()) + "\\";
        CreateDirectoryA(FFolder.c_str(), nullptr);
        FPath = FFolder + name;
    }
    ~TTempIniFile() {
        DeleteFileA(FPath.c_str());
        RemoveDirectoryA(FFolder.c_str());
    }
    TTempIniFile(const TTempIniFile&) = delete;
    TTempIniFile& operator=(const TTempIniFile&) = delete;

    const std::string& Path() const noexcept { return FPath; }
    bool Exists() const { return GetFileAttributesA(FPath.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string Text() const {
        std::ifstream in(FPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The keys and values of one section, as the file holds them.
    std::map<std::string, std::string> Section(const std::string& section) const {
        TIniFile file(FPath);
        TStringList keys;
        file.ReadSection(section, keys);
        std::map<std::string, std::string> values;
        for (int i = 0; i < keys.Count(); ++i) values[keys[i]] = file.ReadString(section, keys[i], "<absent>");
        return values;
    }

    // Has another process (cmd's copy) replace the file's bytes with text, then puts the file's
    // time stamp back (unless told not to): a rewrite within the time stamp's resolution, as a
    // check of size and time would miss it when text is as long as what it replaces. False:
    // the copy failed.
    bool RewriteFromAnotherProcess(const std::string& text, bool putTimeBack = true) const {
        FILETIME written{};
        if (!LastWriteTime(written)) return false;
        const std::string source = FFolder + "rewrite.tmp";
        std::ofstream(source, std::ios::binary) << text;
        std::string command = "cmd.exe /c copy /y /b \"" + source + "\" \"" + FPath + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &process))
            return false;
        const THandle thread(process.hThread), copy(process.hProcess);
        DWORD code = 1;
        if (WaitForSingleObject(copy.Get(), 60000) == WAIT_OBJECT_0) GetExitCodeProcess(copy.Get(), &code);
        DeleteFileA(source.c_str());
        return code == 0 && Text() == text && (!putTimeBack || SetLastWriteTime(written));
    }
    // Dates the file's last write an hour back, as a file written long before it is read.
    bool MakeOld() const {
        FILETIME written{};
        if (!LastWriteTime(written)) return false;
        ULARGE_INTEGER ticks{};
        ticks.LowPart = written.dwLowDateTime;
        ticks.HighPart = written.dwHighDateTime;
        ticks.QuadPart -= 3600ull * 10000000ull;
        written.dwLowDateTime = ticks.LowPart;
        written.dwHighDateTime = ticks.HighPart;
        return SetLastWriteTime(written);
    }

    // Stamps the file's last write with time, as a file system that keeps it so would.
    bool SetLastWriteTime(const FILETIME& time) const {
        const THandle file(CreateFileA(FPath.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        return file.IsValid() && SetFileTime(file.Get(), nullptr, nullptr, &time) != FALSE;
    }

private:
    bool LastWriteTime(FILETIME& timeOut) const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(FPath.c_str(), GetFileExInfoStandard, &data)) return false;
        timeOut = data.ftLastWriteTime;
        return true;
    }
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::string FFolder;
    std::string FPath;
};
