// shell/sxSysUtils.h -- sxSysUtils: Windows version flags, shift state, string and file-name
// routines, class registration helpers and the autostart registry routines of the sx components
//
// Strings use 1-based positions and case-sensitive comparisons; 0 means "not found".
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TStringList;

// ---- Windows version ------------------------------------------------------

enum class TsxWindowsVersionKind : int {
    Unrecognised = 0, Win95 = 1, Win95OSR2 = 2, Win98 = 3, Win98SE = 4,
    WinNT3 = 5, WinNT4 = 6, Win2000 = 7, WinME = 8, WinXP = 9,
};

struct TsxWindowsVersionFlags {
    TsxWindowsVersionKind Kind = TsxWindowsVersionKind::Unrecognised;
    bool IsWin95 = false, IsWin95OSR2 = false, IsWin98 = false, IsWin98SE = false, IsWinME = false;
    bool IsWinNT3 = false, IsWinNT4 = false, IsWin2000 = false, IsWinXP = false;
    bool IsWinNT = false;            // NT platform, whatever the kind
    bool IsWin98OrLater = false;     // 9x platform, kind before the build check not 95/OSR2
    bool IsWin2000OrLater = false;   // NT platform, kind before the build check not NT 3.x/4.0
    bool IsWinXPOrLater = false;     // NT platform, kind before the build check not NT 3.x/4.0/2000
};

// Classifies one version record; a kind whose build is known falls back to Unrecognised on another build.
TsxWindowsVersionFlags ClassifyWindowsVersion(const OSVERSIONINFOA& info);
TsxWindowsVersionKind GetWindowsVersionKind();          // of the running system
const TsxWindowsVersionFlags& WindowsVersionFlags();    // of the running system, computed once

inline bool IsWin95() { return WindowsVersionFlags().IsWin95; }
inline bool IsWin95OSR2() { return WindowsVersionFlags().IsWin95OSR2; }
inline bool IsWin98() { return WindowsVersionFlags().IsWin98; }
inline bool IsWin98SE() { return WindowsVersionFlags().IsWin98SE; }
inline bool IsWinME() { return WindowsVersionFlags().IsWinME; }
inline bool IsWinNT3() { return WindowsVersionFlags().IsWinNT3; }
inline bool IsWinNT4() { return WindowsVersionFlags().IsWinNT4; }
inline bool IsWin2000() { return WindowsVersionFlags().IsWin2000; }
inline bool IsWinXP() { return WindowsVersionFlags().IsWinXP; }
inline bool IsWinNT() { return WindowsVersionFlags().IsWinNT; }
inline bool IsWin98OrLater() { return WindowsVersionFlags().IsWin98OrLater; }
inline bool IsWin2000OrLater() { return WindowsVersionFlags().IsWin2000OrLater; }
inline bool IsWinXPOrLater() { return WindowsVersionFlags().IsWinXPOrLater; }

// ---- Keyboard -------------------------------------------------------------

enum TsxShiftStateFlag : unsigned { ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2 };
using TsxShiftState = unsigned;   // a set of TsxShiftStateFlag
TsxShiftState KeyboardShiftState();

// ---- Numbers and rectangles -----------------------------------------------

inline int MaxOf(int a, int b) { return a > b ? a : b; }
inline int MinOf(int a, int b) { return a < b ? a : b; }
// horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 centre, 2 bottom
RECT AlignRectInRect(const RECT& rect, const RECT& bounds, int horizontal, int vertical);

// ---- Strings --------------------------------------------------------------

int PosFrom(const std::string& sub, const std::string& text, int start);
int LastPosBefore(const std::string& sub, const std::string& text, int limit);
int LastPos(const std::string& sub, const std::string& text);
void ReplaceAt(std::string& text, int position, const std::string& oldText, const std::string& newText);
void ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText);  // empty oldText: no change
void ReplaceChar(std::string& text, char from, char to);
std::string KeepChars(const std::string& allowedChars, const std::string& text);
void SplitToStrings(const std::string& text, const std::string& delimiter, TStringList& list);  // appends

// ---- File names ("\", ":" and "/" are separators) ---------------------------

std::string AddBackslash(const std::string& path);
std::string RemoveDoubleBackslashes(const std::string& path);
std::string ExtractNamePart(const std::string& path);
std::string ExtractPathPart(const std::string& path);
std::string ExtractNameWithoutExt(const std::string& path);
std::string ApplyNameMask(const std::string& source, const std::string& mask);
std::string MakeAbsolutePath(const std::string& baseFolder, const std::string& path);
std::string SystemFolder();                              // with a trailing "\"
bool IsValidFileName(const std::string& name);           // may create and delete the file to find out

// ---- Class registration for window descriptions ---------------------------

// Runs registrar unless a class of that name is registered already; swallows every exception.
void RegisterClassIfMissing(const std::string& className, const std::function<void()>& registrar);
void RegisterClassesIfMissing(const std::vector<std::pair<std::string, std::function<void()>>>& classes);

// ---- Autostart keys --------------------------------------------------------

enum class TsxRegRootKey { rrkClassesRoot, rrkCurrentUser, rrkLocalMachine, rrkUsers, rrkCurrentConfig, rrkDynData };
using enum TsxRegRootKey;
HKEY RegRootKeyHandle(TsxRegRootKey root);   // the predefined key: borrowed, never closed

enum class TsxAutoExecKind {
    aekMachineRun, aekMachineRunOnce, aekUserRun, aekUserRunOnce, aekServiceRun, aekServiceRunOnce,
};
using enum TsxAutoExecKind;

struct TsxAutoRunKey {
    HKEY Root;             // a predefined key: borrowed
    std::string Path;      // below the root, no leading "\"
};

TsxAutoRunKey AutoRunKeyOfKind(TsxAutoExecKind kind);
// Opens (creating when missing) and writes; REG_EXPAND_SZ when data holds "%".
void WriteAutoRunValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                       const std::string& data);   // throws ERegistryException "Unable to open the %s key"
// The value's name is ExtractNamePart(command). Both are false for a service kind on NT
// and for a command without a file-name part (that would be the key's default value).
bool RegisterAutoRun(TsxAutoExecKind kind, const std::string& command);
bool UnregisterAutoRun(TsxAutoExecKind kind, const std::string& command);   // true: value absent or deleted
