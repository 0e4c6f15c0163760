// core/AutostartKey.cpp -- TAutostartKey and the scan's text rules
#include "core/AutostartKey.h"

#include "core/ListFile.h"
#include "desktop/IniFile.h"
#include "desktop/SysUtils.h"

#include <cstring>

namespace {

// The registry scan's free-slot text; every other list reader passes "defval".
constexpr const char* ScanFreeText = "def";

// True when text converts to the ANSI code page and back unchanged: no default character and
// no best-fit look-alike (such as "A" for U+0100) stood in for anything.
bool ConvertsToAnsi(const std::wstring& text, std::string& ansiOut) {
    ansiOut.clear();
    if (text.empty()) return true;
    const int wideLength = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    ansiOut.resize(size);
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansiOut.data(), size, nullptr, nullptr);
    const int backLength = MultiByteToWideChar(CP_ACP, 0, ansiOut.data(), size, nullptr, 0);
    std::wstring back(backLength > 0 ? backLength : 0, L'\0');
    if (backLength > 0) MultiByteToWideChar(CP_ACP, 0, ansiOut.data(), size, back.data(), backLength);
    return back == text;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A literal "<U+" (either case) would read like an escape: it is escaped itself.
bool StartsEscapeLookAlike(const std::wstring& text, size_t at) {
    return text[at] == L'<' && at + 2 < text.size() && (text[at + 1] == L'U' || text[at + 1] == L'u') &&
           text[at + 2] == L'+';
}

bool HasEscapeLookAlike(const std::wstring& text) {
    for (size_t at = 0; at < text.size(); ++at)
        if (StartsEscapeLookAlike(text, at)) return true;
    return false;
}

// The wide value of a text value, up to its first null (a stored text need not end in one).
// False: gone (or refused), or not text.
bool QueryWideText(HKEY key, const std::wstring& name, std::wstring& textOut) {
    // Sized for any command line a path can make, so one query nearly always does: the scan
    // reads every autostart value this way, and each query is a round trip to the registry.
    constexpr DWORD FirstTry = (MAX_PATH * 4 + 1) * sizeof(wchar_t);
    DWORD type = REG_NONE;
    std::vector<BYTE> data(FirstTry);
    DWORD size = FirstTry - sizeof(wchar_t);
    LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
    // Longer, or grown between two queries: ERROR_MORE_DATA has said how long it is now.
    while (rc == ERROR_MORE_DATA) {
        data.resize(size + sizeof(wchar_t));
        size = static_cast<DWORD>(data.size() - sizeof(wchar_t));
        rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
    }
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    textOut.assign(size / sizeof(wchar_t), L'\0');
    if (!textOut.empty()) std::memcpy(textOut.data(), data.data(), textOut.size() * sizeof(wchar_t));
    const size_t end = textOut.find(L'\0');
    if (end != std::wstring::npos) textOut.resize(end);
    return true;
}

std::vector<TAutostartKey::TValueName> WideValueNames(HKEY key) {
    std::vector<TAutostartKey::TValueName> names;
    DWORD maxLength = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxLength, nullptr, nullptr,
                     nullptr);
    std::vector<wchar_t> buffer(maxLength + 1);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG rc = RegEnumValueW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(std::wstring(buffer.data(), length));
        ++index;
    }
    return names;
}

} // namespace

std::string AutostartKeyPath(bool once) {
    return once ? "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"
                : "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}

std::string AutostartText(const std::wstring& text) {
    std::string ansi;
    if (ConvertsToAnsi(text, ansi) && !HasEscapeLookAlike(text)) return ansi;
    std::string result;
    for (size_t at = 0; at < text.size();) {
        const size_t units = IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2 : 1;
        const std::wstring character = text.substr(at, units);
        if (!StartsEscapeLookAlike(text, at) && ConvertsToAnsi(character, ansi)) {
            result += ansi;
        } else {
            const unsigned long codePoint =
                units == 2 ? 0x10000ul + ((character[0] - 0xD800ul) << 10) + (character[1] - 0xDC00ul) : character[0];
            result += Format("<U+%04lX>", codePoint);
        }
        at += units;
    }
    return result;
}

std::string NormalizeCommandLine(const std::string& commandLine) {
    std::string folder = FolderPart(commandLine);
    std::string name = FileNamePart(commandLine);
    const size_t exe = name.find(".exe");
    if (exe != std::string::npos) name.resize(exe + 4);
    std::string result;
    result.reserve(folder.size() + name.size());
    for (char c : folder + name)
        if (c != '\'' && c != '"') result += c;
    return result;
}

TListVerdict SortCommandLine(const TIniFile& whiteList, const TIniFile& blackList, const std::string& commandLine) {
    // A free slot reads as the free-slot text; it is nobody's entry, whatever the command line says.
    if (commandLine.empty() || commandLine == ScanFreeText) return TListVerdict::New;
    // Both files read afresh for every command line: the scan lets other work change the
    // lists between two values. The lower slot wins; at one slot the White List does.
    const int white = listfile::FirstSlotHolding(whiteList, commandLine);
    const int black = listfile::FirstSlotHolding(blackList, commandLine);
    if (white >= 0 && (black < 0 || white <= black)) return TListVerdict::White;
    return black >= 0 ? TListVerdict::Black : TListVerdict::New;
}

TAutostartKey::TAutostartKey(HKEY root, const std::string& path, bool writable)
    : FRegistry(writable ? KEY_QUERY_VALUE | KEY_SET_VALUE : KEY_READ) {
    FRegistry.SetRootKey(root);
    FOpen = writable ? FRegistry.OpenKey(path, false) : FRegistry.OpenKeyReadOnly(path);
    if (FOpen) FNames = WideValueNames(FRegistry.CurrentKey());
}

bool TAutostartKey::ReadText(const TValueName& name, std::string& textOut) const {
    std::wstring text;
    // Deleted meanwhile, or a number or raw bytes: no command line to judge.
    if (!FOpen || !QueryWideText(FRegistry.CurrentKey(), name.Wide(), text)) return false;
    textOut = AutostartText(text);
    return true;
}

bool TAutostartKey::ReadCommandLine(const TValueName& name, std::string& commandLineOut) const {
    std::string text;
    if (!ReadText(name, text)) return false;
    commandLineOut = NormalizeCommandLine(text);
    return !commandLineOut.empty();
}

bool TAutostartKey::ReadCaselessCommandLine(const TValueName& name, std::string& commandLineOut) const {
    std::string text;
    if (!ReadText(name, text)) return false;
    // Upper case first, so the ".exe" cut never applies: only the quotes go.
    commandLineOut = NormalizeCommandLine(UpperCaseAscii(text));
    return true;
}

int TAutostartKey::RemoveValuesContaining(const std::string& path) {
    // "" is part of every text: an empty path would take every value of the key with it.
    if (path.empty() || !FOpen) return 0;
    const std::string wanted = UpperCaseAscii(path);
    int removed = 0;
    for (const TValueName& name : FNames) {
        std::string commandLine;
        if (!ReadCaselessCommandLine(name, commandLine) || commandLine.find(wanted) == std::string::npos) continue;
        // By its wide name: the ANSI one may be another value's.
        if (RegDeleteValueW(FRegistry.CurrentKey(), name.Wide().c_str()) == ERROR_SUCCESS) ++removed;
    }
    return removed;
}
