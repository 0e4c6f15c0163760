// updater/zip/ZpInflater.h -- TZpInflater: raw deflate data of one item through zlib's inflate
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class TZpInflater {
public:
    using TSink = std::function<bool(const uint8_t* data, size_t length)>;   // false: the write failed

    // outputLimit: the item's size; an item that inflates to more is bad. Throws EDecompressionError.
    explicit TZpInflater(uint64_t outputLimit);
    ~TZpInflater();
    TZpInflater(const TZpInflater&) = delete;
    TZpInflater& operator=(const TZpInflater&) = delete;

    // Inflates one chunk, handing the output on in fixed pieces; false: bad data, too much output, or the sink failed.
    bool Feed(const uint8_t* data, size_t length, const TSink& sink);
    bool Ended() const { return FEnded; }
    uint64_t TotalOut() const { return FTotalOut; }

    static constexpr size_t PieceSize = 256 * 1024;

private:
    struct TState;
    std::unique_ptr<TState> FState;
    uint64_t FLimit;
    uint64_t FTotalOut = 0;
    bool FEnded = false;
};
