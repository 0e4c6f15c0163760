// desktop/SysUtils.h -- the exception base of the whole system and small string helpers
#pragma once
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
std::string IncludeTrailingBackslash(const std::string& path);
std::string SysErrorMessage(unsigned long code);

// Called inside a catch block at a callback edge (window procedure, timer,
// synchronised call): hands the exception to the application's HandleException.
void HandleCallbackException() noexcept;
