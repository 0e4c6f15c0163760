// tests/zip/ZipTestSupport.cpp -- fixture and scratch helpers
#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

TScratch::TScratch() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
    FPath = fs::path(SX_ZIP_SCRATCH) / name;
    RemoveTree(FPath);
    fs::create_directories(FPath);
}

TScratch::~TScratch() { RemoveTree(FPath); }

} // namespace zt
