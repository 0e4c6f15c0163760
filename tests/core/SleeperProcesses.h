// tests/core/SleeperProcesses.h -- real processes for the tests: copies of sxsleeper.exe
// under chosen names and folders, started and, at the end, stopped and deleted again
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "desktop/Handle.h"

class TSleeperProcesses {
public:
    TSleeperProcesses();                       // a fresh folder under %TEMP%
    ~TSleeperProcesses();                      // ends what still runs, removes the folder

    const std::string& Folder() const { return FFolder; }
    // Copies sxsleeper.exe to Folder() + relativePath (sub-folders made); returns the full path.
    std::string Place(const std::string& relativePath);
    // Starts the program at path; returns its index for IsRunning.
    size_t Start(const std::string& path);
    // Starts it with "--unstoppable" and returns once it has denied everyone its termination.
    size_t StartUnstoppable(const std::string& path);
    bool IsRunning(size_t index) const;        // not ended yet, at this moment
    bool EndsWithin(size_t index, DWORD ms) const;
    DWORD ProcessId(size_t index) const { return FIds.at(index); }

private:
    size_t Launch(const std::string& path, const std::string& arguments, HANDLE output);

    std::string FFolder;
    std::vector<THandle> FProcesses;
    std::vector<DWORD> FIds;
    std::vector<std::string> FFiles;
};

// The folder of the running test program, ending in "\".
std::string TestProgramFolder();
