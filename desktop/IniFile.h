// desktop/IniFile.h -- TIniFile: an INI file read and written through the profile API, no cache
#pragma once
#include <string>
#include <vector>

#include "Object.h"
#include "SysUtils.h"

class TStringList;

// A write the profile API refused; the message names the file, Code() keeps the native error.
class EIniFileError : public Exception {
public:
    EIniFileError(const std::string& message, unsigned long code) : Exception(message), FCode(code) {}
    unsigned long Code() const noexcept { return FCode; }

private:
    unsigned long FCode;
};

// One key of a section and the value ReadString gives for it.
struct TIniValue {
    std::string Key;
    std::string Value;
};

// Every call goes to the file itself, so an edit made by another process is seen
// at the next read. Creating the object touches nothing on disk; the first write
// creates the file. A relative file name is the profile API's: it lands in the
// Windows folder.
class TIniFile : public TObject {
public:
    explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

    const std::string& FileName() const noexcept { return FFileName; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);  // throws EIniFileError
    // Decimal, or hexadecimal after "0x"; anything else (empty, "1x", "yes") gives fallback.
    int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
    void WriteInteger(const std::string& section, const std::string& key, int value);  // throws EIniFileError
    // An integer, non-zero meaning true; written as "1" or "0".
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    void WriteBool(const std::string& section, const std::string& key, bool value);  // throws EIniFileError

    void ReadSection(const std::string& section, TStringList& keysOut) const;  // key names in file order
    // Every key of the section with the value ReadString would give for it, from one read of
    // the file (GetPrivateProfileSectionA), in file order. Of two equal keys the first counts,
    // as for ReadString; a line without "=" is no value (ReadString gives the fallback).
    std::vector<TIniValue> ReadSectionValues(const std::string& section) const;
    void ReadSections(TStringList& sectionsOut) const;
    bool SectionExists(const std::string& section) const;  // also true for a section without keys
    bool ValueExists(const std::string& section, const std::string& key) const;
    void DeleteKey(const std::string& section, const std::string& key);  // a missing key is no error
    void EraseSection(const std::string& section);                        // throws EIniFileError
    void UpdateFile();  // asks the system to write out anything it still holds for this file

private:
    std::string FFileName;
};

// The values of section in INI text (lines ending in LF or CR LF, 8-bit), as
// ReadSectionValues gives them from a file holding that text. For a copy that is parsed
// without the profile API and its cache.
std::vector<TIniValue> ParseIniSection(const std::string& text, const std::string& section);
