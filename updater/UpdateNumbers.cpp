// updater/UpdateNumbers.cpp -- the version rule of the update cycle
#include "updater/UpdateNumbers.h"

#include "desktop/IniFile.h"
#include "desktop/SysUtils.h"

int ReadRemoteUpdateNumber(const std::string& updateListFile) {
    return TIniFile(updateListFile).ReadInteger("sentinox", "update", -1);
}

int ReadLocalUpdateNumber(const std::string& settingsFile) {
    return TIniFile(settingsFile).ReadInteger("application", "update", -1);
}

TUpdateVerdict CompareUpdateNumbers(int remote, int local) {
    if (remote < 0) return TUpdateVerdict::RemoteUnknown;
    if (local < 0) return TUpdateVerdict::LocalUnknown;
    return local >= remote ? TUpdateVerdict::UpToDate : TUpdateVerdict::Due;
}

std::string SettingsFileName(const std::string& personalFolder, const std::string& userKey) {
    return personalFolder + UpperCaseAscii(userKey) + ".snx";
}
