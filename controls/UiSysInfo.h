// controls/UiSysInfo.h -- system counts, the Windows version kind and the processor
// identification, filled once at start
#pragma once
#include <windows.h>
#include <string>

enum class TWindowsVersion {
    wvUnknown, wvWin95, wvWin95OSR2, wvWin98, wvWin98SE, wvWinME,
    wvWinNT31, wvWinNT35, wvWinNT351, wvWinNT4, wvWin2000, wvWinXP
};
constexpr DWORD Kernel32VersionME = 262234;      // 4.90 in the high word pair of kernel32's product version

// platformId: 1 the 95 family, 2 NT. kernelVersion: kernel32's product version (high 32 bits), 95 family only.
TWindowsVersion ClassifyWindowsVersion(DWORD platformId, DWORD major, DWORD minor, const std::string& servicePack,
                                       DWORD kernelVersion);

struct TSystemInfoTable {
    DWORD ProcessorCount = 0;
    DWORD AllocationGranularity = 0;
    DWORD PageSize = 0;
    bool IsWinNT = false;
    DWORD KernelVersion = 0;                     // 0 on NT
    TWindowsVersion WindowsVersion = TWindowsVersion::wvUnknown;
    bool IsWinNT3 = false;                       // NT 3.1, 3.5 or 3.51
    bool IsVersion(TWindowsVersion v) const { return v != TWindowsVersion::wvUnknown && v == WindowsVersion; }
};

struct TProcessorSpeed {
    bool Measured = false;                       // false: no time-stamp or performance counter
    int RawMHz = 0;
    int NormalizedMHz = 0;                       // snapped to the usual clock steps
};

struct TProcessorInfo {
    bool IdentificationAvailable = false;
    std::string VendorId;                        // "GenuineIntel" ...
    std::string Vendor;                          // "Intel", "Cyrix", "AMD", "Transmeta", "Unknown"
    std::string Name;
    int Family = 0, Model = 0, Stepping = 0;
    unsigned Features = 0;                       // leaf 1, EDX
    bool HasMmx = false;                         // feature bit 23
    bool HasTimeStampCounter = false;            // feature bit 4
    bool DivisionCorrect = true;
    TProcessorSpeed Speed;
};

void InitSystemInfo();                          // safe to call again: fills once
const TSystemInfoTable& SystemInfoTable();
const TProcessorInfo& ProcessorInfo();

// Measures the clock against the performance counter: a handful of samples, at most
// budgetMs in all; Measured stays false where either counter is missing.
TProcessorSpeed MeasureProcessorSpeed(int budgetMs);
int SnapProcessorMHz(int mhz);                   // 0, 20, 33, 50, 60, 66, 80, 90 within each hundred
bool DivisionIsCorrect();                       // the classic FDIV check
