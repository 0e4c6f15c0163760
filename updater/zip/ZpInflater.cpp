// updater/zip/ZpInflater.cpp -- stream inflate of raw deflate data (zlib with negative window bits)
#include "ZpInflater.h"

#include "ZpZlib.h"
#include "ZpZlibStream.h"

#include <vector>

struct TZpInflater::TState {
    z_stream Stream;
    std::vector<uint8_t> Piece;
};

TZpInflater::TZpInflater(uint64_t outputLimit) : FState(new TState), FLimit(outputLimit) {
    zp::zlib::internal::PrepareStream(FState->Stream);
    // Negative window bits: raw deflate, no zlib header expected and no Adler-32 computed.
    zp::zlib::DecompressionCheck(
        inflateInit2_(&FState->Stream, -MAX_WBITS, zp::zlib::Version, zp::zlib::StreamRecordSize()));
    FState->Piece.resize(static_cast<size_t>(outputLimit + 1 < PieceSize ? outputLimit + 1 : PieceSize));
}

TZpInflater::~TZpInflater() { inflateEnd(&FState->Stream); }

bool TZpInflater::Feed(const uint8_t* data, size_t length, const TSink& sink) {
    z_stream& s = FState->Stream;
    // Bytes after the last block are not deflate data; the size and CRC tests judge the item.
    if (FEnded) return true;
    s.next_in = const_cast<Bytef*>(data);
    s.avail_in = static_cast<uInt>(length);
    // Go on while input is left or the last piece came out full: zlib may owe output for input it
    // already took, so an empty input alone does not mean the chunk is done.
    for (;;) {
        s.next_out = FState->Piece.data();
        s.avail_out = static_cast<uInt>(FState->Piece.size());
        int r = inflate(&s, Z_NO_FLUSH);
        size_t produced = FState->Piece.size() - s.avail_out;
        if (r < 0 && r != Z_BUF_ERROR) return false;
        if (produced) {
            FTotalOut += produced;
            if (FTotalOut > FLimit) return false;
            if (!sink(FState->Piece.data(), produced)) return false;
        }
        if (r == Z_STREAM_END) {
            FEnded = true;
            return true;
        }
        if (s.avail_in == 0 && s.avail_out != 0) return true;
        if (r == Z_BUF_ERROR && produced == 0) return s.avail_in == 0;
    }
}
