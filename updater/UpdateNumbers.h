// updater/UpdateNumbers.h -- the server's and the installation's update numbers, and what they call for
#pragma once
#include <string>

enum class TUpdateVerdict {
    RemoteUnknown,   // the update list holds no number of 0 or more
    LocalUnknown,    // the settings file holds none
    UpToDate,        // the installation's number is not lower
    Due,             // the server's number is higher
};

// Integer "update" of section "sentinox"; -1 when missing or not a number.
int ReadRemoteUpdateNumber(const std::string& updateListFile);
// Integer "update" of section "application"; -1 when missing or not a number.
int ReadLocalUpdateNumber(const std::string& settingsFile);
// The remote number is judged first: an unusable list says nothing about the installation.
TUpdateVerdict CompareUpdateNumbers(int remote, int local);

// Personal folder + user key + ".snx": the file the main program writes its number into.
// The key is upper-cased (ASCII) as the main program does, so the two meet on any file system.
std::string SettingsFileName(const std::string& personalFolder, const std::string& userKey);
