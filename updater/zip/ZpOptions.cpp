// updater/zip/ZpOptions.cpp -- share-mode mapping of TZpOptions
#include "ZpOptions.h"

uint16_t ZpShareModeFlags(TZpFileShareMode mode) {
    static const uint16_t flags[5] = {0, 16, 32, 48, 64};
    unsigned i = static_cast<unsigned>(mode);
    return i < 5 ? flags[i] : 64;
}
