// updater/zip/ZpDirArray.cpp -- growth, copies and deletion of directory items
#include "ZpDirArray.h"

#include "ZpException.h"

uint64_t TDirItem::UncompressedSize() const {
    return Header.UncompressedSize == 0xFFFFFFFFu && Zip64 ? UncompressedSize64 : Header.UncompressedSize;
}

uint64_t TDirItem::CompressedSize() const {
    return Header.CompressedSize == 0xFFFFFFFFu && Zip64 ? CompressedSize64 : Header.CompressedSize;
}

uint64_t TDirItem::LocalHeaderOffset() const {
    return Header.LocalHeaderOffset == 0xFFFFFFFFu && Zip64 ? LocalHeaderOffset64 : Header.LocalHeaderOffset;
}

uint32_t TDirItem::DiskNumber() const {
    return Header.DiskNumberStart == 0xFFFFu && Zip64 ? DiskNumberStart32 : Header.DiskNumberStart;
}

void TZpDirArray::SetCount(int count) {
    if (count < 0) count = 0;
    if (count > Allocated()) {
        FGrowthStep = FGrowthStep * 2 > MaxGrowthStep ? MaxGrowthStep : FGrowthStep * 2;
        int grown = Allocated() + FGrowthStep;
        FItems.resize(static_cast<size_t>(count > grown ? count : grown));
    }
    if (count == 0) {
        FItems.clear();
        FItems.shrink_to_fit();
    } else {
        // Slots beyond the count stay allocated for reuse, but hold nothing.
        for (int i = count; i < FCount; ++i) FItems[static_cast<size_t>(i)] = TDirItem();
    }
    FCount = count;
}

TDirItem TZpDirArray::GetItem(int index) const {
    if (index < 0 || index >= FCount) throw EZpException(zp::err::DirItemReadIndex, nullptr);
    return FItems[static_cast<size_t>(index)];
}

void TZpDirArray::PutItem(int index, const TDirItem& item) {
    if (index < 0 || index >= FCount) throw EZpException(zp::err::DirItemWriteIndex, nullptr);
    FItems[static_cast<size_t>(index)] = item;
}

TDirItem& TZpDirArray::ItemRef(int index) {
    if (index < 0 || index >= FCount) throw EZpException(zp::err::DirItemAccessIndex, nullptr);
    return FItems[static_cast<size_t>(index)];
}

const TDirItem& TZpDirArray::operator[](int index) const {
    if (index < 0 || index >= FCount) throw EZpException(zp::err::DirItemAccessIndex, nullptr);
    return FItems[static_cast<size_t>(index)];
}

void TZpDirArray::Delete(int index) {
    if (index < 0 || index >= FCount) throw EZpException(zp::err::DirItemDeleteIndex, nullptr);
    FItems.erase(FItems.begin() + index);
    FItems.emplace_back();
    --FCount;
}

void TZpDirArray::Assign(const TZpDirArray& other) {
    SetCount(other.FCount);
    for (int i = 0; i < FCount; ++i) FItems[static_cast<size_t>(i)] = other.FItems[static_cast<size_t>(i)];
}

void TZpDirArray::ClearTags() {
    for (int i = 0; i < FCount; ++i) FItems[static_cast<size_t>(i)].Tag = false;
}

void TZpDirArray::Add(const TDirItem& item) {
    SetCount(FCount + 1);
    FItems[static_cast<size_t>(FCount - 1)] = item;
}
