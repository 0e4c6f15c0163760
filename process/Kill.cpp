// process/Kill.cpp -- Kill: terminate by executable file name, then wait a bounded time
#include "process/Kill.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "desktop/Handle.h"
#include "desktop/SysUtils.h"

namespace {

// Opens a process to end it; SYNCHRONIZE lets us wait for it afterwards. Some processes
// grant terminate but not synchronize access: those are ended without the wait.
THandle OpenForTermination(DWORD pid, bool& canWaitOut) {
    THandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    canWaitOut = process.IsValid();
    if (!process.IsValid()) process.Reset(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    return process;
}

// Waits for every handle until the deadline; WaitForMultipleObjects takes 64 at most.
bool WaitAllGone(const std::vector<HANDLE>& processes, unsigned long waitMs) {
    const DWORD start = GetTickCount();
    for (size_t first = 0; first < processes.size(); first += MAXIMUM_WAIT_OBJECTS) {
        const DWORD spent = GetTickCount() - start;
        const DWORD left = spent >= waitMs ? 0 : waitMs - spent;
        const DWORD count = static_cast<DWORD>(
            std::min<size_t>(MAXIMUM_WAIT_OBJECTS, processes.size() - first));
        if (WaitForMultipleObjects(count, processes.data() + first, TRUE, left) >= WAIT_OBJECT_0 + count)
            return false;
    }
    return true;
}

// The processes whose executable file name has this key, the calling one apart. False when the
// system gave no snapshot.
bool FindProcesses(const std::string& key, std::vector<DWORD>& othersOut, bool& selfOut) {
    THandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        // Windows 9x reports a full path here, NT the bare name: KillKey takes the name part of both.
        if (KillKey(entry.szExeFile) != key) continue;
        if (entry.th32ProcessID == self)
            selfOut = true;
        else
            othersOut.push_back(entry.th32ProcessID);
    }
    return true;
}

} // namespace

std::string KillKey(const std::string& exeName) {
    std::string key = FileNamePart(exeName);
    // The ANSI code page's lower-casing, as the file system folds names.
    if (!key.empty()) CharLowerBuffA(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

bool IsProgramRunning(const std::string& exeName) {
    const std::string key = KillKey(exeName);
    if (key.empty()) return false;
    std::vector<DWORD> others;
    bool self = false;
    // Cannot tell: taken as still running, so nobody is told a program is gone when it is not.
    if (!FindProcesses(key, others, self)) return true;
    return self || !others.empty();
}

bool StopProgram(const std::string& exeName) { return Kill(exeName) || !IsProgramRunning(exeName); }

bool Kill(const std::string& exeName, unsigned long waitMs) {
    const std::string key = KillKey(exeName);
    if (key.empty()) return false;

    std::vector<DWORD> matches;
    bool matchesSelf = false;
    if (!FindProcesses(key, matches, matchesSelf)) return false;
    if (matches.empty() && !matchesSelf) return false;

    bool allEnded = true;
    std::vector<THandle> waitable;
    for (DWORD pid : matches) {
        bool canWait = false;
        THandle process = OpenForTermination(pid, canWait);
        if (!process.IsValid()) {
            // Gone between the snapshot and now: that is what was asked for.
            if (GetLastError() != ERROR_INVALID_PARAMETER) allEnded = false;
            continue;
        }
        if (!TerminateProcess(process.Get(), 0)) {
            // A process already on its way out refuses with access denied; it still ends.
            if (!(canWait && WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0)) allEnded = false;
            continue;
        }
        if (canWait) waitable.push_back(std::move(process));
    }
    if (waitMs > 0 && !waitable.empty()) {
        std::vector<HANDLE> handles;
        for (const THandle& process : waitable) handles.push_back(process.Get());
        if (!WaitAllGone(handles, waitMs)) allEnded = false;
    }
    waitable.clear();

    // Last, so every other copy has been told first; returns only when refused.
    if (matchesSelf && !TerminateProcess(GetCurrentProcess(), 0)) allEnded = false;
    return allEnded;
}
