// updater/zip/ZpDeflater.cpp -- sync-flushed blocks, finish on the last, raw deflate (negative window bits)
#include "ZpDeflater.h"

#include "ZpZlib.h"
#include "ZpZlibStream.h"

struct TZpDeflater::TState {
    z_stream Stream;
};

TZpDeflater::TZpDeflater(int mode) : FState(new TState) {
    zp::zlib::internal::PrepareStream(FState->Stream);
    // Negative window bits: zlib writes raw deflate, with no header, no trailer and no Adler-32 to compute.
    zp::zlib::CompressionCheck(deflateInit2_(&FState->Stream, mode, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY,
                                             zp::zlib::Version, zp::zlib::StreamRecordSize()));
}

TZpDeflater::~TZpDeflater() { deflateEnd(&FState->Stream); }

std::vector<uint8_t> TZpDeflater::Compress(const uint8_t* data, size_t length, bool last) {
    z_stream& s = FState->Stream;
    size_t room = (length + length / 10 + 12 + 255) / 256 * 256;
    std::vector<uint8_t> out(room);
    s.next_in = const_cast<Bytef*>(data);
    s.avail_in = static_cast<uInt>(length);
    size_t produced = 0;
    int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    for (;;) {
        s.next_out = out.data() + produced;
        s.avail_out = static_cast<uInt>(out.size() - produced);
        int r = zp::zlib::CompressionCheck(deflate(&s, flush));
        produced = out.size() - s.avail_out;
        if (last ? r == Z_STREAM_END : (s.avail_in == 0 && s.avail_out != 0)) break;
        out.resize(out.size() + 256);
    }
    out.resize(produced);
    return out;
}
