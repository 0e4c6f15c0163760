// updater/zip/ZpPlatformWin32.cpp -- the platform services over ANSI Win32
#include "ZpPlatform.h"

#include "ZpTypes.h"

#include <windows.h>

namespace zp::platform {

namespace {

class TWin32FileStream : public TZpStream {
public:
    explicit TWin32FileStream(HANDLE handle) : FHandle(handle) {}
    ~TWin32FileStream() override { CloseHandle(FHandle); }
    TWin32FileStream(const TWin32FileStream&) = delete;
    TWin32FileStream& operator=(const TWin32FileStream&) = delete;

    size_t Read(void* buffer, size_t count) override {
        size_t total = 0;
        auto* p = static_cast<char*>(buffer);
        FReadError = 0;
        while (total < count) {
            DWORD done = 0;
            DWORD want = static_cast<DWORD>(count - total > 0x10000000 ? 0x10000000 : count - total);
            if (!ReadFile(FHandle, p + total, want, &done, nullptr)) {
                // A failed read is no end of data: its code is kept for ReadError.
                DWORD error = GetLastError();
                if (error != ERROR_HANDLE_EOF) FReadError = static_cast<int>(error);
                break;
            }
            if (done == 0) break;   // the end of the file
            total += done;
        }
        return total;
    }
    int ReadError() const override { return FReadError; }
    size_t Write(const void* buffer, size_t count) override {
        size_t total = 0;
        auto* p = static_cast<const char*>(buffer);
        count = TakeDiskSpace(count);
        while (total < count) {
            DWORD done = 0;
            DWORD want = static_cast<DWORD>(count - total > 0x10000000 ? 0x10000000 : count - total);
            if (!WriteFile(FHandle, p + total, want, &done, nullptr) || done == 0) break;
            total += done;
        }
        return total;
    }
    void Seek(int64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = position < 0 ? 0 : position;
        SetFilePointerEx(FHandle, to, nullptr, FILE_BEGIN);
    }
    int64_t Position() const override {
        LARGE_INTEGER zero{}, now{};
        SetFilePointerEx(FHandle, zero, &now, FILE_CURRENT);
        return now.QuadPart;
    }
    int64_t Size() const override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(FHandle, &size) ? size.QuadPart : 0;
    }
    bool SetSize(int64_t size) override {
        int64_t keep = Position();
        Seek(size);
        bool ok = SetEndOfFile(FHandle) != 0;
        Seek(keep);
        return ok;
    }
    bool Flush() override { return FlushFileBuffers(FHandle) != 0; }

private:
    HANDLE FHandle;
    int FReadError = 0;
};

// Windows FILETIME in local time <-> DOS date-time; DOS stamps are local time by convention.
bool DosToFileTime(uint32_t dos, FILETIME& out) {
    FILETIME local;
    if (!DosDateTimeToFileTime(static_cast<WORD>(dos >> 16), static_cast<WORD>(dos & 0xFFFF), &local)) return false;
    return LocalFileTimeToFileTime(&local, &out) != 0;
}

} // namespace

std::unique_ptr<TZpStream> OpenFile(const std::string& path, uint16_t mode) {
    DWORD access, share, disposition;
    if (mode == fmCreate) {
        access = GENERIC_READ | GENERIC_WRITE;
        share = FILE_SHARE_READ;
        disposition = CREATE_ALWAYS;
    } else {
        static const DWORD accessOf[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
        static const DWORD shareOf[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
        unsigned a = mode & 3u, s = (mode >> 4) & 7u;
        access = accessOf[a > 2 ? 0 : a];
        // Compatibility sharing (0) has no Win32 form; the runtime opens it sharing read and write.
        share = s == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : shareOf[s > 4 ? 4 : s];
        disposition = OPEN_EXISTING;
    }
    HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<TWin32FileStream>(h);
}

std::unique_ptr<TZpStream> CreateTempFile(const std::string& folder, const std::string& prefix, std::string& pathOut) {
    char name[MAX_PATH + 16];
    std::string dir = folder.empty() ? std::string(".") : folder;
    // GetTempFileNameA creates the file, so the name cannot be taken between our test and our open.
    if (!GetTempFileNameA(dir.c_str(), prefix.c_str(), 0, name)) return nullptr;
    HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DeleteFileA(name);
        return nullptr;
    }
    pathOut = name;
    return std::make_unique<TWin32FileStream>(h);
}

std::string TempPath() {
    char buf[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof buf, buf);
    std::string s = n > 0 && n < sizeof buf ? std::string(buf, n) : std::string(".\\");
    if (s.back() != '\\') s += '\\';
    return s;
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ListFolder(const std::string& folder, std::vector<TFolderEntry>& entries) {
    entries.clear();
    std::string pattern = folder.empty() ? std::string(".") : folder;
    if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((pattern + "*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, data.dwFileAttributes});
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return true;
}

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool MoveReplacing(const std::string& source, const std::string& target) {
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

int64_t FileAttributes(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<int64_t>(a);
}

bool ChangeAttributes(const std::string& path, uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool FileDosDateTime(const std::string& path, uint32_t& dosDateTimeOut) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    FILETIME local;
    WORD date, time;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return false;
    dosDateTimeOut = (static_cast<uint32_t>(date) << 16) | time;
    return true;
}

bool SetFileDosDateTime(const std::string& path, uint32_t dosDateTime) {
    FILETIME ft;
    if (!DosToFileTime(dosDateTime, ft)) return false;
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = SetFileTime(h, nullptr, nullptr, &ft) != 0;
    CloseHandle(h);
    return ok;
}

uint32_t NowDosDateTime() {
    SYSTEMTIME st;
    FILETIME ft;
    WORD date = 0, time = 0;
    GetLocalTime(&st);
    SystemTimeToFileTime(&st, &ft);
    FileTimeToDosDateTime(&ft, &date, &time);
    return (static_cast<uint32_t>(date) << 16) | time;
}

std::string CurrentDir() {
    char buf[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    std::string s = n > 0 && n < sizeof buf ? std::string(buf, n) : std::string(".");
    if (s.size() > 3 && (s.back() == '\\' || s.back() == '/')) s.pop_back();
    return s;
}

namespace {
std::string DriveRoot(const std::string& drive) {
    if (drive.empty()) return std::string();
    std::string root = drive;
    if (root.back() != '\\') root += '\\';
    return root;
}
} // namespace

int DriveType(const std::string& drive) {
    std::string root = DriveRoot(drive);
    return static_cast<int>(GetDriveTypeA(root.empty() ? nullptr : root.c_str()));
}

int64_t DiskFree(const std::string& drive) {
    std::string root = DriveRoot(drive);
    ULARGE_INTEGER avail;
    if (!GetDiskFreeSpaceExA(root.empty() ? nullptr : root.c_str(), &avail, nullptr, nullptr)) return DiskSpaceLeft(-1);
    return DiskSpaceLeft(static_cast<int64_t>(avail.QuadPart));
}

bool LabelVolume(const std::string& drive, const std::string& label) {
    std::string root = DriveRoot(drive);
    return SetVolumeLabelA(root.c_str(), label.c_str()) != 0;
}

std::string FromOem(const std::string& text) {
    std::string out(text);
    if (!out.empty()) OemToCharBuffA(text.data(), &out[0], static_cast<DWORD>(text.size()));
    return out;
}

std::string ToOem(const std::string& text) {
    std::string out(text);
    if (!out.empty()) CharToOemBuffA(text.data(), &out[0], static_cast<DWORD>(text.size()));
    return out;
}

uint32_t UserDefaultLocale() { return GetUserDefaultLCID(); }

int CompareChar(unsigned char a, unsigned char b) {
    char x = static_cast<char>(a), y = static_cast<char>(b);
    return CompareStringA(LOCALE_USER_DEFAULT, 0, &x, 1, &y, 1) - CSTR_EQUAL;
}

int CompareCharNoCase(unsigned char a, unsigned char b) {
    char x = static_cast<char>(a), y = static_cast<char>(b);
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, &x, 1, &y, 1) - CSTR_EQUAL;
}

unsigned char UpperChar(unsigned char c) {
    char s[1] = {static_cast<char>(c)};
    CharUpperBuffA(s, 1);
    return static_cast<unsigned char>(s[0]);
}

} // namespace zp::platform
