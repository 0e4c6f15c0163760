// bench/tools/ProtectionBench.cpp -- how fast Automatic Protection removes what an intruder adds
//
// This process plays the intruder, so every figure runs from the moment of the write,
// not from the start of some Linux tool:
// - registry: a black-listed value written (RegSetValueExA) into one of the four
//   Run/RunOnce keys in turn, timed until RegQueryValueExA no longer finds it;
// - folder: a black-listed file moved (MoveFileA, so it appears whole and at once)
//   from a folder nobody watches into a watched one, timed until it is gone.
// Between two writes a pause lets the program settle: its own deletion is a change,
// too, and is reported to it once more. The first write of each kind is a warm-up, not
// counted, with a generous time limit: its removal also shows the monitors are armed.
#include "Benches.h"

#include "Figures.h"
#include "Text.h"

#include "core/AutostartKey.h"
#include "desktop/Handle.h"

#include <windows.h>

#include <cstdio>
#include <functional>

namespace {

constexpr double GoneTimeoutMs = 10000;
constexpr double WarmUpTimeoutMs = 60000;   // the monitors' workers arm once they run

struct TPlace {
    HKEY Root;
    bool Once;
    const char* Name;
};
const TPlace Places[] = {{HKEY_CURRENT_USER, false, "HKCU Run"},
                         {HKEY_CURRENT_USER, true, "HKCU RunOnce"},
                         {HKEY_LOCAL_MACHINE, false, "HKLM Run"},
                         {HKEY_LOCAL_MACHINE, true, "HKLM RunOnce"}};

// Polls every millisecond until gone() says so; the milliseconds since watch started.
double WaitGone(const TStopwatch& watch, const std::function<bool()>& gone, const std::string& what, double timeoutMs) {
    while (!gone()) {
        if (watch.ElapsedMs() > timeoutMs)
            throw EDriver(what + " still there after " + std::to_string(static_cast<int>(timeoutMs)) + " ms");
        Sleep(1);
    }
    return watch.ElapsedMs();
}

std::string Numbered(const char* format, int number) {
    char text[64];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

// Write 0 is the warm-up; writes 1 to writes are timed.
std::vector<double> RegistryWrites(const std::string& data, int writes, DWORD pauseMs) {
    std::vector<double> samples;
    for (int i = 0; i <= writes; ++i) {
        const TPlace& place = Places[i % 4];
        HKEY opened = nullptr;
        if (RegCreateKeyExA(place.Root, AutostartKeyPath(place.Once).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
            throw EDriver(std::string("cannot open ") + place.Name);
        TRegKeyHandle key(opened);
        const std::string name = Numbered("SxBench.%03d", i);
        TStopwatch watch;
        if (RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS)
            throw EDriver("cannot write " + name + " into " + place.Name);
        const double ms = WaitGone(
            watch,
            [&] { return RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND; },
            "value " + name + " of " + place.Name, i == 0 ? WarmUpTimeoutMs : GoneTimeoutMs);
        if (i > 0) samples.push_back(ms);
        Sleep(pauseMs);
    }
    return samples;
}

void WriteSmallFile(const std::string& path) {
    THandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    const char content[] = "MZ: a black-listed program, as far as the folder reaction can tell";
    if (!file.IsValid() || !WriteFile(file.Get(), content, sizeof(content), &written, nullptr))
        throw EDriver("cannot write " + path + ", error " + std::to_string(GetLastError()));
}

// File 0 is the warm-up; files 1 to files are timed.
std::vector<double> FileDrops(const std::string& stage, const std::string& target, int files, DWORD pauseMs) {
    CreateDirectoryA(stage.c_str(), nullptr);
    std::vector<double> samples;
    for (int i = 0; i <= files; ++i) {
        const std::string name = Numbered("\\intruder%03d.exe", i);
        WriteSmallFile(stage + name);
        TStopwatch watch;
        if (!MoveFileA((stage + name).c_str(), (target + name).c_str()))
            throw EDriver("cannot move into " + target + name + ", error " + std::to_string(GetLastError()));
        const double ms = WaitGone(
            watch, [&] { return GetFileAttributesA((target + name).c_str()) == INVALID_FILE_ATTRIBUTES; },
            "file " + target + name, i == 0 ? WarmUpTimeoutMs : GoneTimeoutMs);
        if (i > 0) samples.push_back(ms);
        Sleep(pauseMs);
    }
    return samples;
}

void PrintSeries(const std::string& what, const std::vector<double>& samples, const std::string& goal) {
    PrintLine("protection: " + what + ": median " + FormatMs(Median(samples)) + ", 95th percentile " +
              FormatMs(Percentile(samples, 95)) + ", largest " + FormatMs(Largest(samples)) + " (" +
              std::to_string(samples.size()) + " writes" + goal + ")");
}

} // namespace

int BenchProtection(const TArgs& args) {
    const std::string value = ToUtf8(args.Require("value"));
    const int writes = static_cast<int>(args.Number("writes", 100));
    const int files = static_cast<int>(args.Number("files", 100));
    const DWORD pauseMs = static_cast<DWORD>(args.Number("pause-ms", 100));
    const std::string stage = ToUtf8(args.Require("stage"));
    const std::string target = ToUtf8(args.Require("target"));
    if (writes < 1 || files < 1) throw EUsage("--writes and --files must be at least 1");

    PrintSeries("registry, value written until gone", RegistryWrites(value, writes, pauseMs),
                "; goal: median under 50 ms");
    PrintSeries("folder, file moved in until gone", FileDrops(stage, target, files, pauseMs), "");
    return 0;
}
