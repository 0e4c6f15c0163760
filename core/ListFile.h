// core/ListFile.h -- the list files (White, Black, trash and delete lists): section "list",
// slots "0" to "200", one full path per slot, read and written straight through a TIniFile
//
// A slot is free when its key is absent or its value reads as the reader's free-slot text
// ("defval" everywhere except the registry scan). Adding compares exactly; removing ignores
// ASCII letter case and moves every later slot one place towards slot 0.
//
// Every read looks at the file as it is on disk at that moment: through the file's
// in-memory copy (core/ListFileCopy.h), which is checked against the file before each use. One that looks at all the slots sees them as they were at one moment.
#pragma once
#include <string>
#include <vector>

class TIniFile;

namespace listfile {

inline constexpr int SlotCount = 201;
inline constexpr const char* Section = "list";
inline constexpr const char* FreeText = "defval";

std::string SlotKey(int slot);                      // "0" ... "200"
std::string ReadSlot(const TIniFile& file, int slot, const std::string& freeText = FreeText);
// All 201 slots from one read of the file, each as ReadSlot reads it (freeText when free).
std::vector<std::string> ReadSlots(const TIniFile& file, const std::string& freeText = FreeText);
int FirstFreeSlot(const TIniFile& file);           // -1: all 201 slots used
// The used slots' values in slot order; holes are skipped.
std::vector<std::string> Entries(const TIniFile& file, const std::string& freeText = FreeText);
int Count(const TIniFile& file);                   // of Entries
bool Contains(const TIniFile& file, const std::string& path);   // exact comparison
// The lowest used slot whose value equals text exactly, from one read of the file; -1: none.
// A free slot holds nothing, whatever a reader's free-slot text.
int FirstSlotHolding(const TIniFile& file, const std::string& text);

// Writes path into the first free slot unless an exactly equal entry exists. True when the
// path is in the list afterwards; false for a full list or an empty path (nothing written).
// Throws EIniFileError when the file refuses the write.
bool Add(TIniFile& file, const std::string& path);
// Removes the last entry equal to path ignoring ASCII case and closes the gap. False: no
// entry matched, nothing written. Throws EIniFileError when the file refuses a write.
bool Remove(TIniFile& file, const std::string& path);

} // namespace listfile
