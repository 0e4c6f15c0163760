// core/AutostartKey.h -- TAutostartKey: one of the four Run/RunOnce keys as the scan reads and
// cleans it, with the command-line normalisation and the slot rule every comparison uses
//
// The key is enumerated, read and cleaned with the wide registry calls: the ANSI ones turn every
// character the code page cannot hold into "?", so "x中" would read and delete as "x?", another
// value. Names and texts then travel in their AutostartText form, which keeps them apart.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "desktop/Registry.h"

class TIniFile;

// "Software\Microsoft\Windows\CurrentVersion\Run", or "...\RunOnce" when once.
std::string AutostartKeyPath(bool once);

// A registry text in the ANSI code page, losslessly: a text that converts there and back
// unchanged is its plain ANSI form; otherwise each character the code page cannot hold (no
// look-alike stands in for it) becomes "<U+XXXX>", its code point in upper-case hex, and so
// does a "<" that starts "<U+" or "<u+" itself. Two different texts never give the same form, and
// since "<" and ">" are not allowed in file names, no real path reads like such a form.
std::string AutostartText(const std::wstring& text);

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
    // A value's name as the registry holds it, and its AutostartText, to show and to compare.
    class TValueName {
    public:
        explicit TValueName(const std::wstring& wide) : FWide(wide), FText(AutostartText(FWide)) {}
        const std::wstring& Wide() const noexcept { return FWide; }
        const std::string& Text() const noexcept { return FText; }
        bool operator==(const TValueName& other) const { return FWide == other.FWide; }

    private:
        std::wstring FWide;
        std::string FText;
    };

    // Opens root\path without creating it; a missing or refused key has no values.
    // writable: query and delete access, for RemoveValuesContaining.
    TAutostartKey(HKEY root, const std::string& path, bool writable = false);

    bool IsOpen() const noexcept { return FOpen; }
    // The value names as they were when the key was opened.
    const std::vector<TValueName>& Names() const noexcept { return FNames; }
    // The normalised command line of one value (in its AutostartText form). False, for the
    // scan to skip it: gone since the names were taken, not text (REG_DWORD, REG_BINARY, ...),
    // or nothing left after normalising.
    bool ReadCommandLine(const TValueName& name, std::string& commandLineOut) const;
    // The value's whole text upper-cased (ASCII letters) without its quotes: what the
    // protection reactions compare. False: gone, or not text.
    bool ReadCaselessCommandLine(const TValueName& name, std::string& commandLineOut) const;
    // Deletes every value whose caseless command line contains path upper-cased, whatever its
    // name. An empty path deletes nothing. Returns the number deleted.
    int RemoveValuesContaining(const std::string& path);

private:
    bool ReadText(const TValueName& name, std::string& textOut) const;

    TRegistry FRegistry;
    bool FOpen = false;
    std::vector<TValueName> FNames;
};
