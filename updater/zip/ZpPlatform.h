// updater/zip/ZpPlatform.h -- the platform services of the zip engine: the one seam to the operating system
//
// Two implementations: ZpPlatformWin32.cpp (the product, ANSI Win32) and ZpPlatformPosix.cpp
// (the native test and fuzz build). Paths are in the engine's form, "\" between parts; the POSIX
// side reads "\" as "/" and, like Win32, finds files whatever the letter case of their names.
#pragma once

#include "ZpStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zp::platform {

struct TFolderEntry {
    std::string Name;                                       // no folder part
    uint32_t Attributes = 0;                                // faDirectory for a folder
};

// Opens a file with a file mode of OpenArchive (fmCreate creates or truncates); null on failure.
std::unique_ptr<TZpStream> OpenFile(const std::string& path, uint16_t mode);
// Creates a new, empty, uniquely named file in folder (prefix: the first letters of its name).
std::unique_ptr<TZpStream> CreateTempFile(const std::string& folder, const std::string& prefix, std::string& pathOut);
std::string TempPath();                                     // the system's temporary folder, trailing "\"

bool FileExists(const std::string& path);                   // a file, not a folder
bool ListFolder(const std::string& folder, std::vector<TFolderEntry>& entries);   // without "." and ".."
bool DirectoryExists(const std::string& path);
bool CreateDir(const std::string& path);                     // one level
bool RemoveFile(const std::string& path);
bool MoveReplacing(const std::string& source, const std::string& target);   // target may exist; it is replaced
int64_t FileAttributes(const std::string& path);             // -1: missing
bool ChangeAttributes(const std::string& path, uint32_t attributes);
bool FileDosDateTime(const std::string& path, uint32_t& dosDateTimeOut);   // date high 16 bits, time low
bool SetFileDosDateTime(const std::string& path, uint32_t dosDateTime);
uint32_t NowDosDateTime();

std::string CurrentDir();                                   // no trailing separator
int DriveType(const std::string& drive);                    // Win32 drive type: 2 removable, 3 fixed, 0 unknown
int64_t DiskFree(const std::string& drive);                 // bytes free for the caller; -1 unknown
bool LabelVolume(const std::string& drive, const std::string& label);

std::string FromOem(const std::string& text);
std::string ToOem(const std::string& text);

uint32_t UserDefaultLocale();
int CompareChar(unsigned char a, unsigned char b);          // the locale's order of two characters: <0, 0, >0
int CompareCharNoCase(unsigned char a, unsigned char b);
unsigned char UpperChar(unsigned char c);                   // the locale's upper case

// A full disk, emulated for tests: from now on the files opened here take at most this many more
// bytes in all, and DiskFree reports no more than what is left; -1 lifts the limit.
void LimitDiskSpace(int64_t bytes);
int64_t DiskSpaceLeft(int64_t reported);                    // reported, or less under a limit
size_t TakeDiskSpace(size_t count);                         // what a write of count bytes may put down

} // namespace zp::platform
