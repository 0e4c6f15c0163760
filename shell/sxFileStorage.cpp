// shell/sxFileStorage.cpp -- TsxCustomFileStorage
#include "shell/sxFileStorage.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "desktop/Handle.h"
#include "shell/sxSysUtils.h"
#include "desktop/Classes.h"

namespace {

constexpr size_t SizeFieldBytes = 4;

// The whole file; false when it cannot be opened or read whole, or does not fit 32 bits.
bool ReadWholeFile(const std::string& name, std::vector<unsigned char>& dataOut) {
    THandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid()) return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    if (high != 0) return false;
    std::vector<unsigned char> data(size);
    DWORD done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), data.data() + done, size - done, &got, nullptr) || got == 0) return false;
        done += got;
    }
    dataOut = std::move(data);
    return true;
}

bool WriteAll(HANDLE file, const std::vector<unsigned char>& data) {
    size_t done = 0;
    while (done < data.size()) {
        DWORD wrote = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
        if (!WriteFile(file, data.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

// Writes data to a temporary file in name's folder and moves it over name only once it is
// complete: a full disk or a refused target leaves an existing file as it was.
bool ReplaceFileWith(const std::string& name, const std::vector<unsigned char>& data) {
    char full[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;
    // The target must be one we may write. Checked here, as the move does not: Wine's MoveFileExA
    // replaces even a read-only file, and a Wine run as root opens one for writing.
    DWORD attributes = GetFileAttributesA(full);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    if (FileExists(full)) {
        THandle target(CreateFileA(full, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
        if (!target.IsValid()) return false;
    }
    std::string folder = ExtractPathPart(full);
    char temp[MAX_PATH] = {};
    // GetTempFileNameA creates the file, so the temporary name is ours alone.
    if (!GetTempFileNameA(folder.c_str(), "sx", 0, temp)) return false;
    bool written = false;
    {
        THandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file.IsValid() && WriteAll(file.Get(), data) && FlushFileBuffers(file.Get());
        if (file.IsValid() && !CloseHandle(file.Release())) written = false;
    }
    if (written && MoveFileExA(temp, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temp);
    return false;
}

} // namespace

void TsxCustomFileStorage::SetFileName(const std::string& value) {
    FFileName = value;
    if (IsDesigning()) LoadFromFile(FFileName);
}

void TsxCustomFileStorage::SetSaveName(const std::string& value) {
    if (value == FSaveName) return;
    FSaveName = value;
    if (IsDesigning() && !IsValidFileName(FSaveName)) SetAutoSave(false);
}

void TsxCustomFileStorage::SetAutoSave(bool value) {
    if (value && IsDesigning() && !IsValidFileName(FSaveName)) {
        MessageBoxA(GetActiveWindow(), "AutoSave can not be set because the SaveName property contains a wrong file name",
                    "Warning", MB_OK | MB_ICONWARNING);
        value = false;
    }
    FAutoSave = value;
}

void TsxCustomFileStorage::Clear() { ReplaceData({}); }

bool TsxCustomFileStorage::LoadFromFile(const std::string& name) {
    Clear();
    if (!FileExists(name)) {
        if (FOnLoad) FOnLoad(this, false);
        return false;
    }
    std::vector<unsigned char> data;
    bool read = false;
    try {
        read = ReadWholeFile(name, data);
    } catch (const std::bad_alloc&) {
        read = false;
    }
    if (!read) {
        if (FOnLoad) FOnLoad(this, false);
        throw EsxFileStorage(Format("Can not load data from the \"%s\" file", name.c_str()));
    }
    ReplaceData(std::move(data));
    if (FOnLoad) FOnLoad(this, true);
    return true;
}

bool TsxCustomFileStorage::SaveToFile(const std::string& name) {
    if (FileExists(name)) {
        bool overrideFile = true;
        if (FOnConfirmOverride) FOnConfirmOverride(this, overrideFile);
        if (!overrideFile) {
            if (FOnSave) FOnSave(this, false);
            return false;
        }
    }
    if (name.empty() || !ReplaceFileWith(name, FData)) {
        if (FOnSave) FOnSave(this, false);
        throw EsxFileStorage(Format("Can not save data to the \"%s\" file", name.c_str()));
    }
    if (FOnSave) FOnSave(this, true);
    return true;
}

void TsxCustomFileStorage::ReadData(const std::vector<unsigned char>& stored) {
    // The size field must describe exactly the bytes that follow: anything else is a damaged description.
    if (stored.size() < SizeFieldBytes)
        throw EsxFileStorage("FileData is damaged: the size is missing");
    size_t size = static_cast<size_t>(stored[0]) | static_cast<size_t>(stored[1]) << 8 |
                  static_cast<size_t>(stored[2]) << 16 | static_cast<size_t>(stored[3]) << 24;
    if (size != stored.size() - SizeFieldBytes)
        throw EsxFileStorage(Format("FileData is damaged: it announces %u bytes and holds %u", static_cast<unsigned>(size),
                                    static_cast<unsigned>(stored.size() - SizeFieldBytes)));
    ReplaceData(std::vector<unsigned char>(stored.begin() + SizeFieldBytes, stored.end()));
}

std::vector<unsigned char> TsxCustomFileStorage::WriteData() const {
    std::vector<unsigned char> stored;
    stored.reserve(SizeFieldBytes + FData.size());
    unsigned size = DataSize();
    for (int shift = 0; shift < 32; shift += 8) stored.push_back(static_cast<unsigned char>(size >> shift));
    stored.insert(stored.end(), FData.begin(), FData.end());
    return stored;
}

void TsxCustomFileStorage::Loaded() {
    TComponent::Loaded();
    if (FAutoSave && !IsDesigning()) Save();
}

void RegisterCustomFileStorageClass() {
    TClassRegistration<TsxCustomFileStorage>("TsxCustomFileStorage", "TComponent", true)
        .Ignore("About")
        .Ignore("DataSize")   // follows the data
        .Custom("FileData", [](TsxCustomFileStorage& storage, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
            try {
                storage.ReadData(v.Data);
            } catch (const EsxFileStorage& e) {
                throw EDescriptionError(ctx.Where + ": " + e.Message());
            }
        });
}

void RegisterFileStorageClass() {
    TClassRegistration<TsxFileStorage>("TsxFileStorage", "TsxCustomFileStorage")
        .String("SaveName", &TsxFileStorage::SetSaveName)
        .String("FileName", &TsxFileStorage::SetFileName)
        .Bool("AutoSave", &TsxFileStorage::SetAutoSave)
        .Event<TsxFileStorageOnFileOperation>("OnLoad", &TsxFileStorage::SetOnLoad)
        .Event<TsxFileStorageOnFileOperation>("OnSave", &TsxFileStorage::SetOnSave)
        .Event<TsxFileStorageOnConfirmOverride>("OnConfirmOverride", &TsxFileStorage::SetOnConfirmOverride);
}
