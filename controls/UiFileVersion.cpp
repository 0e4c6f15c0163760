// controls/UiFileVersion.cpp
#include "UiFileVersion.h"

#include <vector>

std::string ModuleLocation(HMODULE module) {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(module, buffer, sizeof(buffer));
    return std::string(buffer, n);
}

bool ReadFixedFileVersion(const std::string& fileName, VS_FIXEDFILEINFO& infoOut) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0) return false;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return false;
    void* block = nullptr;
    UINT length = 0;
    char root[] = "\\";
    if (!VerQueryValueA(data.data(), root, &block, &length) || length != sizeof(VS_FIXEDFILEINFO)) return false;
    infoOut = *static_cast<VS_FIXEDFILEINFO*>(block);
    return true;
}
