// core/ListFile.cpp -- slot rules of the list files
#include "core/ListFile.h"

#include "desktop/IniFile.h"
#include "desktop/SysUtils.h"

namespace listfile {

std::string SlotKey(int slot) { return IntToStr(slot); }

std::string ReadSlot(const TIniFile& file, int slot, const std::string& freeText) {
    return file.ReadString(Section, SlotKey(slot), freeText);
}

int FirstFreeSlot(const TIniFile& file) {
    for (int slot = 0; slot < SlotCount; ++slot)
        if (ReadSlot(file, slot) == FreeText) return slot;
    return -1;
}

std::vector<std::string> Entries(const TIniFile& file, const std::string& freeText) {
    std::vector<std::string> entries;
    for (int slot = 0; slot < SlotCount; ++slot) {
        std::string value = ReadSlot(file, slot, freeText);
        if (value != freeText) entries.push_back(std::move(value));
    }
    return entries;
}

int Count(const TIniFile& file) { return static_cast<int>(Entries(file).size()); }

bool Contains(const TIniFile& file, const std::string& path) {
    for (int slot = 0; slot < SlotCount; ++slot)
        if (ReadSlot(file, slot) == path) return true;
    return false;
}

bool Add(TIniFile& file, const std::string& path) {
    // An empty value reads back as "" rather than as the free-slot text: a used slot holding
    // nothing, which no reader could tell from an entry.
    if (path.empty()) return false;
    if (Contains(file, path)) return true;
    int slot = FirstFreeSlot(file);
    if (slot < 0) return false;
    file.WriteString(Section, SlotKey(slot), path);
    return true;
}

bool Remove(TIniFile& file, const std::string& path) {
    const std::string wanted = UpperCaseAscii(path);
    int match = -1;
    for (int slot = 0; slot < SlotCount; ++slot)
        if (UpperCaseAscii(ReadSlot(file, slot)) == wanted) match = slot;
    if (match < 0) return false;
    // Every later slot, free or used, moves one place down; the last slot ends deleted.
    for (int slot = match; slot < SlotCount; ++slot) {
        std::string next = slot + 1 < SlotCount ? ReadSlot(file, slot + 1) : std::string(FreeText);
        if (next != FreeText)
            file.WriteString(Section, SlotKey(slot), next);
        else
            file.DeleteKey(Section, SlotKey(slot));
    }
    return true;
}

} // namespace listfile
