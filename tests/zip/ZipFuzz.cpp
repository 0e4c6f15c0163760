// tests/zip/ZipFuzz.cpp -- libFuzzer target: open arbitrary bytes as an archive, extract it, change it
//
// Each input is written to a scratch archive file and extracted whole into a scratch folder,
// which is emptied again afterwards. Failures are answered "ignore" so every item is tried;
// password questions skip; volume requests are cancelled by the headless UI. Then the same
// archive has its first item deleted and a new one added, is committed and tested again; and the
// input itself, stored in a new in-memory archive, must come back byte for byte.
#include "ZipArchiver.h"
#include "ZpException.h"
#include "ZpZlib.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
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

void Quiet(TZipArchiver& zip) {
    zip.Name = "zip";
    zip.Password = "secret";
    zip.Options.FlushBuffers = false;   // fsync per item would make every run a disk round trip
    zip.OnProcessFileFailure = [](TZpBaseArchiver*, const std::string&, TZpProcessOperation, int, int,
                                  const std::string&, TZpAction& action) { action = fxaIgnore; };
    zip.OnPassword = [](TZpBaseArchiver*, const std::string&, std::string&, bool& skip) { skip = true; };
}

std::shared_ptr<TZpMemoryStream> StreamOf(const uint8_t* data, size_t size) {
    return std::make_shared<TZpMemoryStream>(std::vector<uint8_t>(data, data + size));
}

// Deletes the first item, adds one, commits, and tests what the commit wrote.
void ChangeArchive(const fs::path& archive, const uint8_t* data, size_t size) {
    TZipArchiver zip;
    Quiet(zip);
    zip.FileName = archive.string();
    zip.TempDir = archive.parent_path().string();
    try {
        zip.OpenArchive(2);
        zip.BeginUpdate();
        if (zip.ItemCount() > 0) zip.DeleteItem(0);
        zip.AddFromStream("added.bin", StreamOf(data, size < 512 ? size : 512));
        zip.EndUpdate();
        zip.CloseArchive();
        zip.OpenArchive(2);
        zip.TestFiles("*.*");
        zip.CloseArchive();
    } catch (const EZpException&) {
    } catch (const EZlibError&) {
    }
}

// The input itself as an item of a new in-memory archive: it must read back unchanged.
void RoundTrip(const uint8_t* data, size_t size) {
    TZipArchiver zip;
    Quiet(zip);
    zip.SetInMemory(true);
    zip.OpenArchive(fmCreate);
    zip.SetCompressionMode(size > 0 ? data[0] % 10 : 1);
    zip.Password = size > 1 && (data[1] & 1) ? "pw" : "";
    zip.AddFromStream("input.bin", StreamOf(data, size));
    TZpMemoryStream out;
    zip.DecompressItem(0, out);
    if (out.Data().size() != size || (size && std::memcmp(out.Data().data(), data, size) != 0)) std::abort();
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
    Quiet(zip);
    zip.FileName = archive.string();
    zip.BaseDir = (root / "out").string();
    try {
        zip.OpenArchive(fmOpenRead | fmShareDenyNone);
        (void)zip.Size();
        zip.ExtractFiles("*.*", 10431, "");
        zip.CloseArchive();
    } catch (const EZpException&) {
    } catch (const EZlibError&) {
    }
    ChangeArchive(archive, data, size);
    RoundTrip(data, size);
    std::error_code ec;
    for (auto& e : fs::directory_iterator(root, ec))
        if (e.path().filename().string().rfind("FC", 0) == 0) std::abort();   // a commit left its file behind
    for (auto& e : fs::directory_iterator(root / "out", ec)) {
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(e.path(), ec);
    }
    return 0;
}
