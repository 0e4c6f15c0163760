// updater/zip/ZpArchiveItem.h -- TZpArchiveItem: the search record of FindFirst and FindNext
#pragma once

#include <cstdint>
#include <string>

struct TZpArchiveItem {
    std::string FileName;          // "\" separators, file-name part only ("a/" gives "a")
    std::string StoragePath;       // folder part with a trailing "\", empty at the top level
    int64_t CompressedSize = 0;
    int64_t UncompressedSize = 0;
    double CompressionRate = 0;    // percent
    bool Encrypted = false;
    uint16_t LastModFileTime = 0;
    uint16_t LastModFileDate = 0;
    uint32_t CRC = 0;
    uint32_t ExternalFileAttributes = 0;
    std::string Comment;

    // The running search.
    int32_t ItemIndex = 0;
    std::string Mask;              // at most 260 characters
    bool HasWildcards = false;
    uint32_t SearchAttr = 0;
    std::string ExclusionMask;
    bool UseMaskLists = false;
};
