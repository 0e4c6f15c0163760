// updater/zip/ZpInflater.cpp -- stream inflate of raw deflate data behind a made zlib header
#include "ZpInflater.h"

#include "ZpZlib.h"
#include "ZpZlibStream.h"

#include <cstring>
#include <vector>

struct TZpInflater::TState {
    z_stream Stream;
    std::vector<uint8_t> Piece;
};

TZpInflater::TZpInflater(uint64_t outputLimit) : FState(new TState), FLimit(outputLimit) {
    zp::zlib::internal::PrepareStream(FState->Stream);
    zp::zlib::DecompressionCheck(inflateInit_(&FState->Stream, zp::zlib::Version, zp::zlib::StreamRecordSize()));
    FState->Piece.resize(static_cast<size_t>(outputLimit + 1 < PieceSize ? outputLimit + 1 : PieceSize));
}

TZpInflater::~TZpInflater() { inflateEnd(&FState->Stream); }

bool TZpInflater::Feed(const uint8_t* data, size_t length, const TSink& sink) {
    z_stream& s = FState->Stream;
    // zlib expects its own two-byte header; raw zip data has none, so one is made (level 1's).
    uint8_t header[2] = {0x78, 0x01};
    if (!FHeaderSent) {
        s.next_in = header;
        s.avail_in = 2;
        s.next_out = FState->Piece.data();
        s.avail_out = static_cast<uInt>(FState->Piece.size());
        if (inflate(&s, Z_NO_FLUSH) < 0 && s.avail_in != 0) return false;
        FHeaderSent = true;
    }
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
        // Raw data has no Adler-32 trailer; bytes after the last block would be read as one.
        bool checkOnly = r == Z_DATA_ERROR && s.msg && std::strcmp(s.msg, "incorrect data check") == 0;
        if (r < 0 && r != Z_BUF_ERROR && !checkOnly) return false;
        if (produced) {
            FTotalOut += produced;
            if (FTotalOut > FLimit) return false;
            if (!sink(FState->Piece.data(), produced)) return false;
        }
        if (r == Z_STREAM_END || checkOnly) {
            FEnded = true;
            return true;
        }
        if (s.avail_in == 0 && s.avail_out != 0) return true;
        if (r == Z_BUF_ERROR && produced == 0) return s.avail_in == 0;
    }
}
