// tests/support/driver/Args.h -- TArgs: the driver's command line, wide, as "command --option value ..."
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A fault of the caller's: wrong options, bad numbers. Exit code 2.
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A command that could not do its job: nothing found, timed out, refused. Exit code 1.
class EDriver : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TArgs {
public:
    // argv without the program name; short options (-w, -i, ...) become their long names.
    explicit TArgs(const std::vector<std::wstring>& argv);

    const std::wstring& Command() const { return FCommand; }
    bool Has(const std::string& option) const { return FValues.count(option) != 0; }
    std::optional<std::wstring> Get(const std::string& option) const;
    std::wstring Require(const std::string& option) const;              // throws EUsage when absent
    long long Number(const std::string& option, long long fallback) const; // decimal or 0x hex
    bool Flag(const std::string& option) const { return Has(option); }
    // Throws EUsage naming the first option not in allowed.
    void CheckAllowed(const std::set<std::string>& allowed) const;

private:
    std::wstring FCommand;
    std::map<std::string, std::wstring> FValues;  // flags hold an empty value
};

long long ParseNumber(const std::wstring& text, const std::string& what); // throws EUsage

// This process's own command line, wide, without the program name: what TArgs takes.
std::vector<std::wstring> ProgramArguments();
