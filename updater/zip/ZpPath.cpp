// updater/zip/ZpPath.cpp -- path rules of the engine
#include "ZpPath.h"

#include "ZpPlatform.h"

#include <cctype>
#include <vector>

namespace {

inline bool IsSep(char c) { return c == '\\' || c == '/'; }

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> SplitParts(const std::string& s) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : s) {
        if (IsSep(c)) {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

} // namespace

std::string ZpExtractFileDrive(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) return path.substr(0, 2);
    if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) {
        // "\\server\share": up to the separator after the share name.
        size_t server = path.find_first_of("\\/", 2);
        if (server == std::string::npos) return path;
        size_t share = path.find_first_of("\\/", server + 1);
        return share == std::string::npos ? path : path.substr(0, share);
    }
    return std::string();
}

std::string ZpExtractFileName(const std::string& path) {
    size_t p = path.find_last_of("\\/:");
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string ZpExtractFilePath(const std::string& path) {
    size_t p = path.find_last_of("\\/:");
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string ZpExtractFileExt(const std::string& path) {
    std::string name = ZpExtractFileName(path);
    size_t p = name.rfind('.');
    return p == std::string::npos ? std::string() : name.substr(p);
}

std::string ZpIncludeTrailingBackslash(const std::string& path) {
    return !path.empty() && IsSep(path.back()) ? path : path + "\\";
}

std::string ZpExcludeTrailingBackslash(const std::string& path) {
    return !path.empty() && IsSep(path.back()) ? path.substr(0, path.size() - 1) : path;
}

std::string ZpExpandFileName(const std::string& path) {
    std::string root, rest;
    std::string drive = ZpExtractFileDrive(path);
    if (drive.size() == 2) {
        root = drive + "\\";
        rest = path.substr(2);
    } else if (!drive.empty()) {
        root = drive + "\\";
        rest = path.substr(drive.size());
    } else if (!path.empty() && IsSep(path[0])) {
        root = ZpExtractFileDrive(zp::platform::CurrentDir());
        root += "\\";
        rest = path;
    } else {
        std::string cur = zp::platform::CurrentDir();
        std::string curDrive = ZpExtractFileDrive(cur);
        root = curDrive + "\\";
        rest = cur.substr(curDrive.size()) + "\\" + path;
    }
    std::vector<std::string> out;
    for (const std::string& part : SplitParts(rest)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(part);
    }
    std::string result = root;
    for (size_t i = 0; i < out.size(); ++i) result += (i ? "\\" : "") + out[i];
    if (!path.empty() && IsSep(path.back()) && !out.empty()) result += "\\";
    return result;
}

std::string ZpExtractRelativePath(const std::string& baseName, const std::string& destName) {
    std::string basePath = ZpExpandFileName(ZpExtractFilePath(baseName));
    std::string destPath = ZpExpandFileName(ZpExtractFilePath(destName));
    if (Upper(ZpExtractFileDrive(basePath)) != Upper(ZpExtractFileDrive(destPath))) return destName;
    std::vector<std::string> b = SplitParts(basePath.substr(ZpExtractFileDrive(basePath).size()));
    std::vector<std::string> d = SplitParts(destPath.substr(ZpExtractFileDrive(destPath).size()));
    size_t common = 0;
    while (common < b.size() && common < d.size() && Upper(b[common]) == Upper(d[common])) ++common;
    std::string result;
    for (size_t i = common; i < b.size(); ++i) result += "..\\";
    for (size_t i = common; i < d.size(); ++i) result += d[i] + "\\";
    return result + ZpExtractFileName(destName);
}

std::string ZpBaseDirWithSeparator(const std::string& folder) {
    return ZpIncludeTrailingBackslash(folder.empty() ? zp::platform::CurrentDir() : folder);
}

std::string ZpResolvePath(const std::string& folder, const std::string& path) {
    std::string base = ZpBaseDirWithSeparator(folder);
    if (!path.empty()) {
        // Expanded against base without making it the process's current folder: same result, no race.
        std::string drive = ZpExtractFileDrive(path);
        bool absolute = !drive.empty() || (!path.empty() && IsSep(path[0]));
        return ZpExpandFileName(absolute ? path : ZpExpandFileName(base) + path);
    }
    if (folder.find(':') != std::string::npos) return folder;
    if (folder.empty() || zp::platform::DirectoryExists(base)) return ZpExpandFileName(base);
    return folder;
}

std::string ZpStoredName(const std::string& file, const std::string& baseFolder, TZpStorePathMode mode) {
    std::string base = ZpResolvePath(baseFolder, std::string());
    std::string full = ZpResolvePath(base, file);
    if (!full.empty() && IsSep(full.back())) full.pop_back();
    switch (mode) {
    case spNoPath: full = ZpExtractFileName(full); break;
    case spRelativePath: {
        std::string rel = ZpExtractRelativePath(ZpIncludeTrailingBackslash(base), full);
        if (rel.find("..\\") == std::string::npos && rel.find("../") == std::string::npos) full = rel;
        break;
    }
    case spFullPath: break;
    case spFullPathWithDrive: full = ZpExpandFileName(full); break;
    }
    if (mode != spFullPathWithDrive) {
        size_t colon = full.find(':');
        if (colon != std::string::npos) {
            full = full.substr(colon + 1);
        } else {
            for (size_t i = 0; i + 1 < full.size(); ++i)
                if (IsSep(full[i]) && IsSep(full[i + 1])) {
                    size_t next = full.find_first_of("\\/", i + 2);
                    full = next == std::string::npos ? full.substr(i + 2) : full.substr(next + 1);
                    break;
                }
        }
        if (!full.empty() && IsSep(full[0])) full.erase(0, 1);
    }
    for (char& c : full)
        if (c == '\\') c = '/';
    return full;
}

bool ZpIsFloppyDrive(const std::string& path) {
    std::string d = Upper(ZpExtractFileDrive(path));
    return d == "A:" || d == "B:";
}

bool ZpIsRemovableDrive(const std::string& path) {
    if (ZpIsFloppyDrive(path)) return true;
    std::string d = ZpExtractFileDrive(path);
    return !d.empty() && zp::platform::DriveType(d) == 2;
}

bool ZpForceDirectories(const std::string& path) {
    std::string dir = ZpExcludeTrailingBackslash(path);
    if (dir.empty()) return !path.empty();   // the root of the current drive (POSIX: "/")
    if (zp::platform::DirectoryExists(dir) || dir == ZpExtractFileDrive(dir)) return true;
    std::string parent = ZpExtractFilePath(dir);
    if (!parent.empty() && parent != dir && !ZpForceDirectories(parent)) return false;
    return zp::platform::CreateDir(dir) || zp::platform::DirectoryExists(dir);
}

bool ZpIsSafeItemName(const std::string& name) {
    if (name.empty() || IsSep(name[0]) || name.find(':') != std::string::npos) return false;
    std::string part;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !IsSep(name[i])) {
            part += name[i];
            continue;
        }
        // A trailing separator marks a folder item; any other empty part is a doubled separator.
        if (part.empty()) {
            if (i + 1 < name.size() || (i < name.size() && i == 0)) return false;
            continue;
        }
        // Win32 drops trailing dots and blanks of a part: "..", ". ." and "..." all mean a parent or this folder.
        size_t keep = part.find_last_not_of(". ");
        if (keep == std::string::npos) return false;
        std::string device = Upper(part.substr(0, part.find('.')));
        while (!device.empty() && device.back() == ' ') device.pop_back();
        if (device == "CON" || device == "PRN" || device == "AUX" || device == "NUL") return false;
        if (device.size() == 4 && (device.compare(0, 3, "COM") == 0 || device.compare(0, 3, "LPT") == 0) &&
            device[3] >= '1' && device[3] <= '9')
            return false;
        part.clear();
    }
    return true;
}
