// updater/zip/ZpZlib.cpp -- memory hooks, checks and the one-shot decompression
#include "ZpZlib.h"

#include "ZpZlibStream.h"

#include <cstdlib>
#include <cstring>

namespace zp::zlib {

const char* const Version = "1.1.4";

int StreamRecordSize() { return static_cast<int>(sizeof(z_stream)); }

int CompressionCheck(int result) {
    if (result < 0) throw ECompressionError();
    return result;
}

int DecompressionCheck(int result) {
    if (result < 0) throw EDecompressionError();
    return result;
}

void MadeHeader(int mode, uint8_t out[2]) {
    out[0] = 0x78;
    switch (mode) {
    case 0: case 7: case 8: case 9: out[1] = 0xDA; break;
    case 1: case 2: out[1] = 0x01; break;
    case 3: case 4: out[1] = 0x5E; break;
    case 5: case 6: out[1] = 0x9C; break;
    default: out[0] = 0; out[1] = 0; break;
    }
}

namespace internal {

voidpf Allocate(voidpf, uInt items, uInt size) { return std::calloc(items, size); }
void Release(voidpf, voidpf block) { std::free(block); }

void PrepareStream(z_stream& s) {
    std::memset(&s, 0, sizeof s);
    s.zalloc = Allocate;
    s.zfree = Release;
}

} // namespace internal

bool DecompressBuffer(const uint8_t* input, size_t inputLength, size_t estimate, size_t maxOutput,
                      std::vector<uint8_t>& output) {
    output.clear();
    size_t step = (inputLength + 255) / 256 * 256;
    if (step == 0) step = 256;
    if (estimate == 0) estimate = step;
    if (estimate > maxOutput) estimate = maxOutput;
    z_stream s;
    internal::PrepareStream(s);
    if (inflateInit_(&s, Version, StreamRecordSize()) != Z_OK) return false;
    output.resize(estimate);
    s.next_in = const_cast<Bytef*>(input);
    s.avail_in = static_cast<uInt>(inputLength);
    size_t produced = 0;
    bool ok = false;
    for (;;) {
        if (produced == output.size()) {
            if (output.size() >= maxOutput) break;   // more would come out than the caller allows
            output.resize(output.size() + step > maxOutput ? maxOutput : output.size() + step);
        }
        s.next_out = output.data() + produced;
        s.avail_out = static_cast<uInt>(output.size() - produced);
        int r = inflate(&s, Z_NO_FLUSH);
        produced = output.size() - s.avail_out;
        if (r == Z_STREAM_END) {
            ok = true;
            break;
        }
        if (r < 0 && !(r == Z_BUF_ERROR && s.avail_out == 0)) break;
    }
    if (inflateEnd(&s) < 0) ok = false;
    if (!ok) {
        output.clear();
        return false;
    }
    output.resize(produced);
    return true;
}

bool SafeDecompressBuffer(bool skip, const uint8_t* input, size_t inputLength, size_t maxOutput,
                          std::vector<uint8_t>& output) {
    output.clear();
    if (inputLength == 0 || skip) return false;
    try {
        if (!DecompressBuffer(input, inputLength, 0, maxOutput, output)) return false;
    } catch (...) {
        output.clear();
        return false;
    }
    return !output.empty();
}

} // namespace zp::zlib
