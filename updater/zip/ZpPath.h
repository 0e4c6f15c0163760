// updater/zip/ZpPath.h -- path rules of the engine: stored names, base folders, drives, safe item names
//
// Paths are Windows paths ("\" or "/" between parts, "C:" drives, "\\server\share" roots); the
// string rules here are the same in the native build, where the platform seam maps them to files.
#pragma once

#include "ZpTypes.h"

#include <string>

std::string ZpExtractFileDrive(const std::string& path);   // "C:", "\\server\share" or empty
std::string ZpExtractFileName(const std::string& path);    // after the last separator or drive colon
std::string ZpExtractFilePath(const std::string& path);    // up to and including the last separator
std::string ZpExtractFileExt(const std::string& path);     // from the last dot of the name, dot included
std::string ZpIncludeTrailingBackslash(const std::string& path);
std::string ZpExcludeTrailingBackslash(const std::string& path);
std::string ZpExpandFileName(const std::string& path);     // absolute, "." and ".." resolved, "\" separators
std::string ZpExtractRelativePath(const std::string& baseName, const std::string& destName);

std::string ZpBaseDirWithSeparator(const std::string& folder);   // empty: the current folder
std::string ZpResolvePath(const std::string& folder, const std::string& path);
std::string ZpStoredName(const std::string& file, const std::string& baseFolder, TZpStorePathMode mode);

bool ZpIsFloppyDrive(const std::string& path);
bool ZpIsRemovableDrive(const std::string& path);
bool ZpForceDirectories(const std::string& path);

// An item name (either separator) that stays below the folder it is joined to: no drive, no ":",
// no leading separator, no "." or ".." part, no empty part, no Win32 device name.
bool ZpIsSafeItemName(const std::string& name);
