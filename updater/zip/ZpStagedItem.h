// updater/zip/ZpStagedItem.h -- TZpStagedItem: an extracted item held back in its temporary file
#pragma once
#include <cstdint>
#include <string>

// Decoded, sized and CRC-checked, waiting beside its target for the caller to put it in place.
struct TZpStagedItem {
    std::string TempPath;        // the decoded item, time stamp already set
    std::string Target;          // where it belongs
    uint32_t Attributes = 0;     // to set once in place; 0: leave the new file's own
};
