// updater/zip/ZpVolumeNumberInfo.h -- TZpVolumeNumberInfo: which volume of a multi-volume archive is meant
#pragma once

#include <cstdint>

class TZpVolumeNumberInfo {
public:
    enum TKind { vkFirst = 0, vkLast = 1, vkCustom = 2, vkUndetermined = 3 };

    void Reset() { Kind = vkUndetermined; VolumeNumber = -1; LastVolumeNumber = -1; }
    bool IsFirst() const { return VolumeNumber == 0; }
    void SetFirst(bool value) { if (value) { VolumeNumber = 0; Kind = vkFirst; } }
    bool IsLast() const { return LastVolumeNumber < 0 ? Kind == vkLast : VolumeNumber == LastVolumeNumber; }
    void SetLast(bool value) { if (value) { VolumeNumber = LastVolumeNumber; Kind = vkLast; } }
    void SetNumber(int32_t number) { Kind = vkCustom; VolumeNumber = number; }
    bool SameVolume(const TZpVolumeNumberInfo& other) const;

    TKind Kind = vkUndetermined;
    int32_t VolumeNumber = -1;        // -1: not set
    int32_t LastVolumeNumber = -1;    // -1: not set
};
