// updater/zip/ZpPlatformPosix.cpp -- the platform services over POSIX, for the native test and fuzz build
//
// Paths arrive in the engine's form ("\" between parts) and name files the way Win32 does, whatever
// the letter case: each missing part is looked up case-insensitively in its folder (Info-ZIP names
// split volumes ".z01" where the engine asks for ".Z01").
#include "ZpPlatform.h"

#include "ZpTypes.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utime.h>

namespace zp::platform {

namespace {

class TPosixFileStream : public TZpStream {
public:
    explicit TPosixFileStream(int fd) : FFd(fd) {}
    ~TPosixFileStream() override { close(FFd); }
    TPosixFileStream(const TPosixFileStream&) = delete;
    TPosixFileStream& operator=(const TPosixFileStream&) = delete;

    size_t Read(void* buffer, size_t count) override {
        size_t total = 0;
        auto* p = static_cast<char*>(buffer);
        while (total < count) {
            ssize_t n = read(FFd, p + total, count - total);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            total += static_cast<size_t>(n);
        }
        return total;
    }
    size_t Write(const void* buffer, size_t count) override {
        size_t total = 0;
        auto* p = static_cast<const char*>(buffer);
        count = TakeDiskSpace(count);
        while (total < count) {
            ssize_t n = write(FFd, p + total, count - total);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            total += static_cast<size_t>(n);
        }
        return total;
    }
    void Seek(int64_t position) override { lseek(FFd, static_cast<off_t>(position < 0 ? 0 : position), SEEK_SET); }
    int64_t Position() const override { return lseek(FFd, 0, SEEK_CUR); }
    int64_t Size() const override {
        struct stat st;
        return fstat(FFd, &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
    }
    bool SetSize(int64_t size) override { return ftruncate(FFd, static_cast<off_t>(size)) == 0; }
    bool Flush() override { return fsync(FFd) == 0; }

private:
    int FFd;
};

std::string Slashes(const std::string& path) {
    std::string s = path;
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

// The path with "/" separators and each missing part replaced by a case-insensitive match, if any.
std::string Native(const std::string& path) {
    std::string s = Slashes(path);
    struct stat st;
    if (s.empty() || stat(s.c_str(), &st) == 0) return s;
    std::string out = s[0] == '/' ? "/" : "";
    size_t pos = s[0] == '/' ? 1 : 0;
    while (pos <= s.size()) {
        size_t end = s.find('/', pos);
        if (end == std::string::npos) end = s.size();
        std::string part = s.substr(pos, end - pos);
        if (!part.empty()) {
            std::string candidate = out + part;
            if (stat(candidate.c_str(), &st) != 0) {
                if (DIR* d = opendir(out.empty() ? "." : out.c_str())) {
                    while (dirent* e = readdir(d))
                        if (strcasecmp(e->d_name, part.c_str()) == 0) {
                            candidate = out + e->d_name;
                            break;
                        }
                    closedir(d);
                }
            }
            out = candidate;
            if (end < s.size()) out += '/';
        }
        pos = end + 1;
    }
    return out;
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
    int fd = open(Native(path).c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<TPosixFileStream>(fd);
}

std::unique_ptr<TZpStream> CreateTempFile(const std::string& folder, const std::string& prefix, std::string& pathOut) {
    std::string dir = folder.empty() ? std::string(".") : Native(folder);
    if (dir.back() != '/') dir += '/';
    std::string name = dir + prefix + "XXXXXX";
    int fd = mkstemp(&name[0]);
    if (fd < 0) return nullptr;
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
    struct stat st;
    return stat(Native(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
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
    struct stat st;
    return stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& path) { return mkdir(Native(path).c_str(), 0755) == 0; }

bool RemoveFile(const std::string& path) { return unlink(Native(path).c_str()) == 0; }

bool MoveReplacing(const std::string& source, const std::string& target) {
    return rename(Native(source).c_str(), Native(target).c_str()) == 0;
}

int64_t FileAttributes(const std::string& path) {
    struct stat st;
    if (stat(Native(path).c_str(), &st) != 0) return -1;
    if (S_ISDIR(st.st_mode)) return faDirectory;
    return (st.st_mode & S_IWUSR) ? faArchive : faArchive | faReadOnly;
}

bool ChangeAttributes(const std::string& path, uint32_t attributes) {
    std::string p = Native(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0) return false;
    mode_t m = st.st_mode & 07777;
    m = (attributes & faReadOnly) ? (m & ~mode_t(0222)) : (m | S_IWUSR);
    return chmod(p.c_str(), m) == 0;
}

bool FileDosDateTime(const std::string& path, uint32_t& dosDateTimeOut) {
    struct stat st;
    if (stat(Native(path).c_str(), &st) != 0) return false;
    dosDateTimeOut = ToDos(st.st_mtime);
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
    return utime(Native(path).c_str(), &times) == 0;
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
