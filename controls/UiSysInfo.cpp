// controls/UiSysInfo.cpp -- system information, version classification, processor identification
#include "UiSysInfo.h"

#include <cstring>
#include <vector>

#include "UiFileVersion.h"
#include "desktop/SysUtils.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#define SX_HAVE_X86 1
#endif

namespace {

TSystemInfoTable gSystem;
TProcessorInfo gProcessor;
bool gFilled = false;

#ifdef SX_HAVE_X86
void IdentifyProcessor(TProcessorInfo& p) {
    unsigned maxLeaf = __get_cpuid_max(0, nullptr);   // 0 when the ID flag (bit 21) cannot be toggled
    if (maxLeaf == 0) return;
    p.IdentificationAvailable = true;
    unsigned a, b, c, d;
    __cpuid(0, a, b, c, d);
    char vendor[13] = {};
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);
    p.VendorId = vendor;
    static const struct { const char* Id; const char* Name; } vendors[] = {
        {"GenuineIntel", "Intel"}, {"CyrixInstead", "Cyrix"}, {"AuthenticAMD", "AMD"}, {"GenuineTMx86", "Transmeta"}};
    p.Vendor = "Unknown";
    for (const auto& v : vendors)
        if (p.VendorId == v.Id) p.Vendor = v.Name;
    if (maxLeaf >= 1) {
        __cpuid(1, a, b, c, d);
        p.Stepping = static_cast<int>(a & 0xF);
        p.Model = static_cast<int>((a >> 4) & 0xF);
        p.Family = static_cast<int>((a >> 8) & 0xF);
        p.Features = d;
        p.HasMmx = (d & (1u << 23)) != 0;
        p.HasTimeStampCounter = (d & (1u << 4)) != 0;
    }
    // The brand string where the processor has one; the family number otherwise.
    if (__get_cpuid_max(0x80000000u, nullptr) >= 0x80000004u) {
        unsigned regs[12];
        for (unsigned i = 0; i < 3; ++i) __cpuid(0x80000002u + i, regs[i * 4], regs[i * 4 + 1], regs[i * 4 + 2], regs[i * 4 + 3]);
        char name[49] = {};
        std::memcpy(name, regs, 48);
        p.Name = Trim(name);
    }
    if (p.Name.empty()) p.Name = Format("%dx86", p.Family);
}
#endif

void FillSystemInfo(TSystemInfoTable& s) {
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    s.ProcessorCount = si.dwNumberOfProcessors;
    s.AllocationGranularity = si.dwAllocationGranularity;
    s.PageSize = si.dwPageSize;
    const OSVERSIONINFOA& vi = OsVersion();
    s.IsWinNT = vi.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (!s.IsWinNT) {
        VS_FIXEDFILEINFO info{};
        if (ReadFixedFileVersion("kernel32.dll", info)) s.KernelVersion = info.dwProductVersionMS;
    }
    s.WindowsVersion = ClassifyWindowsVersion(vi.dwPlatformId, vi.dwMajorVersion, vi.dwMinorVersion, vi.szCSDVersion,
                                              s.KernelVersion);
    s.IsWinNT3 = s.WindowsVersion == TWindowsVersion::wvWinNT31 || s.WindowsVersion == TWindowsVersion::wvWinNT35 ||
                 s.WindowsVersion == TWindowsVersion::wvWinNT351;
}

} // namespace

TWindowsVersion ClassifyWindowsVersion(DWORD platformId, DWORD major, DWORD minor, const std::string& servicePack,
                                       DWORD kernelVersion) {
    std::string sp = Trim(servicePack);
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (minor < 10) return sp == "B" ? TWindowsVersion::wvWin95OSR2 : TWindowsVersion::wvWin95;
        if (minor < 90) {
            if (kernelVersion == Kernel32VersionME) return TWindowsVersion::wvWinME;
            return sp == "A" ? TWindowsVersion::wvWin98SE : TWindowsVersion::wvWin98;
        }
        if (minor == 90) return TWindowsVersion::wvWinME;
        return TWindowsVersion::wvUnknown;
    }
    if (platformId == VER_PLATFORM_WIN32_NT) {
        if (major == 3) {
            if (minor == 1) return TWindowsVersion::wvWinNT31;
            if (minor == 5) return TWindowsVersion::wvWinNT35;
            if (minor == 51) return TWindowsVersion::wvWinNT351;
            return TWindowsVersion::wvUnknown;
        }
        if (major == 4) return TWindowsVersion::wvWinNT4;
        if (major == 5) {
            if (minor == 0) return TWindowsVersion::wvWin2000;
            if (minor == 1) return TWindowsVersion::wvWinXP;
        }
    }
    return TWindowsVersion::wvUnknown;
}

int SnapProcessorMHz(int mhz) {
    static const int steps[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};
    int f = mhz % 100;
    for (size_t i = 1; i < sizeof(steps) / sizeof(steps[0]); ++i) {
        if (steps[i] <= f) continue;
        int d = steps[i - 1], e = steps[i];
        return mhz - f + ((f - d) < (e - f) ? d : e);
    }
    return mhz;
}

bool DivisionIsCorrect() {
    volatile double x = 2658955.0, y = 3.14159265358979323846;
    return x - (x / y) * y < 1.0;
}

TProcessorSpeed MeasureProcessorSpeed(int budgetMs) {
    TProcessorSpeed speed;
#ifdef SX_HAVE_X86
    LARGE_INTEGER frequency{};
    // No performance counter (or one that claims a zero rate): nothing to measure against.
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return speed;
    constexpr int MaxSamples = 12;
    DWORD started = GetTickCount();
    auto overBudget = [&] { return static_cast<int>(GetTickCount() - started) > budgetMs; };
    // Waits for the counter to advance by ticks; false when it does not within the budget.
    auto waitTicks = [&](LONGLONG from, LONGLONG ticks, LONGLONG& nowOut) {
        LARGE_INTEGER now;
        do {
            QueryPerformanceCounter(&now);
            if (overBudget()) return false;
        } while (now.QuadPart - from < ticks);
        nowOut = now.QuadPart;
        return true;
    };
    std::vector<int> results;
    HANDLE thread = GetCurrentThread();
    int oldPriority = GetThreadPriority(thread);
    while (static_cast<int>(results.size()) < MaxSamples && !overBudget()) {
        SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL);
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        LONGLONG t0 = 0, t1 = 0;
        bool ok = waitTicks(start.QuadPart, 50, t0);
        unsigned long long c0 = __rdtsc();
        ok = ok && waitTicks(t0, 1000, t1);
        unsigned long long c1 = __rdtsc();
        SetThreadPriority(thread, oldPriority);
        if (!ok) break;
        double micros = static_cast<double>(t1 - t0) * 1000000.0 / static_cast<double>(frequency.QuadPart);
        if (micros <= 0) break;
        results.push_back(static_cast<int>(static_cast<double>(c1 - c0) / micros));
        size_t n = results.size();
        if (n >= 3) {
            int sum = results[n - 1] + results[n - 2] + results[n - 3];
            int diff = 3 * results[n - 1] - sum;
            if (diff >= -3 && diff <= 3) {
                speed.Measured = true;
                speed.RawMHz = sum / 3;
                break;
            }
        }
    }
    SetThreadPriority(thread, oldPriority);
    // Out of budget before three samples agreed: the mean of what was taken.
    if (!speed.Measured && results.size() >= 3) {
        long long sum = 0;
        for (int r : results) sum += r;
        speed.Measured = true;
        speed.RawMHz = static_cast<int>(sum / static_cast<long long>(results.size()));
    }
    if (speed.Measured) speed.NormalizedMHz = SnapProcessorMHz(speed.RawMHz);
#else
    (void)budgetMs;
#endif
    return speed;
}

void InitSystemInfo() {
    if (gFilled) return;
    FillSystemInfo(gSystem);
#ifdef SX_HAVE_X86
    IdentifyProcessor(gProcessor);
    gProcessor.DivisionCorrect = DivisionIsCorrect();
    constexpr int SpeedBudgetMs = 60;            // start-up never waits longer on it
    if (gProcessor.HasTimeStampCounter) gProcessor.Speed = MeasureProcessorSpeed(SpeedBudgetMs);
#endif
    gFilled = true;
}

const TSystemInfoTable& SystemInfoTable() { InitSystemInfo(); return gSystem; }
const TProcessorInfo& ProcessorInfo() { InitSystemInfo(); return gProcessor; }
