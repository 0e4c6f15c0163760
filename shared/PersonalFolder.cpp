// shared/PersonalFolder.cpp -- Personal from the Shell Folders key, else from the shell
#include "PersonalFolder.h"

#include <windows.h>
#include <shlobj.h>

#include "UiDirectories.h"
#include "desktop/SysUtils.h"

std::string PersonalFolder() {
    std::string folder = TUiDirectories(nullptr).Personal();
    if (!folder.empty()) return folder;
    char buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer)) || buffer[0] == '\0')
        return "";
    return IncludeTrailingBackslash(buffer);
}
