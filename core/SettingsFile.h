// core/SettingsFile.h -- the settings file: section "application" with the installation's
// version and update number, section "settings" with the twelve yes/no settings
//
// Flags are written "1" or "0" and read strictly as decimal integers, non-zero meaning yes;
// an absent key or a value that is not a whole decimal number ("1abc", "0x1") reads as no.
#pragma once
#include <array>
#include <string>

class TIniFile;

namespace settings {

inline constexpr const char* ApplicationSection = "application";
inline constexpr const char* Section = "settings";

enum class TSettingDefault { Ticked, Unticked, Unchanged };   // what "Default" does to the box

struct TSettingInfo {
    const char* Key;            // also the name of the Settings page's check box
    TSettingDefault Default;
    int Weight;                 // share of the Home page's security bar
};

inline constexpr int SettingCount = 12;
using TSettingFlags = std::array<bool, SettingCount>;   // in table order

// The settings in the order in which they are read and written.
extern const std::array<TSettingInfo, SettingCount> Table;
int IndexOf(const std::string& key);                      // -1 for an unknown key

// The security bar's range; the "Default" set sums to exactly this, all weights to 140.
inline constexpr int SecurityLevelMax = 110;
int SecuritySum(const TSettingFlags& flags);              // not clamped

bool ReadFlag(const TIniFile& file, const std::string& key);
TSettingFlags Read(const TIniFile& file);
void Write(TIniFile& file, const TSettingFlags& flags);   // throws EIniFileError
void WriteInstallationInfo(TIniFile& file);               // "version", then "update"; throws EIniFileError
TSettingFlags Defaults(const TSettingFlags& current);     // Unchanged ones keep current

} // namespace settings
