// updater/zip/ZpPlatformPosix.cpp -- the platform services over POSIX, for the native test and fuzz build
//
// Paths arrive in the engine's form ("\" between parts) and name files the way Win32 does, whatever
// the letter case: each missing part is looked up case-insensitively in its folder (Info-ZIP names
// split volumes ".z01" where the engine asks for ".Z01"). The listings behind that lookup are kept
// per folder, so an extraction of many new files into one folder reads it once, not once per file.
#include "ZpPlatform.h"

#include "ZpTypes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <unordered_map>
#include <utime.h>
#include <vector>

namespace zp::platform {

namespace {

// Reads and writes at its own position (pread, pwrite), so a seek costs no call; small reads are served
// from a read-ahead buffer, as the directory's and the local headers' many small records would each
// cost a call of their own. The size is kept until this stream writes or cuts the file.
class TPosixFileStream : public TZpStream {
public:
    explicit TPosixFileStream(int fd) : FFd(fd) {}
    ~TPosixFileStream() override { close(FFd); }
    TPosixFileStream(const TPosixFileStream&) = delete;
    TPosixFileStream& operator=(const TPosixFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override {
        size_t total = 0;
        auto* p = static_cast<char*>(buffer);
        FReadError = 0;
        while (total < count) {
            if (FPosition >= FAheadStart && FPosition < FAheadStart + static_cast<int64_t>(FAhead.size())) {
                size_t at = static_cast<size_t>(FPosition - FAheadStart);
                size_t n = std::min(count - total, FAhead.size() - at);
                std::memcpy(p + total, FAhead.data() + at, n);
                total += n;
                FPosition += static_cast<int64_t>(n);
                continue;
            }
            bool direct = count - total >= ReadAheadSize;
            size_t want = direct ? count - total : ReadAheadSize;
            if (!direct) FAhead.resize(ReadAheadSize);
            ssize_t n = pread(FFd, direct ? p + total : FAhead.data(), want, static_cast<off_t>(FPosition));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) FReadError = errno;
            if (!direct) {
                FAheadStart = FPosition;
                FAhead.resize(n > 0 ? static_cast<size_t>(n) : 0);
            }
            if (n <= 0) break;
            if (direct) {
                total += static_cast<size_t>(n);
                FPosition += n;
            }
        }
        return total;
    }
    int ReadError() const override { return FReadError; }
    size_t Write(const void* buffer, size_t count) override {
        size_t total = 0;
        auto* p = static_cast<const char*>(buffer);
        count = TakeDiskSpace(count);
        FAhead.clear();
        FSize = -1;
        while (total < count) {
            ssize_t n = pwrite(FFd, p + total, count - total, static_cast<off_t>(FPosition));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            total += static_cast<size_t>(n);
            FPosition += n;
        }
        return total;
    }
    void Seek(int64_t position) override { FPosition = position < 0 ? 0 : position; }
    int64_t Position() const override { return FPosition; }
    int64_t Size() const override {
        struct stat st;
        if (FSize < 0 && fstat(FFd, &st) == 0) FSize = static_cast<int64_t>(st.st_size);
        return FSize < 0 ? 0 : FSize;
    }
    bool SetSize(int64_t size) override {
        FAhead.clear();
        FSize = -1;
        return ftruncate(FFd, static_cast<off_t>(size)) == 0;
    }
    bool Flush() override { return fsync(FFd) == 0; }

private:
    static constexpr size_t ReadAheadSize = 64 * 1024;

    int FFd;
    int FReadError = 0;
    int64_t FPosition = 0;
    std::vector<char> FAhead;          // the file's bytes from FAheadStart on
    int64_t FAheadStart = 0;
    mutable int64_t FSize = -1;        // -1: not known
};

std::string Slashes(const std::string& path) {
    std::string s = path;
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

std::string Folded(const std::string& name) {
    std::string s = name;
    for (char& c : s) c = static_cast<char>(UpperChar(static_cast<unsigned char>(c)));
    return s;
}

// The names of the folders the case-insensitive lookup has read, by their folded form. A listing
// holds while its folder's modification time and identity are the ones read with it; the changes
// this process makes itself are entered as they happen, with the folder's time just after. (Another
// program's change within the same clock tick as one of ours goes unseen until the folder changes
// again: the host build serves tests and benchmarks only.)
class TFolderListings {
public:
    // The entry of folder ("" for the current one) equal to name whatever the case; empty when none.
    // folderStatus: the folder's status, just read.
    std::string Match(const std::string& folder, const std::string& name, const struct stat& folderStatus) {
        std::lock_guard<std::mutex> hold(FLock);
        TListing* listing = Current(folder, folderStatus);
        if (!listing) return std::string();
        auto found = listing->Names.find(Folded(name));
        return found == listing->Names.end() || found->second.empty() ? std::string() : found->second.front();
    }

    // This process has just made (made) or removed (removed) an entry at a path in the host's form;
    // either may be empty. A rename gives both.
    void Changed(const std::string& made, const std::string& removed = std::string()) {
        std::lock_guard<std::mutex> hold(FLock);
        std::string folderRead;
        struct stat st;
        bool readable = false;
        for (const std::string* path : {&removed, &made}) {
            if (path->empty()) continue;
            size_t slash = path->rfind('/');
            std::string folder = slash == std::string::npos ? std::string() : path->substr(0, slash + 1);
            auto kept = FListings.find(folder);
            if (kept == FListings.end()) continue;
            if (folderRead != folder || !readable) {
                folderRead = folder;
                readable = stat(Opened(folder), &st) == 0;
            }
            if (!readable) {
                FListings.erase(kept);
                continue;
            }
            std::string name = path->substr(slash == std::string::npos ? 0 : slash + 1);
            std::vector<std::string>& same = kept->second.Names[Folded(name)];
            auto at = std::find(same.begin(), same.end(), name);
            if (path == &made && at == same.end()) same.push_back(name);
            if (path == &removed && at != same.end()) same.erase(at);
            kept->second.Stamp = Stamp(st);
        }
    }

private:
    struct TStamp {
        dev_t Device;
        ino_t Inode;
        time_t Seconds;
        long Nanoseconds;
        bool operator==(const TStamp& o) const {
            return Device == o.Device && Inode == o.Inode && Seconds == o.Seconds && Nanoseconds == o.Nanoseconds;
        }
    };
    struct TListing {
        TStamp Stamp;
        std::unordered_map<std::string, std::vector<std::string>> Names;   // folded name: the real ones
    };

    // Enough for the folders of one extraction; beyond it, all are read afresh.
    static constexpr size_t MaxListings = 256;

    static const char* Opened(const std::string& folder) { return folder.empty() ? "." : folder.c_str(); }
    static TStamp Stamp(const struct stat& st) { return {st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec}; }

    // The folder's listing, read again unless the one kept still holds; st: the folder's status.
    TListing* Current(const std::string& folder, const struct stat& st) {
        auto kept = FListings.find(folder);
        if (kept != FListings.end() && kept->second.Stamp == Stamp(st)) return &kept->second;
        DIR* d = opendir(Opened(folder));
        if (!d) return nullptr;
        if (kept == FListings.end() && FListings.size() >= MaxListings) FListings.clear();
        TListing& listing = FListings[folder];
        listing.Stamp = Stamp(st);
        listing.Names.clear();
        while (dirent* e = readdir(d)) listing.Names[Folded(e->d_name)].push_back(e->d_name);
        closedir(d);
        return &listing;
    }

    std::mutex FLock;
    std::unordered_map<std::string, TListing> FListings;   // by folder, "/" at its end
};

TFolderListings& Listings() {
    static TFolderListings listings;
    return listings;
}

// A path in the host's form: "/" separators and each missing part replaced by a case-insensitive
// match, if any; with the file's status when it exists.
struct TNativePath {
    std::string Path;
    bool Exists = false;
    struct stat Status {};
};

// Resolved from the end: mostly only the last part is missing (a file about to be made).
TNativePath Resolved(const std::string& s) {
    TNativePath r;
    r.Path = s;
    if (s.empty()) return r;
    r.Exists = stat(s.c_str(), &r.Status) == 0;
    if (r.Exists || s == "/") return r;
    size_t slash = s.find_last_of('/', s.size() - 1);
    if (slash == s.size() - 1) {
        TNativePath folder = Resolved(s.substr(0, slash));
        folder.Path += "/";
        return folder;
    }
    std::string part = s.substr(slash == std::string::npos ? 0 : slash + 1);
    TNativePath folder;
    if (slash == std::string::npos) {
        folder.Exists = stat(".", &folder.Status) == 0;
    } else {
        folder = Resolved(s.substr(0, slash));
        folder.Path += "/";
    }
    if (!folder.Exists) {
        r.Path = folder.Path + part;
        return r;
    }
    std::string match = Listings().Match(folder.Path, part, folder.Status);
    r.Path = folder.Path + (match.empty() ? part : match);
    r.Exists = !match.empty() && stat(r.Path.c_str(), &r.Status) == 0;
    return r;
}

TNativePath Lookup(const std::string& path) { return Resolved(Slashes(path)); }
std::string Native(const std::string& path) { return Lookup(path).Path; }

// The path in the host's form for a call on a file that should exist: as given when the call takes
// it so (the common case, no lookup), else its case-insensitive match. call answers success and
// leaves errno; usedOut gets the path that was taken.
template <class TCall>
bool OnExisting(const std::string& path, TCall call, std::string* usedOut = nullptr) {
    std::string direct = Slashes(path);
    bool ok = call(direct);
    if (!ok && errno == ENOENT) {
        std::string native = Native(path);
        if (native != direct) {
            direct = native;
            ok = call(direct);
        }
    }
    if (usedOut) *usedOut = direct;
    return ok;
}

uint32_t ToDos(time_t t) {
    struct tm tm;
    localtime_r(&t, &tm);
    if (tm.tm_year < 80) return (1u << 21) | (1u << 16);   // 1980-01-01, the first DOS day
    return (static_cast<uint32_t>(tm.tm_year - 80) << 25) | (static_cast<uint32_t>(tm.tm_mon + 1) << 21) |
           (static_cast<uint32_t>(tm.tm_mday) << 16) | (static_cast<uint32_t>(tm.tm_hour) << 11) |
           (static_cast<uint32_t>(tm.tm_min) << 5) | (static_cast<uint32_t>(tm.tm_sec) / 2);
}

} // namespace

std::unique_ptr<TZpStream> OpenFile(const std::string& path, uint16_t mode) {
    int flags;
    if (mode == fmCreate) {
        flags = O_RDWR | O_CREAT | O_TRUNC;
    } else {
        unsigned a = mode & 3u;
        flags = a == 1 ? O_WRONLY : a == 2 ? O_RDWR : O_RDONLY;
    }
    std::string native = Native(path);
    int fd = open(native.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    if (flags & O_CREAT) Listings().Changed(native);
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<TPosixFileStream>(fd);
}

std::unique_ptr<TZpStream> CreateTempFile(const std::string& folder, const std::string& prefix, std::string& pathOut) {
    std::string name;
    int fd = -1;
    OnExisting(folder.empty() ? std::string(".") : folder, [&](const std::string& dir) {
        name = dir + (dir.back() == '/' ? "" : "/") + prefix + "XXXXXX";
        fd = mkstemp(&name[0]);
        return fd >= 0;
    });
    if (fd < 0) return nullptr;
    Listings().Changed(name);
    pathOut = name;
    return std::make_unique<TPosixFileStream>(fd);
}

std::string TempPath() {
    const char* t = std::getenv("TMPDIR");
    std::string s = t && *t ? t : "/tmp";
    if (s.back() != '/') s += '/';
    return s;
}

bool FileExists(const std::string& path) {
    TNativePath p = Lookup(path);
    return p.Exists && !S_ISDIR(p.Status.st_mode);
}

bool ListFolder(const std::string& folder, std::vector<TFolderEntry>& entries) {
    entries.clear();
    std::string dir = folder.empty() ? std::string(".") : Native(folder);
    DIR* d = opendir(dir.c_str());
    if (!d) return false;
    if (dir.back() != '/') dir += '/';
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        if (stat((dir + name).c_str(), &st) != 0) continue;
        uint32_t attr = S_ISDIR(st.st_mode) ? faDirectory : (st.st_mode & S_IWUSR) ? faArchive : faArchive | faReadOnly;
        // Win32 keeps dot-files visible; POSIX has no hidden bit to carry.
        entries.push_back({name, attr});
    }
    closedir(d);
    return true;
}

bool DirectoryExists(const std::string& path) {
    TNativePath p = Lookup(path);
    return p.Exists && S_ISDIR(p.Status.st_mode);
}

bool CreateDir(const std::string& path) {
    std::string native = Native(path);
    if (mkdir(native.c_str(), 0755) != 0) return false;
    Listings().Changed(native);
    return true;
}

bool RemoveFile(const std::string& path) {
    std::string native = Native(path);
    if (unlink(native.c_str()) != 0) return false;
    Listings().Changed(std::string(), native);
    return true;
}

bool MoveReplacing(const std::string& source, const std::string& target) {
    // The target is matched first: an existing file of another letter case is the one replaced.
    std::string from, to = Native(target);
    if (!OnExisting(source, [&](const std::string& p) { return rename(p.c_str(), to.c_str()) == 0; }, &from)) return false;
    Listings().Changed(to, from);
    return true;
}

int64_t FileAttributes(const std::string& path) {
    TNativePath p = Lookup(path);
    if (!p.Exists) return -1;
    if (S_ISDIR(p.Status.st_mode)) return faDirectory;
    return (p.Status.st_mode & S_IWUSR) ? faArchive : faArchive | faReadOnly;
}

bool ChangeAttributes(const std::string& path, uint32_t attributes) {
    TNativePath p = Lookup(path);
    if (!p.Exists) return false;
    mode_t m = p.Status.st_mode & 07777;
    m = (attributes & faReadOnly) ? (m & ~mode_t(0222)) : (m | S_IWUSR);
    return chmod(p.Path.c_str(), m) == 0;
}

bool FileDosDateTime(const std::string& path, uint32_t& dosDateTimeOut) {
    TNativePath p = Lookup(path);
    if (!p.Exists) return false;
    dosDateTimeOut = ToDos(p.Status.st_mtime);
    return true;
}

bool SetFileDosDateTime(const std::string& path, uint32_t dos) {
    struct tm tm {};
    tm.tm_year = static_cast<int>((dos >> 25) & 0x7F) + 80;
    tm.tm_mon = static_cast<int>((dos >> 21) & 0x0F) - 1;
    tm.tm_mday = static_cast<int>((dos >> 16) & 0x1F);
    tm.tm_hour = static_cast<int>((dos >> 11) & 0x1F);
    tm.tm_min = static_cast<int>((dos >> 5) & 0x3F);
    tm.tm_sec = static_cast<int>(dos & 0x1F) * 2;
    tm.tm_isdst = -1;
    time_t t = mktime(&tm);
    if (t == static_cast<time_t>(-1)) return false;
    struct utimbuf times = {t, t};
    return OnExisting(path, [&](const std::string& p) { return utime(p.c_str(), &times) == 0; });
}

uint32_t NowDosDateTime() { return ToDos(time(nullptr)); }

std::string CurrentDir() {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

int DriveType(const std::string& drive) { return drive.empty() ? 0 : 3; }

int64_t DiskFree(const std::string& drive) {
    struct statvfs sv;
    if (statvfs(drive.empty() ? "." : Native(drive).c_str(), &sv) != 0) return DiskSpaceLeft(-1);
    return DiskSpaceLeft(static_cast<int64_t>(sv.f_bavail) * static_cast<int64_t>(sv.f_frsize));
}

bool LabelVolume(const std::string&, const std::string&) { return false; }

// The host has no OEM code page: names stay as they are.
std::string FromOem(const std::string& text) { return text; }
std::string ToOem(const std::string& text) { return text; }

uint32_t UserDefaultLocale() { return 0x0409; }

int CompareChar(unsigned char a, unsigned char b) { return int(a) - int(b); }

int CompareCharNoCase(unsigned char a, unsigned char b) { return int(UpperChar(a)) - int(UpperChar(b)); }

unsigned char UpperChar(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

} // namespace zp::platform
