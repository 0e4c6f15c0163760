// controls/RichTextModule.cpp
#include "RichTextModule.h"

#include "desktop/SysUtils.h"

namespace {

// The module's state; touched by the program's start-up and end only, on its main thread.
int gStarts = 0;
TRichEditLibrary gLibrary;
TRichTextClipboardFormats gFormats;

// A module handle below 32 was an error code of the 16-bit loader; it counts as none.
constexpr UINT_PTR FirstModuleHandle = 32;

class TNoOpenFileErrorBox {
public:
    TNoOpenFileErrorBox() : FSaved(SetErrorMode(SEM_NOOPENFILEERRORBOX)) {}
    ~TNoOpenFileErrorBox() { SetErrorMode(FSaved); }
    TNoOpenFileErrorBox(const TNoOpenFileErrorBox&) = delete;
    TNoOpenFileErrorBox& operator=(const TNoOpenFileErrorBox&) = delete;
private:
    UINT FSaved;
};

HMODULE Load(const char* name) {
    TNoOpenFileErrorBox quiet;
    HMODULE module = LoadLibraryA(name);
    if (reinterpret_cast<UINT_PTR>(module) < FirstModuleHandle) return nullptr;
    return module;
}

bool IsNt5OrLater() {
    return OsVersion().dwPlatformId == VER_PLATFORM_WIN32_NT && OsVersion().dwMajorVersion > 4;
}

} // namespace

TRichEditLibrary LoadRichEditLibrary(const char* secondVersionName, const char* firstVersionName) {
    TRichEditLibrary library;
    library.Module = Load(secondVersionName);
    if (library.Module) {
        library.Version = IsNt5OrLater() ? 3 : 2;
        return library;
    }
    library.Module = Load(firstVersionName);
    return library;
}

void StartRichTextModule() {
    if (gStarts++ > 0) return;
    gLibrary = LoadRichEditLibrary("RICHED20.DLL", "RICHED32.DLL");
    gFormats.EmbeddedObject = RegisterClipboardFormatA("Embedded Object");
    gFormats.LinkSource = RegisterClipboardFormatA("Link Source");
    gFormats.RichText = RegisterClipboardFormatA("Rich Text Format");
    gFormats.RichTextWithoutObjects = RegisterClipboardFormatA("Rich Text Format Without Objects");
}

void StopRichTextModule() {
    if (gStarts == 0 || --gStarts > 0) return;
    if (gLibrary.Module) FreeLibrary(gLibrary.Module);
    gLibrary.Module = nullptr;
}

int RichEditVersion() { return gLibrary.Version; }
HMODULE RichEditModule() { return gLibrary.Module; }
const TRichTextClipboardFormats& RichTextClipboardFormats() { return gFormats; }
