// updater/zip/ZpSpanningOptions.cpp -- size limit of a volume
#include "ZpSpanningOptions.h"

#include "ZpVolumeNumberInfo.h"

int64_t TZpSpanningOptions::VolumeSizeFor(const TZpVolumeNumberInfo& volume) const {
    if (volume.VolumeNumber == 0 && FirstVolumeSize > 0) return FirstVolumeSize;
    switch (VolumeSize) {
    case vsAutoDetect: return -1;
    case vsCustom: return FCustomVolumeSize;
    case vs1_44MB: return 1457664;
    case vs100MB: return 104857600;
    case vs200MB: return 209715200;
    case vs250MB: return 262144000;
    case vs600MB: return 629145600;
    case vs650MB: return 681574400;
    case vs700MB: return 734003200;
    }
    return -1;
}
