// bench/tools/ScanBench.cpp -- the product's silent scan against the least work a scan needs
//
// The product: "Scan System" clicked in the running program (BM_CLICK, sent: it returns
// when the click handler, the whole scan, has returned). The page must be showing and
// the scan must need no answer (silent, nothing new, nothing running black-listed).
// The yardstick, in this process: both list files read once each (one section read),
// the four Run/RunOnce keys enumerated with RegEnumValueA, every command line
// normalised and looked up in an in-memory set, and the running programs listed with
// EnumProcesses and GetModuleFileNameExA and looked up in the Black List set.
// They take turns; the first round of each is a warm-up, not counted.
#include "Benches.h"

#include "Figures.h"
#include "Text.h"
#include "WindowFinder.h"

#include "core/AutostartKey.h"
#include "desktop/SysUtils.h"

#include <windows.h>
#include <psapi.h>

#include <unordered_set>
#include <vector>

namespace {

constexpr DWORD ScanTimeoutMs = 600000;
constexpr DWORD FindTimeoutMs = 10000;

struct TPlace {
    HKEY Root;
    bool Once;
};
const TPlace Places[] = {{HKEY_LOCAL_MACHINE, false}, {HKEY_LOCAL_MACHINE, true}, {HKEY_CURRENT_USER, false},
                         {HKEY_CURRENT_USER, true}};

// The values of section "list", as one read of the file gives them.
std::vector<std::string> ReadList(const std::string& file) {
    std::string buffer(64 * 1024, '\0');
    const DWORD length =
        GetPrivateProfileSectionA("list", buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::string> values;
    for (size_t at = 0; at < length;) {
        const std::string line(buffer.data() + at);
        at += line.size() + 1;
        if (const size_t equals = line.find('='); equals != std::string::npos) values.push_back(line.substr(equals + 1));
    }
    return values;
}

struct TBaselineCounts {
    int Values = 0;
    int Listed = 0;
    int Programs = 0;
    int BadPrograms = 0;
};

TBaselineCounts BaselineScan(const std::string& whiteFile, const std::string& blackFile) {
    TBaselineCounts counts;
    const std::vector<std::string> whiteList = ReadList(whiteFile);
    const std::vector<std::string> blackList = ReadList(blackFile);
    const std::unordered_set<std::string> white(whiteList.begin(), whiteList.end());
    const std::unordered_set<std::string> black(blackList.begin(), blackList.end());
    std::unordered_set<std::string> blackUpper;
    for (const std::string& entry : blackList) blackUpper.insert(UpperCaseAscii(entry));
    for (const TPlace& place : Places) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(place.Root, AutostartKeyPath(place.Once).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        for (DWORD index = 0;; ++index) {
            char name[16384];
            BYTE data[8192];
            DWORD nameLength = sizeof(name), dataLength = sizeof(data) - 1, type = 0;
            LONG code = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength);
            if (code == ERROR_NO_MORE_ITEMS) break;
            if (code != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
            data[dataLength] = 0;
            const std::string commandLine = NormalizeCommandLine(reinterpret_cast<const char*>(data));
            ++counts.Values;
            if (white.count(commandLine) || black.count(commandLine)) ++counts.Listed;
        }
        RegCloseKey(key);
    }
    DWORD ids[4096];
    DWORD bytes = 0;
    if (!EnumProcesses(ids, sizeof(ids), &bytes)) throw EDriver("EnumProcesses failed");
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
        if (!process) continue;
        char path[MAX_PATH + 1] = {};
        if (GetModuleFileNameExA(process, nullptr, path, sizeof(path)) > 0) {
            ++counts.Programs;
            if (blackUpper.count(UpperCaseAscii(path))) ++counts.BadPrograms;
        }
        CloseHandle(process);
    }
    return counts;
}

double ProductScan(HWND button, HWND status) {
    TStopwatch watch;
    SendWithTimeout(button, BM_CLICK, 0, 0, ScanTimeoutMs);
    const double ms = watch.ElapsedMs();
    // A scan that stopped early, or asked something, would look fast: only a clean end counts.
    const std::wstring text = WindowText(status);
    if (text != L"Scan finished.") throw EDriver("the scan ended with the status \"" + ToUtf8(text) + "\"");
    return ms;
}

HWND FindNamed(HWND top, const wchar_t* name) {
    TControlQuery query;
    query.Name = name;
    return FindControl(top, query, FindTimeoutMs);
}

} // namespace

int BenchScan(const TArgs& args) {
    TWindowQuery query;
    query.Caption = args.Require("window");
    const HWND top = FindTopWindow(query, FindTimeoutMs);
    const HWND button = FindNamed(top, L"ScanSystemBtn");
    const HWND status = FindNamed(top, L"sc_status");
    const HWND found = FindNamed(top, L"sc_newregvalues");
    if (!IsWindowVisible(button)) throw EDriver("Scan System is not showing: select the Scanning page first");
    const std::string white = ToUtf8(args.Require("white"));
    const std::string black = ToUtf8(args.Require("black"));
    const int rounds = static_cast<int>(args.Number("rounds", 7));
    if (rounds < 1) throw EUsage("--rounds must be at least 1");

    ProductScan(button, status);
    TBaselineCounts counts = BaselineScan(white, black);
    std::vector<double> product, baseline;
    for (int round = 0; round < rounds; ++round) {
        product.push_back(ProductScan(button, status));
        TStopwatch watch;
        counts = BaselineScan(white, black);
        baseline.push_back(watch.ElapsedMs());
    }
    if (WindowText(found) != L"0") throw EDriver("the product's scan found new values: " + ToUtf8(WindowText(found)));
    if (counts.Listed != counts.Values || counts.BadPrograms != 0)
        throw EDriver("not a scan with nothing to do: " + std::to_string(counts.Values - counts.Listed) +
                      " values unlisted, " + std::to_string(counts.BadPrograms) + " black-listed programs running");

    PrintLine("scan: " + std::to_string(counts.Values) + " autostart values, all listed; " +
              std::to_string(counts.Programs) + " running programs, none black-listed");
    PrintLine("scan: sentinox.exe, silent Scan System: " + DescribeMs(product));
    PrintLine("scan: raw API and in-memory sets:      " + DescribeMs(baseline));
    PrintLine("scan: ratio " + FormatRatio(Median(product) / Median(baseline)) + " (goal: at most 4.00x, then 2.00x)");
    return 0;
}
