// updater/zip/ZpOptions.h -- TZpOptions: extraction and search options of an archiver
#pragma once

#include "ZpTypes.h"

class TZpOptions {
public:
    TZpOptions& operator=(const TZpOptions&) = default;   // every property is copied

    TZpStorePathMode StorePath = spRelativePath;
    bool Recurse = true;
    TZpFileShareMode ShareMode = smShareDenyNone;
    TZpOverwriteMode OverwriteMode = omAlways;
    bool CreateDirs = true;
    bool ReplaceReadOnly = true;
    bool SetAttributes = true;
    int16_t SearchAttr = 10431;   // 0x28BF: every attribute bit a search tests
    bool FlushBuffers = true;
    bool OEMFileNames = true;
};

// The open share flags of a share mode (smShareCompat 0 ... smShareDenyNone 64).
uint16_t ZpShareModeFlags(TZpFileShareMode mode);
