// bench/zip/ZipBench.cpp -- zip_bench ARCHIVE [SCRATCH]: extraction time of our engine against Info-ZIP's unzip -qo
//
// Both extract the same archive into fresh folders beside each other; the best of three runs counts.
// The engine is linked without sanitizers (sxzip_bench) so the times compare like with like.
#include "ZipArchiver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

double Seconds(const std::chrono::steady_clock::time_point& since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double OursOnce(const std::string& archive, const fs::path& out) {
    fs::remove_all(out);
    fs::create_directories(out);
    auto start = std::chrono::steady_clock::now();
    TZipArchiver zip;
    zip.FileName = archive;
    zip.BaseDir = out.string();
    zip.Options.FlushBuffers = false;   // unzip does not fsync either
    zip.OpenArchive(2);
    zip.ExtractFiles("*.*", 10431, "");
    zip.CloseArchive();
    double took = Seconds(start);
    // A failed item would end the loop early and make the engine look fast.
    if (zip.FilesProcessed() != zip.FilesTotal() || zip.FilesTotal() == 0) {
        std::fprintf(stderr, "only %d of %d items extracted\n", zip.FilesProcessed(), zip.FilesTotal());
        std::exit(1);
    }
    return took;
}

double UnzipOnce(const std::string& archive, const fs::path& out) {
    fs::remove_all(out);
    fs::create_directories(out);
    std::string command = "unzip -qo '" + archive + "' -d '" + out.string() + "'";
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "unzip failed\n");
    return Seconds(start);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zip_bench ARCHIVE [SCRATCH]\n");
        return 2;
    }
    std::string archive = fs::absolute(argv[1]).string();
    fs::path scratch = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "sx-zip-bench";
    double ours = 1e9, theirs = 1e9;
    for (int run = 0; run < 3; ++run) {
        ours = std::min(ours, OursOnce(archive, scratch / "ours"));
        theirs = std::min(theirs, UnzipOnce(archive, scratch / "unzip"));
    }
    fs::remove_all(scratch);
    std::printf("zip: extraction, best of three: ours %.3f s, unzip -qo %.3f s, ratio %.2f (goal: at most 1.00)\n", ours,
                theirs, ours / theirs);
    return 0;
}
