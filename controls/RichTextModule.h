// controls/RichTextModule.h -- the rich-text module: at program start-up it loads the system's
// rich-edit library and registers the rich-text clipboard formats; at the end it frees the library
#pragma once
#include <windows.h>

struct TRichTextClipboardFormats {
    UINT EmbeddedObject = 0;                      // "Embedded Object"
    UINT LinkSource = 0;                          // "Link Source"
    UINT RichText = 0;                            // "Rich Text Format"
    UINT RichTextWithoutObjects = 0;              // "Rich Text Format Without Objects"
};

// What one attempt to load found: the library (owned by whoever keeps it) and its version,
// 1 for the first library or none, 2 for the second, 3 for the second on NT 5 and later.
struct TRichEditLibrary {
    HMODULE Module = nullptr;
    int Version = 1;
};

// Tries secondVersionName, then firstVersionName, with no error box for a missing file; the
// error mode is the caller's again afterwards. Nothing loaded: no module, version 1.
TRichEditLibrary LoadRichEditLibrary(const char* secondVersionName, const char* firstVersionName);

// Counted: the first start loads "RICHED20.DLL" (else "RICHED32.DLL") and registers the formats;
// the last stop frees the library. Nothing is reported when neither library is there.
void StartRichTextModule();
void StopRichTextModule();
int RichEditVersion();
HMODULE RichEditModule();                         // null when no library is loaded
const TRichTextClipboardFormats& RichTextClipboardFormats();

// The module's life in a program body: started before any window, stopped after the last.
class TRichTextModuleScope {
public:
    TRichTextModuleScope() { StartRichTextModule(); }
    ~TRichTextModuleScope() { StopRichTextModule(); }
    TRichTextModuleScope(const TRichTextModuleScope&) = delete;
    TRichTextModuleScope& operator=(const TRichTextModuleScope&) = delete;
};
