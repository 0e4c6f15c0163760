// desktop/IniFile.cpp -- TIniFile over GetPrivateProfileStringA / WritePrivateProfileStringA
//
// Nothing is cached here. The profile API keeps its own copy of recently used
// files but compares the file's time stamp and size at every call (Windows and
// Wine alike), so a change made by another process is seen at the next read.
#include "IniFile.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <set>
#include <vector>

#include "StringList.h"

namespace {

// The profile API reports truncation only by the length it returns: size - 1 for
// one value, size - 2 for a double-null-terminated list.
constexpr DWORD InitialBufferSize = 2048;
constexpr DWORD MaxBufferSize = 16 * 1024 * 1024;

template <class Call>
std::string ReadGrowing(Call call, DWORD truncatedMargin) {
    std::vector<char> buffer(InitialBufferSize);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD n = call(buffer.data(), size);
        if (n + truncatedMargin < size || size >= MaxBufferSize) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

void SplitNullList(const std::string& list, TStringList& out) {
    out.Clear();
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('\0', start);
        if (end == std::string::npos) end = list.size();
        if (end > start) out.Add(list.substr(start, end - start));
        start = end + 1;
    }
}

// GetPrivateProfileStringA drops one pair of quotes, ' or ", around a value; a section read
// hands the line over as it stands.
std::string WithoutEnclosingQuotes(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The values of one section, line by line, as ReadString would give them.
class TSectionValues {
public:
    void AddLine(const std::string& line) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) return;
        std::string key = Trim(line.substr(0, equals));
        if (!FKeys.insert(UpperCaseAscii(key)).second) return;
        FValues.push_back({std::move(key), WithoutEnclosingQuotes(Trim(line.substr(equals + 1)))});
    }
    std::vector<TIniValue> Take() { return std::move(FValues); }

private:
    std::set<std::string> FKeys;  // upper-cased: the profile API's keys ignore letter case
    std::vector<TIniValue> FValues;
};

bool ParseInteger(const std::string& text, int& valueOut) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const char* digits = text.c_str() + 2;
        if (*digits == '-' || *digits == '+' || *digits == ' ') return false;
        char* end = nullptr;
        errno = 0;
        unsigned long v = std::strtoul(digits, &end, 16);
        if (errno != 0 || *end != '\0' || v > 0xFFFFFFFFul) return false;
        valueOut = static_cast<int>(static_cast<unsigned int>(v));
        return true;
    }
    // StrToIntDef has no "not a number" answer apart from the fallback, so ask twice.
    int a = StrToIntDef(text, 0), b = StrToIntDef(text, 1);
    if (a != b) return false;
    valueOut = a;
    return true;
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& fallback) const {
    return ReadGrowing(
        [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer, size, FFileName.c_str());
        },
        1);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), FFileName.c_str())) return;
    DWORD code = GetLastError();
    throw EIniFileError(Format("Unable to write to %s: %s", FFileName.c_str(), SysErrorMessage(code).c_str()), code);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
    int value = 0;
    return ParseInteger(ReadString(section, key, std::string()), value) ? value : fallback;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, IntToStr(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::ReadSection(const std::string& section, TStringList& keysOut) const {
    std::string list = ReadGrowing(
        [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size, FFileName.c_str());
        },
        2);
    SplitNullList(list, keysOut);
}

std::vector<TIniValue> TIniFile::ReadSectionValues(const std::string& section) const {
    std::string list = ReadGrowing(
        [&](char* buffer, DWORD size) { return GetPrivateProfileSectionA(section.c_str(), buffer, size, FFileName.c_str()); },
        2);
    TStringList lines;
    SplitNullList(list, lines);
    TSectionValues values;
    for (int i = 0; i < lines.Count(); ++i) values.AddLine(lines[i]);
    return values.Take();
}

void TIniFile::ReadSections(TStringList& sectionsOut) const {
    std::string list = ReadGrowing(
        [&](char* buffer, DWORD size) { return GetPrivateProfileSectionNamesA(buffer, size, FFileName.c_str()); }, 2);
    SplitNullList(list, sectionsOut);
}

bool TIniFile::SectionExists(const std::string& section) const {
    TStringList sections;
    ReadSections(sections);
    return sections.IndexOf(section) >= 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(key) >= 0;
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    // Deleting from a file or section that is not there may be refused; only a
    // key that stays behind is a failure.
    if (WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, FFileName.c_str())) return;
    DWORD code = GetLastError();
    if (ValueExists(section, key))
        throw EIniFileError(Format("Unable to delete key \"%s\" in %s: %s", key.c_str(), FFileName.c_str(),
                                   SysErrorMessage(code).c_str()), code);
}

void TIniFile::EraseSection(const std::string& section) {
    if (WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FFileName.c_str())) return;
    DWORD code = GetLastError();
    if (SectionExists(section))
        throw EIniFileError(Format("Unable to erase section \"%s\" in %s: %s", section.c_str(), FFileName.c_str(),
                                   SysErrorMessage(code).c_str()), code);
}

void TIniFile::UpdateFile() {
    // All three null: flush the system's copy of this file (WritePrivateProfileString's documented form).
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str());
}

std::vector<TIniValue> ParseIniSection(const std::string& text, const std::string& section) {
    const std::string wanted = UpperCaseAscii(section);
    TSectionValues values;
    bool inSection = false, seen = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.find(']');
            // Only the first section of a name counts, as for the profile API.
            if (inSection) break;
            inSection = !seen && close != std::string::npos && UpperCaseAscii(Trim(line.substr(1, close - 1))) == wanted;
            seen = seen || inSection;
            continue;
        }
        if (inSection) values.AddLine(line);
    }
    return values.Take();
}
