// updater/zip/ZpSpanningOptions.h -- TZpSpanningOptions: volume naming and size limits
#pragma once

#include "ZpTypes.h"

class TZpVolumeNumberInfo;

class TZpSpanningOptions {
public:
    TZpSpanningOptions& operator=(const TZpSpanningOptions&) = default;   // all five values

    bool AdvancedNaming = true;
    int64_t FirstVolumeSize = 0;         // 0: as the other volumes
    TZpVolumeSize VolumeSize = vsAutoDetect;

    int64_t CustomVolumeSize() const { return FCustomVolumeSize; }
    void SetCustomVolumeSize(int64_t value) { FCustomVolumeSize = value < MinCustomVolumeSize ? MinCustomVolumeSize : value; }
    int64_t VolumeSizeFor(const TZpVolumeNumberInfo& volume) const;   // -1: no fixed size

    static constexpr int64_t MinCustomVolumeSize = 65536;
    bool SaveFreeSpace = false;          // kept with the options, not published

private:
    int64_t FCustomVolumeSize = 0;
};
