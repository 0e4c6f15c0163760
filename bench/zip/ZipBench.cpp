// bench/zip/ZipBench.cpp -- zip_bench LABEL ARCHIVE SCRATCH FLOOR: extraction time of our engine against
// Info-ZIP's unzip -qo and against the floor (zip_floor: inflate, CRC-32 and write, nothing else)
//
// All extract the same archive into fresh folders beside each other; the best of three runs counts.
// The engine is linked without sanitizers (sxzip_bench) so the times compare like with like.
#include "ZipArchiver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

double Seconds(const std::chrono::steady_clock::time_point& since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A fresh, empty folder, with the removal of the last run's tree on the disk before any timing starts.
void FreshFolder(const fs::path& out) {
    fs::remove_all(out);
    fs::create_directories(out);
    sync();
}

double OursOnce(const std::string& archive, const fs::path& out) {
    FreshFolder(out);
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

double ProgramOnce(const std::string& command, const fs::path& out) {
    FreshFolder(out);
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return Seconds(start);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: zip_bench LABEL ARCHIVE SCRATCH FLOOR\n");
        return 2;
    }
    std::string label = argv[1];
    std::string archive = fs::absolute(argv[2]).string();
    fs::path scratch = argv[3];
    std::string floorProgram = fs::absolute(argv[4]).string();
    fs::path oursOut = scratch / "ours", unzipOut = scratch / "unzip", floorOut = scratch / "floor";
    std::string unzip = "unzip -qo '" + archive + "' -d '" + unzipOut.string() + "'";
    std::string floor = "'" + floorProgram + "' '" + archive + "' '" + floorOut.string() + "'";
    double ours = 1e9, theirs = 1e9, least = 1e9;
    for (int run = 0; run < 3; ++run) {
        ours = std::min(ours, OursOnce(archive, oursOut));
        theirs = std::min(theirs, ProgramOnce(unzip, unzipOut));
        least = std::min(least, ProgramOnce(floor, floorOut));
    }
    fs::remove_all(scratch);
    std::printf("zip %s: extraction, best of three: ours %.3f s, unzip -qo %.3f s, zlib floor %.3f s; "
                "ours/unzip %.2f (goal: at most 1.00), ours/floor %.2f (goal: at most 1.05)\n",
                label.c_str(), ours, theirs, least, ours / theirs, ours / least);
    return 0;
}
