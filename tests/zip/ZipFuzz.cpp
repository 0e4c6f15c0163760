// tests/zip/ZipFuzz.cpp -- libFuzzer target: open arbitrary bytes as an archive and extract them
//
// Each input is written to a scratch archive file and extracted whole into a scratch folder,
// which is emptied again afterwards. Failures are answered "ignore" so every item is tried;
// password questions skip; volume requests are cancelled by the headless UI.
#include "ZipArchiver.h"
#include "ZpException.h"
#include "ZpZlib.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path& ScratchRoot() {
    static const fs::path root = [] {
        fs::path p = fs::temp_directory_path() / ("sx-zip-fuzz-" + std::to_string(getpid()));
        fs::create_directories(p / "out");
        return p;
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path& root = ScratchRoot();
    fs::path archive = root / "input.zip";
    {
        std::ofstream f(archive, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    TZipArchiver zip;
    zip.Name = "zip";
    zip.FileName = archive.string();
    zip.BaseDir = (root / "out").string();
    zip.Password = "secret";
    zip.Options.FlushBuffers = false;   // fsync per item would make every run a disk round trip
    zip.OnProcessFileFailure = [](TZpBaseArchiver*, const std::string&, TZpProcessOperation, int, int,
                                  const std::string&, TZpAction& action) { action = fxaIgnore; };
    zip.OnPassword = [](TZpBaseArchiver*, const std::string&, std::string&, bool& skip) { skip = true; };
    try {
        zip.OpenArchive(fmOpenRead | fmShareDenyNone);
        (void)zip.Size();
        zip.ExtractFiles("*.*", 10431, "");
        zip.CloseArchive();
    } catch (const EZpException&) {
    } catch (const EZlibError&) {
    }
    std::error_code ec;
    for (auto& e : fs::directory_iterator(root / "out", ec)) {
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(e.path(), ec);
    }
    return 0;
}
