// core/AutostartKey.cpp -- TAutostartKey and the scan's text rules
#include "core/AutostartKey.h"

#include "core/ListFile.h"
#include "desktop/IniFile.h"
#include "desktop/StringList.h"
#include "desktop/SysUtils.h"

namespace {

// The registry scan's free-slot text; every other list reader passes "defval".
constexpr const char* ScanFreeText = "def";

} // namespace

std::string AutostartKeyPath(bool once) {
    return once ? "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"
                : "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
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
    // lists between two values.
    const std::vector<std::string> white = listfile::ReadSlots(whiteList, ScanFreeText);
    const std::vector<std::string> black = listfile::ReadSlots(blackList, ScanFreeText);
    for (int slot = 0; slot < listfile::SlotCount; ++slot) {
        if (white[slot] == commandLine) return TListVerdict::White;
        if (black[slot] == commandLine) return TListVerdict::Black;
    }
    return TListVerdict::New;
}

TAutostartKey::TAutostartKey(HKEY root, const std::string& path, bool writable)
    : FRegistry(writable ? KEY_QUERY_VALUE | KEY_SET_VALUE : KEY_READ) {
    FRegistry.SetRootKey(root);
    FOpen = writable ? FRegistry.OpenKey(path, false) : FRegistry.OpenKeyReadOnly(path);
    if (!FOpen) return;
    TStringList names;
    FRegistry.GetValueNames(names);
    for (int i = 0; i < names.Count(); ++i) FNames.push_back(names[i]);
}

bool TAutostartKey::ReadText(const std::string& name, std::string& textOut) const {
    if (!FOpen) return false;
    try {
        textOut = FRegistry.ReadString(name);
        return true;
    } catch (const ERegistryException&) {
        // Deleted meanwhile, or a number or raw bytes: no command line to judge.
        return false;
    }
}

bool TAutostartKey::ReadCommandLine(const std::string& name, std::string& commandLineOut) const {
    std::string text;
    if (!ReadText(name, text)) return false;
    commandLineOut = NormalizeCommandLine(text);
    return !commandLineOut.empty();
}

int TAutostartKey::RemoveValuesContaining(const std::string& path) {
    // "" is part of every text: an empty path would take every value of the key with it.
    if (path.empty() || !FOpen) return 0;
    const std::string wanted = UpperCaseAscii(path);
    int removed = 0;
    for (const std::string& name : FNames) {
        std::string text;
        if (!ReadText(name, text)) continue;
        // Upper case first, so the ".exe" cut never applies: only the quotes go.
        if (NormalizeCommandLine(UpperCaseAscii(text)).find(wanted) == std::string::npos) continue;
        if (FRegistry.DeleteValue(name)) ++removed;
    }
    return removed;
}
