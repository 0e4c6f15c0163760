// core/SystemScan.h -- TSystemScan: the system scan, its result lists and flags, without a window
//
// The scan reads every value of the autostart keys and sorts it against the White List and
// the Black List, compares the running programs with the Black List, reports, hands every
// new and every running bad program to a decision, and removes black-listed values. All it
// shows and asks goes through TScanWindow; everything runs on the caller's (GUI) thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TIniFile;

enum class TScanCounter { NewValues, BadValues, Applications, BadApplications, BadItems };
enum class TScanSetting { ScanRegistry, ScanMemory, RemoveBadKeys, RemoveBadApps };
enum class TScanMessage { Plain, Information, Warning };

// What the scan needs of the window that shows it.
class TScanWindow {
public:
    virtual ~TScanWindow() = default;

    // Set at every step, so a reader of the control sees the current value; painted only by Redraw.
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetProgressMax(int value) = 0;
    virtual void SetProgressPosition(int value) = 0;
    virtual void SetCounter(TScanCounter counter, int value) = 0;
    virtual void Redraw() = 0;                       // paints what was set since the last Redraw
    virtual void ProcessEvents() = 0;                // lets pending events run (Stop among them)

    virtual bool IsTicked(TScanSetting setting) = 0;
    virtual std::vector<std::string> RefreshProcessList() = 0;   // full paths of the running programs
    virtual bool IsShown() = 0;                      // the window is on screen
    virtual void ShowBalloon(const std::string& title, const std::string& text) = 0;
    virtual void Tell(TScanMessage kind, const std::string& text) = 0;   // modal, OK only
    virtual bool IsEnding() = 0;                     // the program ends: no more decisions
    virtual void DecideAboutNewSoftware(const std::string& commandLine) = 0;
    virtual void DecideAboutBadApplication(const std::string& path, bool automatic) = 0;
    virtual void CloseHeldBack() = 0;                // a close asked for during the scan, now due
};

// One autostart key as the scan visits it.
struct TAutostartPlace {
    HKEY Root;
    std::string Path;
};
// HKLM Run, HKLM RunOnce, HKCU Run, HKCU RunOnce: always visited in this order.
const std::vector<TAutostartPlace>& AutostartPlaces();
// Deletes every value of those keys whose command line contains path; "" deletes nothing.
void RemoveAutostartValues(const std::vector<TAutostartPlace>& places, const std::string& path);

class TSystemScan {
public:
    using TClockMs = std::function<uint64_t()>;   // steady, in milliseconds
    // The screen is redrawn at most this often within a loop (about 60 times a second).
    static constexpr uint64_t RedrawIntervalMs = 16;

    TSystemScan(TScanWindow& window, std::vector<TAutostartPlace> places = AutostartPlaces(),
                TClockMs clock = SteadyClockMs);
    TSystemScan(const TSystemScan&) = delete;
    TSystemScan& operator=(const TSystemScan&) = delete;

    // One complete scan. False: refused, as one is running (its events reach buttons and tray).
    bool Run(const TIniFile& whiteList, const TIniFile& blackList, bool silent);
    void Stop() noexcept { FStopped = true; }      // the remaining values and Black List slots are skipped
    bool IsRunning() const noexcept { return FRunning; }
    // A close asked for now: true when it must wait for the running scan, whose end makes it.
    bool HoldBackClose() noexcept;

    // Normalised command lines on the Black List, and on neither list; running black-listed
    // programs as the process list names them. Cleared by every scan; the bad values stay
    // until the next one when they are not removed.
    const std::vector<std::string>& BadValues() const noexcept { return FBadValues; }
    const std::vector<std::string>& NewSoftware() const noexcept { return FNewSoftware; }
    const std::vector<std::string>& BadApplications() const noexcept { return FBadApplications; }

    static uint64_t SteadyClockMs();

private:
    void Scan(const TIniFile& whiteList, const TIniFile& blackList, bool silent);
    void ScanRunKey(const TAutostartPlace& place, const TIniFile& whiteList, const TIniFile& blackList);
    void ScanMemory(const std::vector<std::string>& running, const TIniFile& blackList);
    void Report(bool scanRegistry, bool scanMemory, bool silent);
    void DecideAll(bool silent, bool removeBadKeys);
    void RemoveNextBadRegistryValue();
    void Status(const std::string& text);
    void Counter(TScanCounter counter, int value);
    // Paints when forced (first and last step of a loop, before a message) or when due.
    void Show(bool forced);
    void Tell(TScanMessage kind, const std::string& text);

    TScanWindow& FWindow;
    const std::vector<TAutostartPlace> FPlaces;
    const TClockMs FClock;
    std::vector<std::string> FBadValues, FNewSoftware, FBadApplications;
    bool FStopped = false;
    bool FRunning = false;
    bool FCloseAfterScan = false;
    bool FDrawn = false;                 // something was painted in this scan: FLastDrawMs holds
    uint64_t FLastDrawMs = 0;
};
