// tests/zip/ZipTestSupport.cpp -- fixture and scratch helpers
#include "ZipTestSupport.h"

#include "ZpException.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace zt {

fs::path DataPath(const std::string& relative) { return fs::path(SX_ZIP_DATA) / relative; }

std::string Data(const std::string& relative) { return DataPath(relative).string(); }

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RemoveTree(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return;
    for (auto& e : fs::recursive_directory_iterator(path, ec))
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path, ec);
}

const std::vector<std::string>& SourceFiles() {
    static const std::vector<std::string> files = {"hello.txt", "empty.txt", "readonly.txt", "sub/data.bin",
                                                   "sub/deep/text.txt"};
    return files;
}

int NativeError(const std::function<void()>& call) {
    try {
        call();
    } catch (const EZpException& e) {
        return e.NativeCode();
    }
    return 0;
}

std::string HostPath(const fs::path& path) {
    std::string s = path.string();
    if (s.size() >= 2 && (s[0] == 'Z' || s[0] == 'z') && s[1] == ':') s.erase(0, 2);
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

int RunHost(const std::string& command, std::string* output) {
    static int serial = 0;
    fs::path base = fs::path(SX_ZIP_SCRATCH) / ("host-" + std::to_string(++serial));
    fs::create_directories(base.parent_path());
    std::string out = HostPath(base.string() + ".out"), rc = HostPath(base.string() + ".rc");
    std::string line = "(" + command + ") > '" + out + "' 2>&1; echo $? > '" + rc + "'";
#ifdef _WIN32
    // Wine starts a Unix program named by its Unix path; the exit status comes back through a file.
    std::string cmd = "/bin/sh -c \"" + line + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Should the Unix side outlive the handle, its status file shows when it is done.
    for (int i = 0; i < 1200 && !fs::exists(base.string() + ".rc"); ++i) Sleep(50);
#else
    if (std::system(line.c_str()) == -1) return -1;
#endif
    fs::path rcFile = base.string() + ".rc", outFile = base.string() + ".out";
    int status = -1;
    std::string text = ReadFile(rcFile);
    if (!text.empty()) status = std::atoi(text.c_str());
    if (output) *output = ReadFile(outFile);
    std::error_code ec;
    fs::remove(rcFile, ec);
    fs::remove(outFile, ec);
    return status;
}

TScratch::TScratch() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
    FPath = fs::path(SX_ZIP_SCRATCH) / name;
    RemoveTree(FPath);
    fs::create_directories(FPath);
}

TScratch::~TScratch() { RemoveTree(FPath); }

} // namespace zt
