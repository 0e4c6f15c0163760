// updater/zip/ZpHeadlessUi.h -- TZpHeadlessUi: the answers of dialogs closed without a choice
//
// Used when no UI is attached: no overwrite, no password (the item is skipped), abort on a
// failure, cancel on a volume request.
#pragma once

#include "ZpUi.h"

class TZpHeadlessUi : public TZpUi {
public:
    TOverwriteAnswer AskOverwrite(const std::string&) override { return oaClosed; }
    bool AskPassword(const std::string&, const std::string&, std::string&) override { return false; }
    TFailureAnswer AskFailure(const std::string&) override { return faAbort; }
    bool AskOkCancel(const std::string&) override { return false; }
};
