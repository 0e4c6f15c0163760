// updater/zip/ZpStream.h -- TZpStream: the engine's only view of storage, and TZpMemoryStream
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TZpStream {
public:
    virtual ~TZpStream() = default;
    virtual size_t Read(void* buffer, size_t count) = 0;         // fewer than count: end of data or a read error
    // Why the last Read came short: the system's error code of a failed read, 0 at the end of data.
    virtual int ReadError() const { return 0; }
    virtual size_t Write(const void* buffer, size_t count) = 0;  // fewer than count: the write failed
    virtual void Seek(int64_t position) = 0;                     // absolute; past the end is allowed
    virtual int64_t Position() const = 0;
    virtual int64_t Size() const = 0;
    virtual bool SetSize(int64_t size) = 0;                       // cuts or extends; the position stays
    virtual bool Flush() { return true; }                        // to the disk, where there is one

    void ReadBuffer(void* buffer, size_t count);                 // throws EZpException 48 on a short read
    void WriteBuffer(const void* buffer, size_t count);          // throws EZpException 46 on a short write
    void Skip(int64_t count) { Seek(Position() + count); }
};

class TZpMemoryStream : public TZpStream {
public:
    TZpMemoryStream() = default;
    explicit TZpMemoryStream(std::vector<uint8_t> data) : FData(std::move(data)) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    void Seek(int64_t position) override { FPosition = position < 0 ? 0 : position; }
    int64_t Position() const override { return FPosition; }
    int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
    bool SetSize(int64_t size) override;
    const std::vector<uint8_t>& Data() const { return FData; }

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};
