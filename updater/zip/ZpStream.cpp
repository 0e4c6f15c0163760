// updater/zip/ZpStream.cpp -- checked reads and writes, and the memory stream
#include "ZpStream.h"

#include "ZpException.h"

#include <cstring>

void TZpStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EZpException(zp::err::ArchiveDamaged, nullptr);
}

void TZpStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EZpException(zp::err::WriteFailed, nullptr);
}

size_t TZpMemoryStream::Read(void* buffer, size_t count) {
    int64_t size = Size();
    if (FPosition >= size) return 0;
    size_t n = static_cast<size_t>(size - FPosition) < count ? static_cast<size_t>(size - FPosition) : count;
    std::memcpy(buffer, FData.data() + FPosition, n);
    FPosition += static_cast<int64_t>(n);
    return n;
}

size_t TZpMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    size_t end = static_cast<size_t>(FPosition) + count;
    if (end > FData.size()) FData.resize(end);
    std::memcpy(FData.data() + FPosition, buffer, count);
    FPosition += static_cast<int64_t>(count);
    return count;
}

bool TZpMemoryStream::SetSize(int64_t size) {
    if (size < 0) return false;
    FData.resize(static_cast<size_t>(size));
    return true;
}
