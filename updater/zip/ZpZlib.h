// updater/zip/ZpZlib.h -- the engine's binding to zlib: exceptions, checks, zlib headers, one-shot inflate
//
// Zip items hold raw deflate data, which zlib reads and writes as it stands with negative window bits
// (TZpInflater, TZpDeflater); the blocks of the engine's own block format are zlib streams, header and
// Adler-32 included (DecompressBuffer). The interface passed is "1.1.4" with the real sizeof(z_stream).
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

class EZlibError : public std::runtime_error {
public:
    EZlibError() : std::runtime_error("error") {}
};
class ECompressionError : public EZlibError {};
class EDecompressionError : public EZlibError {};

namespace zp::zlib {

extern const char* const Version;                       // "1.1.4"
int StreamRecordSize();                                 // sizeof(z_stream) of the linked zlib

int CompressionCheck(int result);                       // negative: ECompressionError
int DecompressionCheck(int result);                     // negative: EDecompressionError
void MadeHeader(int mode, uint8_t out[2]);              // the zlib header zlib would write at that level

// Inflates a zlib stream (header included) in one go. Output never exceeds maxOutput bytes;
// false on bad data or when more would come out. Never raises for bad data.
bool DecompressBuffer(const uint8_t* input, size_t inputLength, size_t estimate, size_t maxOutput,
                      std::vector<uint8_t>& output);
// As above; false at once for empty input or skip, and false for an empty result.
bool SafeDecompressBuffer(bool skip, const uint8_t* input, size_t inputLength, size_t maxOutput,
                          std::vector<uint8_t>& output);

} // namespace zp::zlib
