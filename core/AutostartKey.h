// core/AutostartKey.h -- TAutostartKey: one of the four Run/RunOnce keys as the scan reads and
// cleans it, with the command-line normalisation and the slot rule every comparison uses
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "desktop/Registry.h"

class TIniFile;

// "Software\Microsoft\Windows\CurrentVersion\Run", or "...\RunOnce" when once.
std::string AutostartKeyPath(bool once);

// Path plus program name of a command line: the name part is cut after its first ".exe"
// (lower case only), then every ' and " goes. Arguments holding "\" or ":" keep the whole line.
std::string NormalizeCommandLine(const std::string& commandLine);

enum class TListVerdict { New, White, Black };
// The lowest slot that holds commandLine exactly decides; at one slot the White List is asked
// first. An empty command line matches nothing (an emptied slot reads as ""), and neither
// does "def", the text every free slot reads as.
TListVerdict SortCommandLine(const TIniFile& whiteList, const TIniFile& blackList, const std::string& commandLine);

class TAutostartKey {
public:
    // Opens root\path without creating it; a missing or refused key has no values.
    // writable: query and delete access, for RemoveValuesContaining.
    TAutostartKey(HKEY root, const std::string& path, bool writable = false);

    bool IsOpen() const noexcept { return FOpen; }
    // The value names as they were when the key was opened.
    const std::vector<std::string>& Names() const noexcept { return FNames; }
    // The normalised command line of one value. False, for the scan to skip it: gone since
    // the names were taken, not text (REG_DWORD, REG_BINARY, ...), or nothing left after
    // normalising.
    bool ReadCommandLine(const std::string& name, std::string& commandLineOut) const;
    // Deletes every value whose upper-cased, unquoted command line contains path upper-cased,
    // whatever its name. An empty path deletes nothing. Returns the number deleted.
    int RemoveValuesContaining(const std::string& path);

private:
    bool ReadText(const std::string& name, std::string& textOut) const;

    mutable TRegistry FRegistry;
    bool FOpen = false;
    std::vector<std::string> FNames;
};
