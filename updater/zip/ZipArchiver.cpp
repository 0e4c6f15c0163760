// updater/zip/ZipArchiver.cpp -- standard signatures, no Zip64 unless asked
#include "ZipArchiver.h"

TZipArchiver::TZipArchiver() {
    FZipSignatures = true;
    Zip64Mode = zmDisabled;
    UpdateDefaultMethod();
}

void TZipArchiver::UpdateDefaultMethod() { FDefaultMethod = CompressionMode() > 0 ? 8 : 0; }
