// updater/zip/ZpDirArray.h -- TDirItem and TZpDirArray: the in-memory central directory
#pragma once

#include "ZpFormat.h"
#include "ZpStream.h"
#include "ZpTypes.h"

#include <memory>
#include <string>
#include <vector>

struct TZpExtraField {
    uint16_t HeaderId = 0;
    uint16_t DataSize = 0;
    std::vector<uint8_t> Data;   // owned by the item
};

struct TDirItem {
    zp::TCentralHeader Header;               // the 46 bytes as read or to be written
    std::string Name;                        // stored name, "/" between parts
    std::string SecondName;                  // kept and copied with the item
    std::string Comment;
    std::vector<TZpExtraField> ExtraFields;
    bool Zip64 = false;                      // the 64-bit values below hold
    uint64_t UncompressedSize64 = 0;
    uint64_t CompressedSize64 = 0;
    uint64_t LocalHeaderOffset64 = 0;
    uint32_t DiskNumberStart32 = 0;
    bool NewItem = false;
    std::string Password;
    std::shared_ptr<TZpStream> Stream;       // data source or target; shared so that copies stay valid
    int64_t StreamStart = 0;                 // where the item's data begins in Stream
    bool OwnsStream = false;
    uint32_t WorkValue = 0;                  // 1: listed by the repair scan with unknown sizes or cut-off data
    bool Tag = false;                        // selected for the running operation
    std::string SourceFile;
    uint8_t CompressionMode = 0;
    uint8_t Operation = 0;                   // TZpProcessOperation
    bool Modified = false;                   // the commit writes new data for it

    // The values that count: the Zip64 ones where the short field holds all ones.
    uint64_t UncompressedSize() const;
    uint64_t CompressedSize() const;
    uint64_t LocalHeaderOffset() const;
    uint32_t DiskNumber() const;
    bool IsDirectory() const { return (Header.ExternalAttributes & faDirectory) != 0; }
};

class TZpDirArray {
public:
    static constexpr int InitialGrowthStep = 500;
    static constexpr int MaxGrowthStep = 10000;

    int Count() const { return FCount; }
    int Allocated() const { return static_cast<int>(FItems.size()); }
    void SetCount(int count);
    TDirItem GetItem(int index) const;             // code 2 outside 0 .. Count - 1
    void PutItem(int index, const TDirItem& item); // code 1
    TDirItem& ItemRef(int index);                  // code 3
    const TDirItem& operator[](int index) const;   // code 3
    void Delete(int index);                        // code 4
    void Assign(const TZpDirArray& other);
    void ClearTags();
    void Add(const TDirItem& item);

private:
    std::vector<TDirItem> FItems;                  // allocated slots; the first FCount are in use
    int FCount = 0;
    int FGrowthStep = InitialGrowthStep;
};
