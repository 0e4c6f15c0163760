// tests/core/TempIniFile.h -- an INI file in a folder of its own under %TEMP%, removed afterwards
#pragma once
#include <windows.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

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

private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::string FFolder;
    std::string FPath;
};
