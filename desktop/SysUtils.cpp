// desktop/SysUtils.cpp -- exception base and string helpers
#include "SysUtils.h"

#include <windows.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

EWin32Error::EWin32Error(const std::string& call, unsigned long code)
    : Exception(call + " failed: " + SysErrorMessage(code)), FCode(code) {}

std::string FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) return std::string();
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string s = FormatV(format, args);
    va_end(args);
    return s;
}

std::string IntToStr(long long value) { return std::to_string(value); }

int StrToIntDef(const std::string& text, int fallback) {
    if (text.empty()) return fallback;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0') return fallback;
    if (v < INT32_MIN || v > INT32_MAX) return fallback;
    return static_cast<int>(v);
}

std::string UpperCaseAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string LowerCaseAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool SameTextAscii(const std::string& a, const std::string& b) { return UpperCaseAscii(a) == UpperCaseAscii(b); }

std::string Trim(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    return text.substr(b, e - b);
}

namespace {

// Where the name begins: after the last of delimiters, else at 0.
size_t NameStart(const std::string& path, const char* delimiters) {
    size_t p = path.find_last_of(delimiters);
    return p == std::string::npos ? 0 : p + 1;
}

} // namespace

std::string ExtractFileName(const std::string& path) { return path.substr(NameStart(path, "\\/:")); }
std::string ExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path, "\\/:")); }
std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path, "\\:")); }
std::string FolderPart(const std::string& path) { return path.substr(0, NameStart(path, "\\:")); }

std::string IncludeTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + "\\";
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

const OSVERSIONINFOA& OsVersion() {
    static const OSVERSIONINFOA version = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!GetVersionExA(&info)) info = OSVERSIONINFOA{sizeof(info), 0, 0, 0, 0, {}};
#pragma GCC diagnostic pop
        return info;
    }();
    return version;
}

std::string SysErrorMessage(unsigned long code) {
    char* buf = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&buf), 0, nullptr);
    std::string s = n ? std::string(buf, n) : Format("error %lu", code);
    if (buf) LocalFree(buf);
    return Trim(s);
}

namespace {

// Days from 1 January of year 1 to 30 December 1899, the day a date value counts from.
constexpr long long DateDelta = 693594;

long long DaysBeforeYear(int year) {
    long long y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

} // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& dateOut) {
    if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return false;
    long long days = DaysBeforeYear(year);
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    dateOut = static_cast<TDateTime>(days + day - DateDelta);
    return true;
}

bool DecodeDate(TDateTime date, int& yearOut, int& monthOut, int& dayOut) {
    if (!(date > -DateDelta - 1 && date < 2958466.0)) return false;   // 1 January 1 .. 31 December 9999
    long long days = static_cast<long long>(date) + DateDelta - 1;   // whole days since 1 January 1
    if (days < 0) return false;
    int year = static_cast<int>(days / 366) + 1;
    while (DaysBeforeYear(year + 1) <= days) ++year;
    days -= DaysBeforeYear(year);
    int month = 1;
    while (days >= DaysInMonth(year, month)) days -= DaysInMonth(year, month++);
    yearOut = year;
    monthOut = month;
    dayOut = static_cast<int>(days) + 1;
    return true;
}

TDateTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    TDateTime date = 0;
    TryEncodeDate(t.wYear, t.wMonth, t.wDay, date);
    return date + (t.wHour * 3600000.0 + t.wMinute * 60000.0 + t.wSecond * 1000.0 + t.wMilliseconds) / 86400000.0;
}
