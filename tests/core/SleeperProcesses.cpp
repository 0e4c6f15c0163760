// tests/core/SleeperProcesses.cpp -- TSleeperProcesses
#include "SleeperProcesses.h"

#include <stdexcept>

namespace {

void MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
}

} // namespace

std::string TestProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

TSleeperProcesses::TSleeperProcesses() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    FFolder = std::string(temp) + "SentinoxCoreTest" + std::to_string(GetCurrentProcessId()) + "_" +
              std::to_string(GetTickCount()) + "\\";
    MakeFolders(FFolder);
}

TSleeperProcesses::~TSleeperProcesses() {
    for (const THandle& process : FProcesses) {
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 5000);
    }
    RemoveTree(FFolder);
}

std::string TSleeperProcesses::Place(const std::string& relativePath) {
    std::string path = FFolder + relativePath;
    MakeFolders(path);
    if (!CopyFileA((TestProgramFolder() + "sxsleeper.exe").c_str(), path.c_str(), FALSE))
        throw std::runtime_error("cannot copy sxsleeper.exe to " + path);
    return path;
}

size_t TSleeperProcesses::Launch(const std::string& path, const std::string& arguments, HANDLE output) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
    }
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("cannot start " + path);
    CloseHandle(info.hThread);
    FProcesses.emplace_back(info.hProcess);
    FIds.push_back(info.dwProcessId);
    return FProcesses.size() - 1;
}

size_t TSleeperProcesses::Start(const std::string& path) { return Launch(path, "", nullptr); }

size_t TSleeperProcesses::StartUnstoppable(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("cannot make a pipe");
    THandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);
    size_t index = Launch(path, "--unstoppable", writer.Get());
    writer.Reset();
    // Its first words come once the guard is up; an end of the pipe first means it failed.
    char said[16] = {};
    DWORD read = 0;
    if (!ReadFile(reader.Get(), said, sizeof said - 1, &read, nullptr) || std::string(said, read).rfind("unstoppable", 0) != 0)
        throw std::runtime_error(path + " --unstoppable did not guard itself");
    return index;
}

bool TSleeperProcesses::IsRunning(size_t index) const {
    return WaitForSingleObject(FProcesses.at(index).Get(), 0) == WAIT_TIMEOUT;
}

bool TSleeperProcesses::EndsWithin(size_t index, DWORD ms) const {
    return WaitForSingleObject(FProcesses.at(index).Get(), ms) == WAIT_OBJECT_0;
}
