// updater/ZipComponent.cpp -- the zip engine as a component of the updater's window
#include "updater/ZipComponent.h"

#include "desktop/Classes.h"
#include "updater/FileReplacement.h"
#include "updater/ZipMessageUi.h"
#include "updater/zip/ZipArchiver.h"

TZipComponent::TZipComponent(TComponent* owner)
    : TComponent(owner), FUi(std::make_unique<TZipMessageUi>()), FArchiver(std::make_unique<TZipArchiver>()) {
    FArchiver->Ui = FUi.get();
}

TZipComponent::~TZipComponent() = default;

void TZipComponent::SetName(const std::string& name) {
    TComponent::SetName(name);
    FArchiver->Name = name;
}

void TZipComponent::SetFileName(const std::string& value) { FArchiver->FileName = value; }
void TZipComponent::OpenArchive(uint16_t mode) { FArchiver->OpenArchive(mode); }
void TZipComponent::SetBaseDir(const std::string& value) { FArchiver->BaseDir = value; }
int64_t TZipComponent::Size() const { return FArchiver->Size(); }
int TZipComponent::ItemCount() const { return FArchiver->ItemCount(); }

bool TZipComponent::DirectoryRepaired() const {
    return FArchiver->Directory() != nullptr && FArchiver->Directory()->Repaired();
}

void TZipComponent::ExtractFiles(const std::string& fileMask, int16_t searchAttr, const std::string& exclusionMask) {
    FArchiver->ExtractFiles(fileMask, searchAttr, exclusionMask);
}

std::vector<TZpStagedItem> TZipComponent::ExtractStaged(const std::string& fileMask, int16_t searchAttr,
                                                        const std::string& exclusionMask) {
    FArchiver->StageExtractedItems = true;
    try {
        FArchiver->ExtractFiles(fileMask, searchAttr, exclusionMask);
    } catch (...) {
        FArchiver->StageExtractedItems = false;
        TFileReplacement(FArchiver->TakeStagedItems()).Discard();
        throw;
    }
    FArchiver->StageExtractedItems = false;
    return FArchiver->TakeStagedItems();
}

void TZipComponent::CloseArchive() { FArchiver->CloseArchive(); }

bool TZipComponent::AllItemsProcessed() const {
    // An item that failed is not counted, whether the user ignored it or aborted the loop.
    return !FArchiver->Cancelled() && FArchiver->FilesProcessed() == FArchiver->FilesTotal();
}

namespace {

// One of the enumeration's names, as the description writes it.
template <class E, size_t N>
E EnumValue(const std::pair<const char*, E> (&names)[N], const TPropValue& value, const TLoadContext& ctx) {
    for (const auto& [name, e] : names)
        if (SameTextAscii(name, value.AsIdent())) return e;
    throw EDescriptionError(ctx.Where + ": unknown value " + value.AsIdent());
}

const std::pair<const char*, TZpOverwriteMode> OverwriteModes[] = {
    {"omPrompt", omPrompt}, {"omAlways", omAlways}, {"omNever", omNever}, {"omIfNewer", omIfNewer}, {"omIfOlder", omIfOlder}};
const std::pair<const char*, TZpSpanningMode> SpanningModes[] = {
    {"smNone", smNone}, {"smSpanning", smSpanning}, {"smSplitting", smSplitting}};
const std::pair<const char*, TZip64Mode> Zip64Modes[] = {{"zmDisabled", zmDisabled}, {"zmAuto", zmAuto}, {"zmAlways", zmAlways}};

} // namespace

void RegisterZipComponentClass() {
    RegisterDesktopClasses();
    TClassRegistration<TZipComponent>("TZipArchiver", "TComponent")
        .Custom("Options.OverwriteMode",
                [](TZipComponent& c, const TPropValue& v, TLoadContext& ctx) {
                    c.Archiver().Options.OverwriteMode = EnumValue(OverwriteModes, v, ctx);
                })
        .Custom("Options.OEMFileNames",
                [](TZipComponent& c, const TPropValue& v, TLoadContext&) { c.Archiver().Options.OEMFileNames = v.AsBool(); })
        .Custom("Options.FlushBuffers",
                [](TZipComponent& c, const TPropValue& v, TLoadContext&) { c.Archiver().Options.FlushBuffers = v.AsBool(); })
        .Custom("ExtractCorruptedFiles",
                [](TZipComponent& c, const TPropValue& v, TLoadContext&) { c.Archiver().ExtractCorruptedFiles = v.AsBool(); })
        .Custom("SpanningMode",
                [](TZipComponent& c, const TPropValue& v, TLoadContext& ctx) {
                    c.Archiver().SetSpanningMode(EnumValue(SpanningModes, v, ctx));
                })
        .Custom("Zip64Mode",
                [](TZipComponent& c, const TPropValue& v, TLoadContext& ctx) {
                    c.Archiver().Zip64Mode = EnumValue(Zip64Modes, v, ctx);
                })
        .String("FileName", &TZipComponent::SetFileName)
        .String("BaseDir", &TZipComponent::SetBaseDir);
}
