// core/AutoProtection.cpp -- the two reactions of Automatic Protection
#include "core/AutoProtection.h"

#include "core/AutostartKey.h"
#include "core/ListFile.h"
#include "desktop/SysUtils.h"

namespace {

// The used slots, read once per look; "" is what an emptied slot holds, nobody's path.
std::vector<std::string> BlackListEntries(const TIniFile& blackList) {
    std::vector<std::string> entries;
    for (std::string& entry : listfile::Entries(blackList))
        if (!entry.empty()) entries.push_back(std::move(entry));
    return entries;
}

} // namespace

namespace {

// FindBlackListedValue, passing over the entries in refused (upper-cased).
std::string FindEntry(const TIniFile& blackList, HKEY root, const std::string& keyPath,
                      const std::set<std::string>& refused) {
    const TAutostartKey key(root, keyPath);
    if (key.Names().empty()) return "";

    std::vector<std::string> entries;
    for (std::string& entry : BlackListEntries(blackList))
        if (!refused.count(UpperCaseAscii(entry))) entries.push_back(std::move(entry));
    std::string found;
    for (const TAutostartKey::TValueName& name : key.Names()) {
        // The whole line, quotes aside: a program registered with arguments is not found here
        // (the scan finds it).
        std::string commandLine;
        if (!key.ReadCaselessCommandLine(name, commandLine)) continue;
        for (const std::string& entry : entries)
            if (UpperCaseAscii(entry) == commandLine) found = entry;
    }
    return found;
}

// An intruder that writes its value again as fast as it goes would keep the GUI thread here
// for ever; its next write is reported anyway.
constexpr int MaxRounds = 1000;

} // namespace

std::string FindBlackListedValue(const TIniFile& blackList, HKEY root, const std::string& keyPath) {
    return FindEntry(blackList, root, keyPath, {});
}

int RemoveBlackListedValues(const TIniFile& blackList, HKEY root, const std::string& keyPath) {
    int removed = 0;
    std::set<std::string> refused;
    for (int round = 0; round < MaxRounds; ++round) {
        const std::string entry = FindEntry(blackList, root, keyPath, refused);
        if (entry.empty()) break;
        const int count = TAutostartKey(root, keyPath, true).RemoveValuesContaining(entry);
        // Nothing went (access refused): looking again would find the same value for ever.
        if (count == 0) refused.insert(UpperCaseAscii(entry));
        removed += count;
    }
    return removed;
}

std::vector<std::string> TIntruderSweep::Sweep(const TIniFile& blackList, const TRemoveFile& remove) {
    std::vector<std::string> lines;
    for (const std::string& path : BlackListEntries(blackList)) {
        const std::string key = UpperCaseAscii(path);
        if (!FileExists(path)) {
            FReported.erase(key);
            continue;
        }
        std::string reason = "it could not be stopped or moved to the trashcan.";
        bool moved = false;
        try {
            moved = remove(path);
        } catch (const std::exception& error) {
            reason = error.what();
        }
        if (moved) {
            FReported.erase(key);
            lines.push_back("Automatically removed intruder (" + path + ")");
        } else if (FReported.insert(key).second) {
            lines.push_back("Couldn't remove intruder (" + path + "): " + reason);
        }
    }
    return lines;
}
