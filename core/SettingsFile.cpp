// core/SettingsFile.cpp -- the settings table and its reading and writing
#include "core/SettingsFile.h"

#include "core/Version.h"
#include "desktop/IniFile.h"
#include "desktop/SysUtils.h"

namespace settings {

using enum TSettingDefault;

const std::array<TSettingInfo, SettingCount> Table = {{
    {"sett_autorun", Ticked, 30},
    {"sett_autoupdate", Ticked, 20},
    {"sett_autoscan", Unticked, 20},
    {"sett_closescan", Unticked, 10},
    {"sett_scanregistry", Ticked, 30},
    {"sett_scanmemory", Ticked, 30},
    {"sett_removebadkeys", Ticked, 0},
    {"sett_removebadapps", Unticked, 0},
    {"sett_besilent", Ticked, 0},
    {"sett_addicon", Ticked, 0},
    {"sett_autoremovebadkeys", Unchanged, 0},
    {"sett_autoremovebadapps", Unchanged, 0},
}};

int IndexOf(const std::string& key) {
    for (int i = 0; i < SettingCount; ++i)
        if (key == Table[static_cast<size_t>(i)].Key) return i;
    return -1;
}

int SecuritySum(const TSettingFlags& flags) {
    int sum = 0;
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i]) sum += Table[i].Weight;
    return sum;
}

namespace {

// Ticked: any non-zero decimal number. Not TIniFile::ReadInteger: it takes "0x..." as hexadecimal.
bool FlagOf(const std::string& text) { return StrToIntDef(text, 0) != 0; }

} // namespace

bool ReadFlag(const TIniFile& file, const std::string& key) { return FlagOf(file.ReadString(Section, key, "")); }

TSettingFlags Read(const TIniFile& file) {
    // The section in one read, its values as ReadString gives them: key by key, each read would
    // open the file again.
    TSettingFlags flags{};
    for (const TIniValue& value : file.ReadSectionValues(Section))
        for (size_t i = 0; i < flags.size(); ++i)
            if (SameTextAscii(value.Key, Table[i].Key)) flags[i] = FlagOf(value.Value);
    return flags;
}

void Write(TIniFile& file, const TSettingFlags& flags) {
    for (size_t i = 0; i < flags.size(); ++i) file.WriteString(Section, Table[i].Key, flags[i] ? "1" : "0");
}

void WriteInstallationInfo(TIniFile& file) {
    file.WriteString(ApplicationSection, "version", CoreVersion);
    file.WriteString(ApplicationSection, "update", IntToStr(UpdateNumber));
}

TSettingFlags Defaults(const TSettingFlags& current) {
    TSettingFlags flags = current;
    for (size_t i = 0; i < flags.size(); ++i) {
        if (Table[i].Default == Ticked) flags[i] = true;
        if (Table[i].Default == Unticked) flags[i] = false;
    }
    return flags;
}

} // namespace settings
