// updater/zip/ZpUi.h -- TZpUi: the archiver's default dialogs, shown by whoever hosts the engine
//
// The archiver composes every text; an implementation only shows it and returns the button.
// The updater implements this with message boxes; with none attached, TZpHeadlessUi answers.
#pragma once

#include <string>

class TZpUi {
public:
    enum TOverwriteAnswer { oaYes, oaNo, oaNoToAll, oaYesToAll, oaClosed };
    enum TFailureAnswer { faAbort, faRetry, faIgnore };

    virtual ~TZpUi() = default;
    // Question with Yes, No, No to All, Yes to All.
    virtual TOverwriteAnswer AskOverwrite(const std::string& text) = 0;
    // Input box pre-filled with password; false: cancelled.
    virtual bool AskPassword(const std::string& caption, const std::string& prompt, std::string& password) = 0;
    // Question with Abort, Retry, Ignore.
    virtual TFailureAnswer AskFailure(const std::string& text) = 0;
    // Question with OK and Cancel (volume requests, disk full); false: Cancel or closed.
    virtual bool AskOkCancel(const std::string& text) = 0;
};
