// updater/zip/ZpPlatformLimits.cpp -- the emulated full disk, shared by both platform implementations
#include "ZpPlatform.h"

#include <atomic>

namespace zp::platform {

namespace {
std::atomic<int64_t> gDiskSpace{-1};   // -1: no limit
}

void LimitDiskSpace(int64_t bytes) { gDiskSpace = bytes < 0 ? -1 : bytes; }

int64_t DiskSpaceLeft(int64_t reported) {
    int64_t limit = gDiskSpace;
    if (limit < 0) return reported;
    return reported < 0 || reported > limit ? limit : reported;
}

size_t TakeDiskSpace(size_t count) {
    int64_t left = gDiskSpace.load();
    for (;;) {
        if (left < 0) return count;
        size_t granted = static_cast<uint64_t>(left) < count ? static_cast<size_t>(left) : count;
        if (gDiskSpace.compare_exchange_weak(left, left - static_cast<int64_t>(granted))) return granted;
    }
}

} // namespace zp::platform
