// shell/sxSysUtils.cpp -- version flags, string and file-name routines, autostart registry routines
#include "sxSysUtils.h"

#include <algorithm>

#include "desktop/Classes.h"
#include "desktop/Registry.h"
#include "desktop/StringList.h"
#include "desktop/SysUtils.h"

namespace {

// Index just after the last separator (0 when there is none).
size_t NameStart(const std::string& path) {
    size_t i = path.find_last_of("\\:/");
    return i == std::string::npos ? 0 : i + 1;
}

// Index of the extension's dot within the name part, or npos.
size_t ExtensionDot(const std::string& path) {
    size_t dot = path.rfind('.');
    return dot == std::string::npos || dot < NameStart(path) ? std::string::npos : dot;
}

bool HasDrive(const std::string& path) {
    bool letterDrive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    bool uncShare = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    return letterDrive || uncShare;
}

bool IsWildName(const std::string& part) {
    return part.empty() || part.find_first_of("*?") != std::string::npos;
}

bool IsServiceKindOnNT(TsxAutoExecKind kind) {
    return (kind == aekServiceRun || kind == aekServiceRunOnce) && IsWinNT();
}

} // namespace

// ---- Windows version ------------------------------------------------------

TsxWindowsVersionFlags ClassifyWindowsVersion(const OSVERSIONINFOA& info) {
    using K = TsxWindowsVersionKind;
    TsxWindowsVersionFlags f;
    K kind = K::Unrecognised;
    DWORD requiredBuild = 0;
    DWORD build = info.dwBuildNumber;
    std::string service = info.szCSDVersion;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        // The 9x platform keeps the version in the high word of the build number.
        build &= 0xFFFF;
        if (info.dwMinorVersion == 0) {
            if (service == "B") { kind = K::Win95OSR2; requiredBuild = 1111; } else kind = K::Win95;
        } else if (info.dwMinorVersion == 10) {
            if (service == "A") { kind = K::Win98SE; requiredBuild = 2222; } else { kind = K::Win98; requiredBuild = 1998; }
        } else if (info.dwMinorVersion == 90) {
            kind = K::WinME; requiredBuild = 3000;
        }
        f.IsWin98OrLater = kind != K::Win95 && kind != K::Win95OSR2;
    } else if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (info.dwMajorVersion == 3) kind = K::WinNT3;
        else if (info.dwMajorVersion == 4) { kind = K::WinNT4; requiredBuild = 1381; }
        else if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) { kind = K::Win2000; requiredBuild = 2195; }
        else if (info.dwMajorVersion == 5) { kind = K::WinXP; requiredBuild = 2600; }
        f.IsWinNT = true;
        f.IsWin2000OrLater = kind != K::WinNT3 && kind != K::WinNT4;
        f.IsWinXPOrLater = f.IsWin2000OrLater && kind != K::Win2000;
    }
    if (requiredBuild != 0 && build != requiredBuild) kind = K::Unrecognised;
    f.Kind = kind;
    f.IsWin95 = kind == K::Win95;
    f.IsWin95OSR2 = kind == K::Win95OSR2;
    f.IsWin98 = kind == K::Win98;
    f.IsWin98SE = kind == K::Win98SE;
    f.IsWinME = kind == K::WinME;
    f.IsWinNT3 = kind == K::WinNT3;
    f.IsWinNT4 = kind == K::WinNT4;
    f.IsWin2000 = kind == K::Win2000;
    f.IsWinXP = kind == K::WinXP;
    return f;
}

const TsxWindowsVersionFlags& WindowsVersionFlags() {
    // A failed query leaves every flag off.
    static const TsxWindowsVersionFlags flags =
        OsVersion().dwPlatformId == 0 ? TsxWindowsVersionFlags{} : ClassifyWindowsVersion(OsVersion());
    return flags;
}

TsxWindowsVersionKind GetWindowsVersionKind() { return WindowsVersionFlags().Kind; }

// ---- Keyboard -------------------------------------------------------------

TsxShiftState KeyboardShiftState() {
    TsxShiftState state = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000) state |= ssShift;
    if (GetKeyState(VK_MENU) & 0x8000) state |= ssAlt;
    if (GetKeyState(VK_CONTROL) & 0x8000) state |= ssCtrl;
    return state;
}

// ---- Numbers and rectangles -----------------------------------------------

RECT AlignRectInRect(const RECT& rect, const RECT& bounds, int horizontal, int vertical) {
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    RECT r = rect;
    switch (horizontal) {
    case 0: r.left = bounds.left; break;
    case 1: r.left = bounds.left + (bounds.right - bounds.left - width) / 2; break;
    case 2: r.left = bounds.right - width; break;
    default: break;
    }
    switch (vertical) {
    case 0: r.top = bounds.top; break;
    case 1: r.top = bounds.top + (bounds.bottom - bounds.top - height) / 2; break;
    case 2: r.top = bounds.bottom - height; break;
    default: break;
    }
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

// ---- Strings --------------------------------------------------------------

int PosFrom(const std::string& sub, const std::string& text, int start) {
    if (sub.empty() || text.empty()) return 0;
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > text.size()) return 0;
    size_t i = text.find(sub, static_cast<size_t>(start - 1));
    return i == std::string::npos ? 0 : static_cast<int>(i) + 1;
}

int LastPosBefore(const std::string& sub, const std::string& text, int limit) {
    if (sub.empty() || text.size() < sub.size() || limit < static_cast<int>(sub.size())) return 0;
    size_t end = std::min(static_cast<size_t>(limit), text.size());
    size_t i = text.rfind(sub, end - sub.size());
    return i == std::string::npos ? 0 : static_cast<int>(i) + 1;
}

int LastPos(const std::string& sub, const std::string& text) {
    return LastPosBefore(sub, text, static_cast<int>(text.size()));
}

void ReplaceAt(std::string& text, int position, const std::string& oldText, const std::string& newText) {
    if (position < 1 || static_cast<size_t>(position) > text.size() + 1) return;
    size_t at = static_cast<size_t>(position - 1);
    text.replace(at, std::min(oldText.size(), text.size() - at), newText);
}

void ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText) {
    // An empty pattern matches everywhere and would never finish.
    if (oldText.empty()) return;
    size_t at = 0;
    while ((at = text.find(oldText, at)) != std::string::npos) {
        text.replace(at, oldText.size(), newText);
        at += newText.size();
    }
}

void ReplaceChar(std::string& text, char from, char to) {
    for (char& c : text)
        if (c == from) c = to;
}

std::string KeepChars(const std::string& allowedChars, const std::string& text) {
    std::string kept;
    for (char c : text)
        if (allowedChars.find(c) != std::string::npos) kept += c;
    return kept;
}

void SplitToStrings(const std::string& text, const std::string& delimiter, TStringList& list) {
    std::string lines = text;
    if (delimiter.size() == 1) ReplaceChar(lines, delimiter[0], '\n');
    else ReplaceAll(lines, delimiter, "\n");
    TStringList split;
    split.SetText(lines);
    for (int i = 0; i < split.Count(); ++i) list.Add(split[i]);
}

// ---- File names -----------------------------------------------------------

std::string AddBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path : path + '\\';
}

std::string RemoveDoubleBackslashes(const std::string& path) {
    std::string result = path;
    ReplaceAll(result, "\\\\", "\\");
    return result;
}

std::string ExtractNamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::string ExtractPathPart(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string ExtractNameWithoutExt(const std::string& path) {
    size_t start = NameStart(path), dot = ExtensionDot(path);
    return path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
}

std::string ApplyNameMask(const std::string& source, const std::string& mask) {
    if (Trim(mask).empty()) return source;
    auto extensionOf = [](const std::string& p) {
        size_t dot = ExtensionDot(p);
        return dot == std::string::npos ? std::string() : p.substr(dot);
    };
    std::string folder = ExtractPathPart(mask);
    if (folder.empty()) folder = ExtractPathPart(source);
    std::string name = ExtractNameWithoutExt(mask);
    if (IsWildName(name)) name = ExtractNameWithoutExt(source);
    std::string extension = extensionOf(mask);
    // The extension carries its dot, so a bare "." or ".*" counts as empty or wild.
    if (extension.size() <= 1 || IsWildName(extension.substr(1))) extension = extensionOf(source);
    return folder + name + extension;
}

std::string MakeAbsolutePath(const std::string& baseFolder, const std::string& path) {
    if (HasDrive(path)) return path;
    return RemoveDoubleBackslashes(AddBackslash(baseFolder) + path);
}

std::string SystemFolder() {
    char buffer[MAX_PATH + 1] = {};
    UINT length = GetSystemDirectoryA(buffer, sizeof(buffer));
    if (length == 0 || length >= sizeof(buffer)) return std::string();
    return AddBackslash(buffer);
}

bool IsValidFileName(const std::string& name) {
    if (name.empty()) return false;
    if (FileExists(name)) return true;
    // CREATE_NEW: a file that appeared since the check is never truncated, and never deleted below.
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FileExists(name);
    CloseHandle(file);
    DeleteFileA(name.c_str());
    return true;
}

// ---- Class registration ---------------------------------------------------

void RegisterClassIfMissing(const std::string& className, const std::function<void()>& registrar) {
    try {
        if (!FindClassInfo(className) && registrar) registrar();
    } catch (...) {
        // A class that cannot be registered is simply not available to descriptions.
    }
}

void RegisterClassesIfMissing(const std::vector<std::pair<std::string, std::function<void()>>>& classes) {
    for (const auto& [name, registrar] : classes) RegisterClassIfMissing(name, registrar);
}

// ---- Autostart keys --------------------------------------------------------

HKEY RegRootKeyHandle(TsxRegRootKey root) {
    static const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
                                 HKEY_USERS, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    return roots[static_cast<int>(root)];
}

TsxAutoRunKey AutoRunKeyOfKind(TsxAutoExecKind kind) {
    static const std::string base = "Software\\Microsoft\\Windows\\CurrentVersion\\";
    switch (kind) {
    case aekMachineRun: return {HKEY_LOCAL_MACHINE, base + "Run"};
    case aekMachineRunOnce: return {HKEY_LOCAL_MACHINE, base + "RunOnce"};
    case aekUserRun: return {HKEY_CURRENT_USER, base + "Run"};
    case aekUserRunOnce: return {HKEY_CURRENT_USER, base + "RunOnce"};
    case aekServiceRun: return {HKEY_LOCAL_MACHINE, base + "RunServices"};
    case aekServiceRunOnce: return {HKEY_LOCAL_MACHINE, base + "RunServicesOnce"};
    }
    return {HKEY_LOCAL_MACHINE, base + "Run"};
}

void WriteAutoRunValue(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& data) {
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(root);
    if (!registry.OpenKey(keyPath, true)) throw ERegistryException(Format("Unable to open the %s key", keyPath.c_str()));
    if (data.find('%') != std::string::npos) registry.WriteExpandString(valueName, data);
    else registry.WriteString(valueName, data);
}

bool RegisterAutoRun(TsxAutoExecKind kind, const std::string& command) {
    if (IsServiceKindOnNT(kind)) return false;
    std::string name = ExtractNamePart(command);
    if (name.empty()) return false;
    try {
        TsxAutoRunKey key = AutoRunKeyOfKind(kind);
        WriteAutoRunValue(key.Root, key.Path, name, command);
        return true;
    } catch (...) {
        return false;
    }
}

bool UnregisterAutoRun(TsxAutoExecKind kind, const std::string& command) {
    if (IsServiceKindOnNT(kind)) return false;
    std::string name = ExtractNamePart(command);
    if (name.empty()) return false;
    TsxAutoRunKey key = AutoRunKeyOfKind(kind);
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(key.Root);
    if (!registry.OpenKey(key.Path, false)) return false;
    if (!registry.ValueExists(name)) return true;
    return registry.DeleteValue(name);
}
