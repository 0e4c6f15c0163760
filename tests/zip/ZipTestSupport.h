// tests/zip/ZipTestSupport.h -- fixture archives, per-test scratch folders and file comparisons
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zt {

namespace fs = std::filesystem;

fs::path DataPath(const std::string& relative);          // below the generated fixture folder
std::string Data(const std::string& relative);           // the same as an engine path
std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, const std::string& bytes);
void RemoveTree(const fs::path& path);                   // read-only files included

// The input tree every peer archive was made from, as relative file names.
const std::vector<std::string>& SourceFiles();

// The native error of the EZpException a call raises; 0 when it raises none.
int NativeError(const std::function<void()>& call);

// A path as the host's own programs see it (under Wine: the Unix path behind Z:).
std::string HostPath(const fs::path& path);
// Runs a line of the host's shell (Info-ZIP, 7-Zip, cmp), from the native build or from under Wine;
// answers its exit status, its output in *output when asked.
int RunHost(const std::string& command, std::string* output = nullptr);

// A fresh folder per test below the build tree, removed again when the test ends.
class TScratch {
public:
    TScratch();
    ~TScratch();
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;
    const fs::path& Path() const { return FPath; }
    std::string Dir() const { return FPath.string(); }
    std::string operator/(const std::string& relative) const { return (FPath / relative).string(); }

private:
    fs::path FPath;
};

} // namespace zt
