// tests/support/driver/Args.cpp -- TArgs: option table and number parsing
#include "Args.h"

#include "Text.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

// Options that take no value.
const std::set<std::string> gFlags = {"children", "all", "async", "send", "visible", "double", "no-wait", "close", "help"};

const std::map<std::wstring, std::string> gShortNames = {
    {L"-w", "window"}, {L"-W", "window-part"}, {L"-k", "class"}, {L"-i", "id"},   {L"-t", "text"},
    {L"-T", "text-part"}, {L"-c", "ctl-class"}, {L"-n", "name"},  {L"-m", "msg"}, {L"-h", "help"},
};

}  // namespace

TArgs::TArgs(const std::vector<std::wstring>& argv) {
    size_t i = 0;
    if (i < argv.size() && argv[i].rfind(L"-", 0) != 0) FCommand = argv[i++];
    for (; i < argv.size(); ++i) {
        const std::wstring& token = argv[i];
        std::string name;
        if (auto it = gShortNames.find(token); it != gShortNames.end())
            name = it->second;
        else if (token.rfind(L"--", 0) == 0 && token.size() > 2)
            name = ToUtf8(token.substr(2));
        else
            throw EUsage("unexpected argument \"" + ToUtf8(token) + "\" (options start with --)");
        if (gFlags.count(name)) {
            FValues[name] = L"";
            continue;
        }
        if (i + 1 >= argv.size()) throw EUsage("option --" + name + " needs a value");
        FValues[name] = argv[++i];
    }
}

std::optional<std::wstring> TArgs::Get(const std::string& option) const {
    auto it = FValues.find(option);
    if (it == FValues.end()) return std::nullopt;
    return it->second;
}

std::wstring TArgs::Require(const std::string& option) const {
    auto value = Get(option);
    if (!value) throw EUsage("option --" + option + " is required");
    return *value;
}

long long TArgs::Number(const std::string& option, long long fallback) const {
    auto value = Get(option);
    return value ? ParseNumber(*value, "--" + option) : fallback;
}

void TArgs::CheckAllowed(const std::set<std::string>& allowed) const {
    for (const auto& [name, value] : FValues)
        if (!allowed.count(name)) throw EUsage("option --" + name + " does not apply to " + ToUtf8(FCommand));
}

long long ParseNumber(const std::wstring& text, const std::string& what) {
    if (text.empty()) throw EUsage(what + ": empty number");
    wchar_t* end = nullptr;
    long long value = std::wcstoll(text.c_str(), &end, 0);
    // Strict: "12abc" is not 12.
    if (end == nullptr || *end != L'\0') throw EUsage(what + ": not a number: \"" + ToUtf8(text) + "\"");
    return value;
}

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}
