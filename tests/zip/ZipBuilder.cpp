// tests/zip/ZipBuilder.cpp -- local headers, central directory and end record, laid out by hand
#include "ZipBuilder.h"

#include "ZpChecksum.h"
#include "ZpDeflater.h"

namespace {

void Put16(std::string& s, uint16_t v) { s += static_cast<char>(v & 0xFF); s += static_cast<char>(v >> 8); }
void Put32(std::string& s, uint32_t v) { Put16(s, static_cast<uint16_t>(v)); Put16(s, static_cast<uint16_t>(v >> 16)); }

} // namespace

uint32_t TZipBuilder::Crc(const std::string& data) {
    return ~ZpUpdateCrc32(0xFFFFFFFFu, data.data(), static_cast<int64_t>(data.size()));
}

TZipBuilder::TEntry& TZipBuilder::Add(const std::string& name, const std::string& data) {
    TEntry e;
    e.Name = name;
    e.Data = data;
    e.Crc = Crc(data);
    FEntries.push_back(e);
    return FEntries.back();
}

TZipBuilder::TEntry& TZipBuilder::AddDeflated(const std::string& name, const std::string& plain) {
    TZpDeflater d(6);
    auto raw = d.Compress(reinterpret_cast<const uint8_t*>(plain.data()), plain.size(), true);
    TEntry& e = Add(name, std::string(raw.begin(), raw.end()));
    e.Method = 8;
    e.Crc = Crc(plain);
    e.UncompressedSize = static_cast<uint32_t>(plain.size());
    return e;
}

std::string TZipBuilder::Build() const {
    std::string zip, dir;
    for (const TEntry& e : FEntries) {
        uint32_t offset = static_cast<uint32_t>(zip.size());
        uint32_t usize = e.UncompressedSize == 0xFFFFFFFF ? static_cast<uint32_t>(e.Data.size()) : e.UncompressedSize;
        std::string common;
        Put16(common, e.VersionNeeded);
        Put16(common, e.Flags);
        Put16(common, e.Method);
        Put16(common, DosTime());
        Put16(common, DosDate());
        Put32(common, e.Crc);
        Put32(common, static_cast<uint32_t>(e.Data.size()));
        Put32(common, usize);
        Put16(common, static_cast<uint16_t>(e.Name.size()));
        Put32(zip, LocalSignature);
        zip += common;
        Put16(zip, 0);
        zip += e.Name + e.Data;
        Put32(dir, CentralSignature);
        Put16(dir, e.VersionNeeded);
        dir += common;
        Put16(dir, static_cast<uint16_t>(e.CentralExtra.size()));
        Put16(dir, static_cast<uint16_t>(e.Comment.size()));
        Put16(dir, 0);
        Put16(dir, 0);
        Put32(dir, e.ExternalAttributes);
        Put32(dir, offset);
        dir += e.Name + e.CentralExtra + e.Comment;
    }
    uint32_t dirOffset = static_cast<uint32_t>(zip.size());
    zip += dir;
    Put32(zip, EndSignature);
    Put16(zip, 0);
    Put16(zip, 0);
    Put16(zip, static_cast<uint16_t>(FEntries.size()));
    Put16(zip, static_cast<uint16_t>(FEntries.size()));
    Put32(zip, static_cast<uint32_t>(dir.size()));
    Put32(zip, dirOffset);
    Put16(zip, static_cast<uint16_t>(ArchiveComment.size()));
    return Prefix + zip + ArchiveComment;
}
