// bench/zip/ZipFloor.cpp -- zip_floor ARCHIVE OUTDIR: the floor of extraction, what no extractor can beat
//
// One thread does only what extraction cannot leave out: per item, read its data, inflate it (raw
// deflate, zlib), run zlib's CRC-32 over the output and write it to its file. No checks beyond the
// CRC, no temporary files, no attributes or times. Reads plain archives of Info-ZIP zip (no Zip64,
// no encryption), as the benchmark makes them.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

uint32_t Le16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

bool ReadAt(int fd, void* buffer, size_t count, off_t at) {
    return pread(fd, buffer, count, at) == static_cast<ssize_t>(count);
}

// The folders above path; those of the item before are there already (items come folder by folder).
void MakeParents(const std::string& path, std::string& lastFolder) {
    std::string folder = path.substr(0, path.rfind('/'));
    if (folder == lastFolder) return;
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
    lastFolder = folder;
}

int Fail(const char* what, const std::string& name) {
    std::fprintf(stderr, "zip_floor: %s %s\n", what, name.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zip_floor ARCHIVE OUTDIR\n");
        return 2;
    }
    int fd = open(argv[1], O_RDONLY);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0 || st.st_size < 22) return Fail("cannot read", argv[1]);
    std::string out = std::string(argv[2]) + "/";
    // The end record, without an archive comment (zip writes none here).
    uint8_t end[22];
    if (!ReadAt(fd, end, sizeof end, st.st_size - 22) || Le32(end) != 0x06054B50) return Fail("no end record in", argv[1]);
    std::vector<uint8_t> dir(Le32(end + 12));
    if (!ReadAt(fd, dir.data(), dir.size(), Le32(end + 16))) return Fail("cannot read the directory of", argv[1]);

    std::vector<uint8_t> in, piece(256 * 1024);
    std::string lastFolder;
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return Fail("no inflate for", argv[1]);
    for (size_t at = 0; at + 46 <= dir.size();) {
        const uint8_t* c = dir.data() + at;
        uint32_t method = Le16(c + 10), crc = Le32(c + 16), packed = Le32(c + 20);
        size_t nameLength = Le16(c + 28);
        std::string name(reinterpret_cast<const char*>(c + 46), nameLength);
        off_t local = Le32(c + 42);
        at += 46 + nameLength + Le16(c + 30) + Le16(c + 32);
        std::string path = out + name;
        MakeParents(path, lastFolder);
        if (!name.empty() && name.back() == '/') continue;
        uint8_t header[30];
        if (!ReadAt(fd, header, sizeof header, local)) return Fail("cannot read", name);
        in.resize(packed);
        if (!ReadAt(fd, in.data(), in.size(), local + 30 + Le16(header + 26) + Le16(header + 28)))
            return Fail("cannot read", name);
        int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0) return Fail("cannot create", path);
        uLong check = crc32(0, nullptr, 0);
        auto put = [&](const uint8_t* data, size_t n) {
            check = crc32(check, data, static_cast<uInt>(n));
            return write(file, data, n) == static_cast<ssize_t>(n);
        };
        bool ok = true;
        if (method == 0) {
            ok = put(in.data(), in.size());
        } else {
            inflateReset(&z);
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(in.size());
            int r = Z_OK;
            while (ok && r != Z_STREAM_END) {
                z.next_out = piece.data();
                z.avail_out = static_cast<uInt>(piece.size());
                r = inflate(&z, Z_NO_FLUSH);
                if (r != Z_OK && r != Z_STREAM_END) ok = false;
                else ok = put(piece.data(), piece.size() - z.avail_out);
            }
        }
        close(file);
        if (!ok || check != crc) return Fail("bad data in", name);
    }
    inflateEnd(&z);
    close(fd);
    return 0;
}
