// shell/sxFileStorage.h -- TsxCustomFileStorage and TsxFileStorage: a file's bytes carried inside a
// window description and written out again; EsxFileStorage, their failure
//
// The description holds the bytes as the property "FileData": the 32-bit little-endian size,
// then exactly that many bytes. With AutoSave the embedded file is written to SaveName when the
// window is created. A file is written whole or not at all: the bytes go to a temporary file
// beside the target, which replaces the target only once complete.
#pragma once
#include <string>
#include <vector>

#include "desktop/Component.h"
#include "desktop/Events.h"
#include "desktop/SysUtils.h"

class EsxFileStorage : public Exception {
public:
    using Exception::Exception;
};

using TsxFileStorageOnFileOperation = TBoundMethod<void(TObject* sender, bool successful)>;
using TsxFileStorageOnConfirmOverride = TBoundMethod<void(TObject* sender, bool& overrideFile)>;

class TsxCustomFileStorage : public TComponent {
public:
    explicit TsxCustomFileStorage(TComponent* owner) : TComponent(owner) {}

    const std::vector<unsigned char>& Data() const noexcept { return FData; }
    virtual unsigned DataSize() const { return static_cast<unsigned>(FData.size()); }
    virtual void SetDataSize(unsigned) {}        // the size follows the data
    const std::string& FileName() const noexcept { return FFileName; }
    virtual void SetFileName(const std::string& value);   // while designing it loads the file at once

    // Missing file: false, OnLoad(false). A file that cannot be read: OnLoad(false), then
    // EsxFileStorage; the data is then empty, never half a file.
    virtual bool LoadFromFile(const std::string& name);
    // An existing file is replaced only when OnConfirmOverride agrees (false, OnSave(false)
    // otherwise). A file that cannot be written: OnSave(false), then EsxFileStorage; an existing
    // file then keeps its old content.
    virtual bool SaveToFile(const std::string& name);
    virtual bool Load() { return LoadFromFile(FFileName); }
    virtual bool Save() { return SaveToFile(FSaveName); }
    // The "FileData" property: reading it throws EsxFileStorage when the size does not match the bytes.
    virtual void ReadData(const std::vector<unsigned char>& stored);
    virtual std::vector<unsigned char> WriteData() const;
    virtual void Clear();
    void Loaded() override;                      // AutoSave: Save

protected:
    const std::string& SaveName() const noexcept { return FSaveName; }
    void SetSaveName(const std::string& value);  // while designing, a bad name turns AutoSave off
    bool AutoSave() const noexcept { return FAutoSave; }
    virtual void SetAutoSave(bool value);        // while designing, only with a valid SaveName
    const TsxFileStorageOnFileOperation& OnLoad() const noexcept { return FOnLoad; }
    void SetOnLoad(const TsxFileStorageOnFileOperation& value) { FOnLoad = value; }
    const TsxFileStorageOnFileOperation& OnSave() const noexcept { return FOnSave; }
    void SetOnSave(const TsxFileStorageOnFileOperation& value) { FOnSave = value; }
    const TsxFileStorageOnConfirmOverride& OnConfirmOverride() const noexcept { return FOnConfirmOverride; }
    void SetOnConfirmOverride(const TsxFileStorageOnConfirmOverride& value) { FOnConfirmOverride = value; }
    void StoreFileName(const std::string& value) { FFileName = value; }   // no loading, whatever the mode
    // Every change of the bytes passes here, so a descendant can let go of them first.
    virtual void ReplaceData(std::vector<unsigned char> data) { FData = std::move(data); }

private:
    std::vector<unsigned char> FData;
    std::string FFileName;
    std::string FSaveName;
    bool FAutoSave = false;
    TsxFileStorageOnFileOperation FOnLoad;
    TsxFileStorageOnFileOperation FOnSave;
    TsxFileStorageOnConfirmOverride FOnConfirmOverride;
};

class TsxFileStorage : public TsxCustomFileStorage {
public:
    using TsxCustomFileStorage::TsxCustomFileStorage;
    using TsxCustomFileStorage::SaveName;
    using TsxCustomFileStorage::SetSaveName;
    using TsxCustomFileStorage::AutoSave;
    using TsxCustomFileStorage::SetAutoSave;
    using TsxCustomFileStorage::OnLoad;
    using TsxCustomFileStorage::SetOnLoad;
    using TsxCustomFileStorage::OnSave;
    using TsxCustomFileStorage::SetOnSave;
    using TsxCustomFileStorage::OnConfirmOverride;
    using TsxCustomFileStorage::SetOnConfirmOverride;
};

// Registers TsxCustomFileStorage for window descriptions.
void RegisterCustomFileStorageClass();

// Registers TsxFileStorage; its base comes first.
void RegisterFileStorageClass();
