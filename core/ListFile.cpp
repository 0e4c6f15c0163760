// core/ListFile.cpp -- slot rules of the list files
#include "core/ListFile.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "core/ListFileCopy.h"
#include "desktop/IniFile.h"
#include "desktop/SysUtils.h"

namespace listfile {

namespace {

// The profile API keeps a copy of the file it compares by time stamp only; one made before
// another program's rewrite would be written back over it. Dropped before every change.
void ForgetProfileCopy(TIniFile& file) { file.UpdateFile(); }

int FirstFree(const std::vector<std::string>& slots) {
    for (int slot = 0; slot < SlotCount; ++slot)
        if (slots[slot] == FreeText) return slot;
    return -1;
}

} // namespace

std::string SlotKey(int slot) { return IntToStr(slot); }

std::string ReadSlot(const TIniFile& file, int slot, const std::string& freeText) {
    if (slot < 0 || slot >= SlotCount) return freeText;
    const std::shared_ptr<const TListSlots> current = CopyOf(file.FileName()).Current();
    const std::optional<std::string>& value = (*current)[slot];
    return value ? *value : freeText;
}

std::vector<std::string> ReadSlots(const TIniFile& file, const std::string& freeText) {
    const std::shared_ptr<const TListSlots> current = CopyOf(file.FileName()).Current();
    std::vector<std::string> slots;
    slots.reserve(SlotCount);
    for (const std::optional<std::string>& value : *current) slots.push_back(value ? *value : freeText);
    return slots;
}

int FirstFreeSlot(const TIniFile& file) { return FirstFree(ReadSlots(file)); }

std::vector<std::string> Entries(const TIniFile& file, const std::string& freeText) {
    std::vector<std::string> entries;
    for (std::string& value : ReadSlots(file, freeText))
        if (value != freeText) entries.push_back(std::move(value));
    return entries;
}

int Count(const TIniFile& file) { return static_cast<int>(Entries(file).size()); }

bool Contains(const TIniFile& file, const std::string& path) {
    const std::vector<std::string> slots = ReadSlots(file);
    return std::find(slots.begin(), slots.end(), path) != slots.end();
}

int FirstSlotHolding(const TIniFile& file, const std::string& text) {
    const std::shared_ptr<const TListSlots> current = CopyOf(file.FileName()).Current();
    for (int slot = 0; slot < SlotCount; ++slot)
        if (const std::optional<std::string>& value = (*current)[slot]; value && *value == text) return slot;
    return -1;
}

bool Add(TIniFile& file, const std::string& path) {
    // An empty value reads back as "" rather than as the free-slot text: a used slot holding
    // nothing, which no reader could tell from an entry.
    if (path.empty()) return false;
    const std::vector<std::string> slots = ReadSlots(file);
    if (std::find(slots.begin(), slots.end(), path) != slots.end()) return true;
    const int slot = FirstFree(slots);
    if (slot < 0) return false;
    ForgetProfileCopy(file);
    file.WriteString(Section, SlotKey(slot), path);
    return true;
}

bool Remove(TIniFile& file, const std::string& path) {
    const std::string wanted = UpperCaseAscii(path);
    const std::vector<std::string> slots = ReadSlots(file);
    int match = -1;
    for (int slot = 0; slot < SlotCount; ++slot)
        if (UpperCaseAscii(slots[slot]) == wanted) match = slot;
    if (match < 0) return false;
    ForgetProfileCopy(file);
    // Every later slot, free or used, moves one place down; the last slot ends deleted. The
    // writes only touch slots below the one read next, so the one read of the file serves.
    for (int slot = match; slot < SlotCount; ++slot) {
        if (slot + 1 < SlotCount && slots[slot + 1] != FreeText)
            file.WriteString(Section, SlotKey(slot), slots[slot + 1]);
        else
            file.DeleteKey(Section, SlotKey(slot));
    }
    return true;
}

} // namespace listfile
