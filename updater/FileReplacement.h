// updater/FileReplacement.h -- TFileReplacement: decoded files put in place all together or not at all
//
// Each staged file waits in a temporary file beside its target. Commit moves every target
// aside (a running program's or a loaded library's file can be renamed, not overwritten),
// moves the new file in, and on any failure puts back, in reverse order, what it had already
// replaced. The copies moved aside go once the whole set is in; a copy still in use stays
// under its aside name until RemoveUpdateLeftovers at the next start, or the next restart.
#pragma once
#include <string>
#include <vector>

#include "updater/zip/ZpStagedItem.h"

// "update.exe" aside is "update.exe.sxold" ("update.exe.sxold1" ... when that name is taken).
inline constexpr char AsideSuffix[] = ".sxold";

class TFileReplacement {
public:
    explicit TFileReplacement(std::vector<TZpStagedItem> staged);
    ~TFileReplacement();                   // removes the temporary files not put in place
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // True: every target holds its new file. False: every target is as it was before, and
    // failedTargetOut names the first one that could not be replaced.
    bool Commit(std::string& failedTargetOut);
    void Discard();                        // removes every temporary file; no target is touched

private:
    struct TStep {
        TZpStagedItem Item;
        std::string AsidePath;             // empty: the target did not exist
        bool InPlace = false;
    };
    bool Replace(TStep& step);             // false: nothing of this step is left changed
    void PutBack(TStep& step);
    static void RemoveAsideCopy(const std::string& path);

    std::vector<TStep> FSteps;
};

// Removes from folder (not from folders below it) what an update that ended early may have
// left: download and extraction temporary files, and copies moved aside (a copy whose target
// is missing is put back instead, as it is then the only one).
void RemoveUpdateLeftovers(const std::string& folder);
