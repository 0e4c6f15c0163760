// shared/UpdateSite.h -- where the product's update files are published: the one place that names it
//
// Tests do not change it: they point the Internet proxy setting of their prefix at
// a loopback server, and WinInet sends these very addresses there.
#pragma once
#include <string>

inline constexpr char UpdateHost[] = "www.sentinox-update.example";
inline constexpr char UpdatePathPrefix[] = "/sentinox/";   // the update folder on that host
inline constexpr char UpdateListFile[] = "update.txt";
inline constexpr char UpdateArchiveFile[] = "sentinoxupdate.zip";

// "http://" + host + folder + fileName.
inline std::string UpdateFileUrl(const std::string& fileName) {
    return std::string("http://") + UpdateHost + UpdatePathPrefix + fileName;
}
inline std::string UpdateListUrl() { return UpdateFileUrl(UpdateListFile); }
inline std::string UpdateArchiveUrl() { return UpdateFileUrl(UpdateArchiveFile); }
