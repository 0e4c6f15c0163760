// core/SystemScan.cpp -- TSystemScan
//
// Pending events run once per registry value and once per Black List slot, so Stop, the
// buttons, the tray, timers and the monitors' hand-overs reach the window in the middle of a
// scan: a second scan started that way is refused, and a close is held back until the end.
// Values are set at every step, but painting them costs far more than the step itself, so
// the screen follows at most every RedrawIntervalMs, and always at the first and last step of
// each loop and before anything modal.
#include "core/SystemScan.h"

#include <algorithm>
#include <chrono>

#include "core/AutostartKey.h"
#include "core/ListFile.h"
#include "desktop/SysUtils.h"

namespace {

std::string TakeFirst(std::vector<std::string>& list) {
    std::string first = std::move(list.front());
    list.erase(list.begin());
    return first;
}

bool ContainsIgnoringCase(const std::vector<std::string>& list, const std::string& text) {
    const std::string wanted = UpperCaseAscii(text);
    return std::any_of(list.begin(), list.end(), [&](const std::string& entry) { return UpperCaseAscii(entry) == wanted; });
}

// Marks the scan as running for one scope and makes a close asked for meanwhile at its end.
class TRunningScan {
public:
    TRunningScan(bool& running, bool& closeAfterScan, TScanWindow& window)
        : FRunning(running), FCloseAfterScan(closeAfterScan), FWindow(window) {
        FRunning = true;
        FCloseAfterScan = false;
    }
    ~TRunningScan() {
        FRunning = false;
        const bool close = FCloseAfterScan;
        FCloseAfterScan = false;
        if (close) FWindow.CloseHeldBack();
    }
    TRunningScan(const TRunningScan&) = delete;
    TRunningScan& operator=(const TRunningScan&) = delete;

private:
    bool& FRunning;
    bool& FCloseAfterScan;
    TScanWindow& FWindow;
};

} // namespace

const std::vector<TAutostartPlace>& AutostartPlaces() {
    static const std::vector<TAutostartPlace> places = {{HKEY_LOCAL_MACHINE, AutostartKeyPath(false)},
                                                        {HKEY_LOCAL_MACHINE, AutostartKeyPath(true)},
                                                        {HKEY_CURRENT_USER, AutostartKeyPath(false)},
                                                        {HKEY_CURRENT_USER, AutostartKeyPath(true)}};
    return places;
}

void RemoveAutostartValues(const std::vector<TAutostartPlace>& places, const std::string& path) {
    if (path.empty()) return;
    for (const TAutostartPlace& place : places) TAutostartKey(place.Root, place.Path, true).RemoveValuesContaining(path);
}

uint64_t TSystemScan::SteadyClockMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TSystemScan::TSystemScan(TScanWindow& window, std::vector<TAutostartPlace> places, TClockMs clock)
    : FWindow(window), FPlaces(std::move(places)), FClock(std::move(clock)) {}

bool TSystemScan::HoldBackClose() noexcept {
    if (!FRunning) return false;
    FCloseAfterScan = true;
    return true;
}

bool TSystemScan::Run(const TIniFile& whiteList, const TIniFile& blackList, bool silent) {
    if (FRunning) return false;
    TRunningScan running(FRunning, FCloseAfterScan, FWindow);
    FDrawn = false;
    try {
        Scan(whiteList, blackList, silent);
    } catch (...) {
        // A failed scan leaves no control waiting for a paint that never comes.
        FWindow.Redraw();
        throw;
    }
    Show(true);
    return true;
}

void TSystemScan::Scan(const TIniFile& whiteList, const TIniFile& blackList, bool silent) {
    // Noted now: the box may change while the scan runs.
    const bool removeBadKeys = FWindow.IsTicked(TScanSetting::RemoveBadKeys);
    for (TScanCounter counter : {TScanCounter::NewValues, TScanCounter::BadValues, TScanCounter::Applications,
                                 TScanCounter::BadApplications})
        Counter(counter, 0);
    FBadValues.clear();
    FNewSoftware.clear();
    FBadApplications.clear();
    const std::vector<std::string> running = FWindow.RefreshProcessList();
    FStopped = false;
    Status("Initializing scan...");

    const bool scanRegistry = FWindow.IsTicked(TScanSetting::ScanRegistry);
    const bool scanMemory = FWindow.IsTicked(TScanSetting::ScanMemory);
    if (!scanRegistry && !scanMemory) {
        Tell(TScanMessage::Plain, "First you need to select areas to be scanned - registry,\r"
                                  "memory or both. Go to the 'Settings' tab.");
        Status("Scan canceled.");
        return;
    }
    if (scanRegistry) {
        Status("Scanning registry...");
        for (const TAutostartPlace& place : FPlaces) ScanRunKey(place, whiteList, blackList);
    }
    if (scanMemory) {
        Status("Scaning memory...");
        ScanMemory(running, blackList);
    }

    if (silent && !FWindow.IsShown()) {
        Show(true);
        FWindow.ShowBalloon("Sentinox", "Scan finished. Click here to see the results.");
        FWindow.ProcessEvents();
    }
    Report(scanRegistry, scanMemory, silent);
    DecideAll(silent, removeBadKeys);
    Status("Scan finished.");
}

void TSystemScan::ScanRunKey(const TAutostartPlace& place, const TIniFile& whiteList, const TIniFile& blackList) {
    FWindow.SetProgressPosition(0);
    Show(false);
    const TAutostartKey key(place.Root, place.Path);
    const auto& names = key.Names();
    const int count = static_cast<int>(names.size());
    for (int i = 0; i < count; ++i) {
        if (FStopped) continue;
        std::string commandLine;
        const bool isProgram = key.ReadCommandLine(names[i], commandLine);
        FWindow.ProcessEvents();
        FWindow.SetProgressMax(count - 1);
        FWindow.SetProgressPosition(i);
        FWindow.SetStatus("Checking registry values: " + IntToStr(i) + " of " + IntToStr(count));
        Show(i == 0 || i == count - 1);
        if (!isProgram) continue;
        // Sorted after the events ran: they may have changed the lists.
        switch (SortCommandLine(whiteList, blackList, commandLine)) {
        case TListVerdict::New: FNewSoftware.push_back(commandLine); break;
        case TListVerdict::Black: FBadValues.push_back(commandLine); break;
        case TListVerdict::White: break;
        }
    }
}

void TSystemScan::ScanMemory(const std::vector<std::string>& running, const TIniFile& blackList) {
    constexpr int lastSlot = listfile::SlotCount - 1;
    for (int slot = 0; slot <= lastSlot; ++slot) {
        FWindow.ProcessEvents();
        FWindow.SetProgressMax(lastSlot);
        FWindow.SetProgressPosition(slot);
        if (FStopped) {
            Show(slot == 0 || slot == lastSlot);
            continue;
        }
        // The status names the slot and the last line compared: nothing runs between two
        // lines, so no one could see the texts of the others.
        if (!running.empty())
            FWindow.SetStatus("Checking processes: " + IntToStr(slot) + "(" + IntToStr(static_cast<int>(running.size() - 1)) + ")");
        Show(slot == 0 || slot == lastSlot);
        const std::string listed = UpperCaseAscii(listfile::ReadSlot(blackList, slot));
        for (const std::string& line : running) {
            // Two copies of one program, or two slots naming it: one entry, one decision.
            if (listed == UpperCaseAscii(line) && !ContainsIgnoringCase(FBadApplications, line))
                FBadApplications.push_back(line);
        }
    }
}

void TSystemScan::Report(bool scanRegistry, bool scanMemory, bool silent) {
    if (!FBadValues.empty() || !FNewSoftware.empty() || !FBadApplications.empty()) return;
    std::string report = "Scan Areas:";
    if (scanMemory) report += "\r* System memory (RAM)";
    if (scanRegistry) report += "\r* Windows Registry";
    report += "\r\rScan Result:\r* No new or bad software found.";
    if (!silent) Tell(TScanMessage::Information, report);
    Status("System is clean.");
}

void TSystemScan::DecideAll(bool silent, bool removeBadKeys) {
    if (const int found = static_cast<int>(FNewSoftware.size()); found > 0) {
        if (!silent)
            Tell(TScanMessage::Plain, "There were " + IntToStr(found) + " new products found. \rPlease decide what to do with them.");
        Counter(TScanCounter::NewValues, found);
        Show(true);
        while (!FNewSoftware.empty() && !FWindow.IsEnding()) FWindow.DecideAboutNewSoftware(TakeFirst(FNewSoftware));
        if (!silent) Tell(TScanMessage::Plain, "Success. All new software is now assigned to proper lists.");
        Status("New software found.");
    }

    int badApps = 0;
    if (const int found = static_cast<int>(FBadApplications.size()); found > 0) {
        if (!silent) Tell(TScanMessage::Warning, "There are " + IntToStr(found) + " bad products currently running!");
        Status("System is NOT clean.");
        Counter(TScanCounter::BadApplications, found);
        badApps = found;
        Show(true);
        while (!FBadApplications.empty() && !FWindow.IsEnding()) {
            const bool automatic = FWindow.IsTicked(TScanSetting::RemoveBadApps);
            FWindow.DecideAboutBadApplication(TakeFirst(FBadApplications), automatic);
        }
    }

    int badValues = 0;
    if (const int found = static_cast<int>(FBadValues.size()); found > 0) {
        Counter(TScanCounter::BadValues, found);
        badValues = found;
        if (!silent) Tell(TScanMessage::Warning, "Your machine is infected by " + IntToStr(found) + " bad products.");
        Status("Removing bad registry values...");
        if (removeBadKeys)
            while (!FBadValues.empty()) RemoveNextBadRegistryValue();
    }

    Counter(TScanCounter::BadItems, badValues + badApps);
}

void TSystemScan::RemoveNextBadRegistryValue() { RemoveAutostartValues(FPlaces, TakeFirst(FBadValues)); }

void TSystemScan::Status(const std::string& text) {
    FWindow.SetStatus(text);
    Show(false);
}

void TSystemScan::Counter(TScanCounter counter, int value) {
    FWindow.SetCounter(counter, value);
    Show(false);
}

void TSystemScan::Show(bool forced) {
    if (!forced && FDrawn && FClock() - FLastDrawMs < RedrawIntervalMs) return;
    FWindow.Redraw();
    FDrawn = true;
    // Counted from the paint's end: on a busy machine a paint may outlast the interval, and
    // counting from its start would let every step paint again.
    FLastDrawMs = FClock();
}

void TSystemScan::Tell(TScanMessage kind, const std::string& text) {
    Show(true);
    FWindow.Tell(kind, text);
}
