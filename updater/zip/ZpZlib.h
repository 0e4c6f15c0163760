// updater/zip/ZpZlib.h -- the engine's binding to zlib: exceptions, checks, made headers, one-shot inflate
//
// Zip items hold raw deflate data; the engine speaks zlib's stream form at the "1.1.4" interface
// (the record size passed is the real sizeof(z_stream) of the zlib linked) and converts at the edges.
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
