// controls/UiFileVersion.cpp
#include "UiFileVersion.h"

#include <vector>

#include "desktop/LateBinding.h"

namespace {

// The version-resource DLL, bound at the first look at a file's version (desktop/LateBinding.h).
struct TVersionApi {
    template <class F>
    static F* Bind(const char* name) noexcept { return BindLate<F>("version.dll", name); }
    decltype(GetFileVersionInfoSizeA)* InfoSize = Bind<decltype(GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA");
    decltype(GetFileVersionInfoA)* Info = Bind<decltype(GetFileVersionInfoA)>("GetFileVersionInfoA");
    decltype(VerQueryValueA)* Query = Bind<decltype(VerQueryValueA)>("VerQueryValueA");
    bool Complete() const noexcept { return InfoSize && Info && Query; }
};

const TVersionApi& VersionApi() {
    static const TVersionApi api;
    return api;
}

} // namespace

std::string ModuleLocation(HMODULE module) {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(module, buffer, sizeof(buffer));
    return std::string(buffer, n);
}

bool ReadFixedFileVersion(const std::string& fileName, VS_FIXEDFILEINFO& infoOut) {
    const TVersionApi& api = VersionApi();
    if (!api.Complete()) return false;
    DWORD handle = 0;
    DWORD size = api.InfoSize(fileName.c_str(), &handle);
    if (size == 0) return false;
    std::vector<unsigned char> data(size);
    if (!api.Info(fileName.c_str(), 0, size, data.data())) return false;
    void* block = nullptr;
    UINT length = 0;
    char root[] = "\\";
    if (!api.Query(data.data(), root, &block, &length) || length != sizeof(VS_FIXEDFILEINFO)) return false;
    infoOut = *static_cast<VS_FIXEDFILEINFO*>(block);
    return true;
}
