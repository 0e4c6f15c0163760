// tests/support/driver/ProcessCommands.cpp -- starting a program and watching what it does, and
// counting and waiting for the processes of an executable file name
#include "Commands.h"

#include "Text.h"
#include "WindowFinder.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// Whether the path of the process's main module can be read: what a process list built on
// EnumProcesses and GetModuleFileNameEx needs to show it (a process just made may not have one yet).
bool HasReadablePath(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return false;
    wchar_t path[MAX_PATH] = {};
    const bool readable = GetModuleFileNameExW(process, nullptr, path, MAX_PATH) > 0;
    CloseHandle(process);
    return readable;
}

// The processes of that executable file name (letter case ignored); listedOnly: those a process
// list shows.
std::vector<DWORD> FindProcesses(const std::wstring& exeName, bool listedOnly) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        throw EDriver("CreateToolhelp32Snapshot failed, error " + std::to_string(GetLastError()));
    std::vector<DWORD> found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) != 0) continue;
        if (!listedOnly || HasReadablePath(entry.th32ProcessID)) found.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

}  // namespace

// Looks as often as it can, since what it is after may live for a few milliseconds only: a
// window the started program makes and takes down again before its end.
int CmdRunWatching(const TArgs& args) {
    TWindowQuery top = TWindowQuery::FromArgs(args);
    if (top.IsEmpty()) throw EUsage("no window given (--window, --window-part or --class)");
    std::wstring commandLine = L"\"" + args.Require("path") + L"\"";
    if (auto extra = args.Get("args")) commandLine += L" " + *extra;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw EDriver("cannot start " + ToUtf8(commandLine) + ", error " + std::to_string(GetLastError()));
    CloseHandle(process.hThread);
    const DWORD timeoutMs = TimeoutMs(args, DefaultWaitTimeoutMs);
    const DWORD start = GetTickCount();
    size_t most = 0, looks = 0;
    std::set<HWND> own;
    for (bool ended = false; !ended;) {
        // Whether it had ended is taken before the look, so the last look still sees its windows.
        ended = WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0;
        const std::vector<HWND> windows = TopWindows(top);
        ++looks;
        most = std::max(most, windows.size());
        for (HWND hwnd : windows)
            if (WindowPid(hwnd) == process.dwProcessId) own.insert(hwnd);
        if (!ended && GetTickCount() - start > timeoutMs) {
            CloseHandle(process.hProcess);
            throw EDriver(ToUtf8(commandLine) + " still runs after " + std::to_string(timeoutMs) + " ms");
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    PrintLine("most=" + std::to_string(most));
    PrintLine("own=" + std::to_string(own.size()));
    PrintLine("looks=" + std::to_string(looks));
    PrintLine("exit=" + std::to_string(exitCode));
    return 0;
}

int CmdCountProcesses(const TArgs& args) {
    PrintLine(std::to_string(FindProcesses(args.Require("exe"), false).size()));
    return 0;
}

int CmdWaitProcess(const TArgs& args) {
    const std::wstring exeName = args.Require("exe");
    const DWORD timeoutMs = TimeoutMs(args, DefaultWaitTimeoutMs);
    for (const DWORD start = GetTickCount(); FindProcesses(exeName, true).empty();) {
        if (GetTickCount() - start > timeoutMs)
            throw EDriver(ToUtf8(exeName) + " not running within " + std::to_string(timeoutMs) + " ms");
        Sleep(PollIntervalMs);
    }
    return 0;
}
