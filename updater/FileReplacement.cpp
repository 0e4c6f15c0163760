// updater/FileReplacement.cpp -- the all-or-nothing replacement of an installation's files
//
// Order per file: target renamed aside (keeps its attributes), new file moved in under the
// target's name, its attributes set. Windows lets a running program's file and a loaded
// library be renamed but neither overwritten nor deleted, which is why the target is never
// replaced in one move. Once every file is in, the aside copies are deleted; one still in use
// is left to the next start (RemoveUpdateLeftovers) and to the next restart (MoveFileEx).
#include "updater/FileReplacement.h"

#include <windows.h>

#include <cctype>
#include <utility>

#include "desktop/SysUtils.h"
#include "shared/HttpFetch.h"

namespace {

constexpr int MaxAsideNumber = 99;
// The engine's temporary files of decoded items.
constexpr char ExtractTempPrefix[] = "~sx";

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool DeleteAnyFile(const std::string& path) {
    // DeleteFileA refuses a read-only file.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

// The first free aside name. A copy already aside is never removed here: in the same
// commit it may be the old file of an earlier step, which a failure has to put back.
std::string FreeAsidePath(const std::string& target) {
    const std::string plain = target + AsideSuffix;
    if (!PathExists(plain)) return plain;
    for (int n = 1; n <= MaxAsideNumber; ++n) {
        const std::string numbered = plain + std::to_string(n);
        if (!PathExists(numbered)) return numbered;
    }
    return std::string();
}

bool AllHexDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// GetTempFileNameA's form: the prefix, a hexadecimal number, ".tmp".
bool IsTempFileName(const std::string& name, const std::string& prefix) {
    const std::string upper = UpperCaseAscii(name);
    const std::string head = UpperCaseAscii(prefix);
    constexpr char Tail[] = ".TMP";
    if (upper.size() <= head.size() + 4 || upper.compare(0, head.size(), head) != 0) return false;
    if (upper.compare(upper.size() - 4, 4, Tail) != 0) return false;
    return AllHexDigits(upper.substr(head.size(), upper.size() - head.size() - 4));
}

// The target an aside name belongs to ("a.exe.sxold", "a.exe.sxold3" -> "a.exe"), else empty.
std::string AsideTarget(const std::string& name) {
    const std::string upper = UpperCaseAscii(name);
    const size_t at = upper.rfind(UpperCaseAscii(AsideSuffix));
    if (at == std::string::npos || at == 0) return std::string();
    const std::string number = upper.substr(at + sizeof(AsideSuffix) - 1);
    for (char c : number)
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::string();
    return name.substr(0, at);
}

void RemoveLeftover(const std::string& folder, const std::string& name) {
    const std::string path = folder + name;
    if (IsTempFileName(name, DownloadTempPrefix) || IsTempFileName(name, ExtractTempPrefix)) {
        DeleteAnyFile(path);
        return;
    }
    const std::string target = AsideTarget(name);
    if (target.empty()) return;
    // A replacement that ended before putting the old file back left it here only.
    if (!PathExists(folder + target)) {
        MoveFileExA(path.c_str(), (folder + target).c_str(), MOVEFILE_WRITE_THROUGH);
        return;
    }
    if (!DeleteAnyFile(path)) MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

} // namespace

TFileReplacement::TFileReplacement(std::vector<TZpStagedItem> staged) {
    FSteps.reserve(staged.size());
    for (TZpStagedItem& item : staged) FSteps.push_back({std::move(item), {}, false});
}

TFileReplacement::~TFileReplacement() { Discard(); }

bool TFileReplacement::Commit(std::string& failedTargetOut) {
    for (size_t i = 0; i < FSteps.size(); ++i) {
        if (Replace(FSteps[i])) continue;
        failedTargetOut = FSteps[i].Item.Target;
        for (size_t back = i; back-- > 0;) PutBack(FSteps[back]);
        Discard();
        return false;
    }
    for (const TStep& step : FSteps)
        if (!step.AsidePath.empty()) RemoveAsideCopy(step.AsidePath);
    FSteps.clear();
    return true;
}

void TFileReplacement::Discard() {
    for (const TStep& step : FSteps)
        if (!step.InPlace) DeleteAnyFile(step.Item.TempPath);
    FSteps.clear();
}

bool TFileReplacement::Replace(TStep& step) {
    const std::string& target = step.Item.Target;
    const DWORD old = GetFileAttributesA(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES) {
        if (old & FILE_ATTRIBUTE_DIRECTORY) return false;
        step.AsidePath = FreeAsidePath(target);
        if (step.AsidePath.empty() || !MoveFileExA(target.c_str(), step.AsidePath.c_str(), MOVEFILE_WRITE_THROUGH)) {
            step.AsidePath.clear();
            return false;
        }
    }
    if (!MoveFileExA(step.Item.TempPath.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        if (!step.AsidePath.empty()) MoveFileExA(step.AsidePath.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        step.AsidePath.clear();
        return false;
    }
    step.InPlace = true;
    if (step.Item.Attributes) SetFileAttributesA(target.c_str(), step.Item.Attributes);
    return true;
}

void TFileReplacement::PutBack(TStep& step) {
    const std::string& target = step.Item.Target;
    // The new file goes back to its temporary name when it cannot be deleted: the old one needs the name.
    if (!DeleteAnyFile(target)) MoveFileExA(target.c_str(), step.Item.TempPath.c_str(), MOVEFILE_REPLACE_EXISTING);
    step.InPlace = false;   // Discard removes whatever is left under the temporary name
    // Should this fail too, RemoveUpdateLeftovers puts the copy back at the next start.
    if (!step.AsidePath.empty()) MoveFileExA(step.AsidePath.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
}

void TFileReplacement::RemoveAsideCopy(const std::string& path) {
    // A running program's file or a loaded library: gone at the next start or restart.
    if (!DeleteAnyFile(path)) MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void RemoveUpdateLeftovers(const std::string& folder) {
    // The folder alone, not below it: the program folder is ours, what lies below may not be,
    // and a folder holding a whole drive would take long to walk.
    const std::string base = IncludeTrailingBackslash(folder);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((base + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    for (const std::string& name : files) RemoveLeftover(base, name);
}
