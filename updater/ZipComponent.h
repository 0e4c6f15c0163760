// updater/ZipComponent.h -- TZipComponent: the portable zip engine placed on a window
//
// Registered for descriptions as "TZipArchiver": the description sets the archiver's options
// by their names, and the engine's default dialogs become message boxes over our window.
// This header leaves the engine's headers out: their clNone (a compression level) and the
// desktop's clNone (a colour) cannot meet in one file, so windows use the calls below.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "desktop/Component.h"
#include "updater/zip/ZpStagedItem.h"

class TZipArchiver;
class TZipMessageUi;

class TZipComponent : public TComponent {
public:
    explicit TZipComponent(TComponent* owner);
    ~TZipComponent() override;

    TZipArchiver& Archiver() noexcept { return *FArchiver; }   // the whole engine, for whoever includes it
    void SetName(const std::string& name) override;            // also the prefix of the engine's error messages

    // What the updater does with an archive, in its order.
    void SetFileName(const std::string& value);
    void OpenArchive(uint16_t mode);        // throws EZpException
    void SetBaseDir(const std::string& value);
    int64_t Size() const;                   // of the open archive
    int ItemCount() const;
    // True when the archive had no central directory and its items were listed from their
    // local headers: a cut-off or damaged file, which may lack items.
    bool DirectoryRepaired() const;
    void ExtractFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask);
    // As ExtractFiles, but no target is replaced: the items that decoded whole come back in
    // their temporary files beside their targets (an exception leaves none behind).
    std::vector<TZpStagedItem> ExtractStaged(const std::string& fileMask, int16_t searchAttr,
                                             const std::string& exclusionMask);
    void CloseArchive();                    // never raises
    // True when the last operation went through every item it found: none failed, none aborted.
    bool AllItemsProcessed() const;

private:
    std::unique_ptr<TZipMessageUi> FUi;
    std::unique_ptr<TZipArchiver> FArchiver;   // after FUi: it borrows it until it goes
};

void RegisterZipComponentClass();   // "TZipArchiver"; registers the desktop classes first
