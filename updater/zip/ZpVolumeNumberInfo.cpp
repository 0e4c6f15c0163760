// updater/zip/ZpVolumeNumberInfo.cpp -- comparing two volume positions
#include "ZpVolumeNumberInfo.h"

bool TZpVolumeNumberInfo::SameVolume(const TZpVolumeNumberInfo& other) const {
    if (IsLast() && other.IsLast()) return true;
    if (IsFirst() && other.IsFirst()) return true;
    if (VolumeNumber < 0) return Kind == other.Kind;
    return VolumeNumber == other.VolumeNumber;
}
