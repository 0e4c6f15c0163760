// updater/ZipMessageUi.h -- TZipMessageUi: the zip engine's dialogs as the updater's message boxes
#pragma once
#include <string>

#include "updater/zip/ZpUi.h"

class TZipMessageUi : public TZpUi {
public:
    // "Confirm" box with Yes, No, No to All, Yes to All; closing it counts as No.
    TOverwriteAnswer AskOverwrite(const std::string& text) override;
    // No input box in this program, and its archives carry no encrypted items: the item is skipped.
    bool AskPassword(const std::string& caption, const std::string& prompt, std::string& password) override;
    TFailureAnswer AskFailure(const std::string& text) override;   // Abort, Retry, Ignore
    bool AskOkCancel(const std::string& text) override;
};
