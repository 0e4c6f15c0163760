// updater/zip/ZpDeflater.h -- TZpDeflater: one item's source to raw deflate data through zlib's deflate
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TZpDeflater {
public:
    explicit TZpDeflater(int mode);   // mode 0 .. 9 is the zlib level; throws ECompressionError
    ~TZpDeflater();
    TZpDeflater(const TZpDeflater&) = delete;
    TZpDeflater& operator=(const TZpDeflater&) = delete;

    // One block of the source, as raw deflate data.
    std::vector<uint8_t> Compress(const uint8_t* data, size_t length, bool last);

private:
    struct TState;
    std::unique_ptr<TState> FState;
};
