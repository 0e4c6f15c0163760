// desktop/SysUtils.h -- the exception base of the whole system and small string helpers
#pragma once
#include <windows.h>
#include <cstdarg>
#include <exception>
#include <string>

// Base of every exception the system raises; what HandleException shows.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& Message() const noexcept { return FMessage; }
private:
    std::string FMessage;
};

// A failed Win32 call: the call's name in the message, the native code kept apart.
class EWin32Error : public Exception {
public:
    EWin32Error(const std::string& call, unsigned long code);
    unsigned long Code() const noexcept { return FCode; }
private:
    unsigned long FCode;
};

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);
std::string IntToStr(long long value);
int StrToIntDef(const std::string& text, int fallback);   // whole text must be a decimal integer
std::string UpperCaseAscii(std::string text);             // a to z only; other bytes unchanged
std::string LowerCaseAscii(std::string text);
bool SameTextAscii(const std::string& a, const std::string& b);
std::string Trim(const std::string& text);
std::string ExtractFileName(const std::string& path);     // after the last '\', '/' or ':'
std::string ExtractFilePath(const std::string& path);     // up to and including the last '\', '/' or ':'
// The parts of a path split at its last '\' or ':' only: a '/' stays part of the name.
std::string FileNamePart(const std::string& path);        // after that delimiter; all of path when none
std::string FolderPart(const std::string& path);          // up to and including it; empty when none
std::string IncludeTrailingBackslash(const std::string& path);
std::string SysErrorMessage(unsigned long code);

bool FileExists(const std::string& path);                 // a file, not a folder
bool DirectoryExists(const std::string& path);
// GetVersionExA's answer, asked once; dwPlatformId and the version numbers are 0 when it failed.
const OSVERSIONINFOA& OsVersion();

// Dates: days since 30 December 1899, the fraction being the time of day (the date part of a
// value before that day is still its whole days, counted toward zero).
using TDateTime = double;
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);                    // 0 for a month outside 1..12
bool TryEncodeDate(int year, int month, int day, TDateTime& dateOut);   // false: no such day in years 1..9999
bool DecodeDate(TDateTime date, int& yearOut, int& monthOut, int& dayOut);   // false: outside years 1..9999
TDateTime Now();                                         // local date and time

// Called inside a catch block at a callback edge (window procedure, timer,
// synchronised call): hands the exception to the application's HandleException.
void HandleCallbackException() noexcept;
