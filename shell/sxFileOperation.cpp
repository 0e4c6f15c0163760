// shell/sxFileOperation.cpp -- TsxFileOperation over SHFileOperationA
#include "shell/sxFileOperation.h"

#include <shellapi.h>

#include "desktop/Controls.h"
#include "shell/sxSysUtils.h"
#include "desktop/Classes.h"

namespace {

// SHFileOperationA's answer when a wildcard matched nothing: not worth an error event.
constexpr int NoMoreFilesResult = ERROR_NO_MORE_FILES;

UINT ShellFunction(TsxFileOperationType operation) {
    switch (operation) {
    case fotCopy: return FO_COPY;
    case fotDelete: return FO_DELETE;
    case fotMove: return FO_MOVE;
    case fotRename: return FO_RENAME;
    }
    return FO_COPY;
}

FILEOP_FLAGS ShellFlags(TsxFileOperationFlags options) {
    static const struct { TsxFileOperationFlag Flag; FILEOP_FLAGS Shell; } map[] = {
        {fofAllowUndo, FOF_ALLOWUNDO}, {fofFilesOnly, FOF_FILESONLY},
        {fofNoConfirmation, FOF_NOCONFIRMATION}, {fofNoConfirmMkDir, FOF_NOCONFIRMMKDIR},
        {fofNoErrorUI, FOF_NOERRORUI}, {fofRenameCollision, FOF_RENAMEONCOLLISION},
        {fofSilent, FOF_SILENT}, {fofSimpleProgress, FOF_SIMPLEPROGRESS},
    };
    FILEOP_FLAGS flags = 0;
    for (const auto& m : map)
        if (options & m.Flag) flags |= m.Shell;
    return flags;
}

struct TShellLists {
    std::vector<std::string> Sources;
    std::vector<std::string> Destinations;   // one per source; empty unless pairs
    bool Pairs = false;
};

// A relative destination is taken against DestFolder; with no DestFolder it stays relative, so
// ApplyNameMask puts it beside its source rather than in the root of the current drive.
std::string PairDestination(const std::string& source, const std::string& destination, const std::string& destFolder) {
    std::string mask = Trim(destFolder).empty() ? destination : MakeAbsolutePath(destFolder, destination);
    return ApplyNameMask(source, mask);
}

TShellLists SplitFileList(const TStringList& list, const std::string& destFolder) {
    TShellLists lists;
    for (int i = 0; i < list.Count(); ++i)
        if (list[i].find('=') != std::string::npos) lists.Pairs = true;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& line = list[i];
        size_t equals = line.find('=');
        std::string source = lists.Pairs ? line.substr(0, equals) : line;
        // A line without a source has nothing to act on; in pairs mode its destination goes with it.
        if (source.empty()) continue;
        lists.Sources.push_back(source);
        if (lists.Pairs) {
            std::string destination = equals == std::string::npos ? std::string() : line.substr(equals + 1);
            lists.Destinations.push_back(PairDestination(source, destination, destFolder));
        }
    }
    return lists;
}

} // namespace

std::string ShellNameList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        if (name.empty()) continue;
        list += name;
        list += '\0';
    }
    list += '\0';
    return list;
}

void TsxFileOperation::SetFileListLines(const std::vector<std::string>& lines) {
    FFileList.Clear();
    for (const std::string& line : lines) FFileList.Add(line);
}

bool TsxFileOperation::ExecuteOperation(TsxFileOperationType operation) {
    TShellLists lists = SplitFileList(FFileList, FDestFolder);
    if (lists.Sources.empty()) return true;

    std::string from = ShellNameList(lists.Sources);
    std::string to = lists.Pairs ? ShellNameList(lists.Destinations) : ShellNameList({FDestFolder});
    SHFILEOPSTRUCTA op{};
    auto* control = dynamic_cast<TControl*>(Owner());
    op.hwnd = control ? control->WindowHandle() : nullptr;
    op.wFunc = ShellFunction(operation);
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = ShellFlags(FOptions) | (lists.Pairs ? FOF_MULTIDESTFILES : 0);
    op.lpszProgressTitle = FProgressTitle.c_str();

    int result = SHFileOperationA(&op);
    // A dialog answered with Cancel can end the operation with result 0 and only this flag set.
    if (result == 0 && op.fAnyOperationsAborted) result = ERROR_CANCELLED;
    if (result == 0) return true;
    if (result != NoMoreFilesResult) {
        std::string text;
        GetErrorText(static_cast<DWORD>(result), text);
        DoError(text);
    }
    return false;
}

void TsxFileOperation::GetErrorText(DWORD code, std::string& text) { text = SysErrorMessage(code); }

bool TsxFileOperation::DoError(const std::string& text) {
    bool handled = false;
    if (FOnError) FOnError(this, text, handled);
    return handled;
}

void RegisterFileOperationClass() {
    using O = TsxFileOperation;
    TClassRegistration<O>("TsxFileOperation", "TComponent")
        .Ignore("About")
        .Strings("FileList.Strings", &O::SetFileListLines)
        .String("DestFolder", &O::SetDestFolder)
        .String("ProgressTitle", &O::SetProgressTitle)
        .Enum<TsxFileOperationType>("Operation", &O::SetOperation,
                                    {{"fotCopy", fotCopy}, {"fotDelete", fotDelete}, {"fotMove", fotMove},
                                     {"fotRename", fotRename}})
        .Custom("Options", [](O& o, const TPropValue& v, TLoadContext& c) {
            o.SetOptions(SetMask(v, c, {{"fofAllowUndo", fofAllowUndo}, {"fofFilesOnly", fofFilesOnly},
                                           {"fofNoConfirmation", fofNoConfirmation},
                                           {"fofNoConfirmMkDir", fofNoConfirmMkDir}, {"fofNoErrorUI", fofNoErrorUI},
                                           {"fofRenameCollision", fofRenameCollision}, {"fofSilent", fofSilent},
                                           {"fofSimpleProgress", fofSimpleProgress}}));
        })
        .Event<TsxFileOperationEvent>("OnError", &O::SetOnError);
}
