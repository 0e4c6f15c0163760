// updater/zip/ZpException.h -- EZpException: every failure the engine detects, with its native error number
#pragma once

#include "ZpErrors.h"

#include <stdexcept>
#include <string>
#include <vector>

class TZpBaseArchiver;

class EZpException : public std::runtime_error {
public:
    // A format argument of the message text: "%s" takes text, "%d" a number.
    struct TArg {
        TArg(const std::string& s) : Text(s), IsText(true) {}
        TArg(const char* s) : Text(s), IsText(true) {}
        TArg(long long n) : Number(n) {}
        TArg(int n) : Number(n) {}
        std::string Text;
        long long Number = 0;
        bool IsText = false;
    };

    EZpException(int code, const TZpBaseArchiver* archiver);   // archiver may be null (the directory layer)
    EZpException(int code, const TZpBaseArchiver* archiver, const std::vector<TArg>& args);

    int NativeCode() const noexcept { return FNativeCode; }
    int MessageIndex() const noexcept { return FMessageIndex; }

    static int MessageIndexOf(int code);            // -1: the code has no text
    static std::string MessageText(int index);      // unformatted; empty for an empty slot
    static std::string Compose(int code, const std::string& componentName, const std::vector<TArg>& args);

private:
    int FNativeCode;
    int FMessageIndex;
};

// Raised for what this engine does not hold: writing the base archiver's own block format.
class EZpNotSupported : public std::logic_error {
public:
    explicit EZpNotSupported(const std::string& what) : std::logic_error(what + " is not supported by this zip engine") {}
};
