// updater/zip/ZipArchiver.h -- TZipArchiver: the archiver with the standard zip signatures
#pragma once

#include "ZpBaseArchiver.h"

class TZipArchiver : public TZpBaseArchiver {
public:
    TZipArchiver();

protected:
    void UpdateDefaultMethod() override;   // deflate, or stored at mode 0
};
