// core/EditorProcesses.cpp -- the Processes page: running programs, "Stop!" and "Move to trashcan"
#include "core/Editor.h"

#include <windows.h>
#include <psapi.h>

#include <vector>

#include "core/EditorPages.h"
#include "desktop/Button.h"
#include "desktop/Handle.h"
#include "desktop/SysUtils.h"
#include "desktop/ListBox.h"
#include "process/Kill.h"

namespace {

// The enumeration needs PSAPI, which the NT family has from version 4 on.
bool IsNt4OrLater() {
    return OsVersion().dwPlatformId == VER_PLATFORM_WIN32_NT && OsVersion().dwMajorVersion > 3;
}

// Every process identifier; the buffer grows while the system fills it to the brim.
bool EnumerateProcessIds(std::vector<DWORD>& idsOut) {
    std::vector<DWORD> ids(1025);
    for (;;) {
        DWORD bytes = 0;
        if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return false;
        if (bytes < ids.size() * sizeof(DWORD)) {
            ids.resize(bytes / sizeof(DWORD));
            idsOut = std::move(ids);
            return true;
        }
        ids.resize(ids.size() * 2);
    }
}

} // namespace

bool Teditor::ListProcesses(TListItems& strings) {
    memList->Items().Clear();
    std::vector<DWORD> ids;
    if (!IsNt4OrLater() || !EnumerateProcessIds(ids)) return false;
    for (DWORD id : ids) {
        if (id == 0) continue;
        THandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
        if (!process.IsValid()) continue;
        char path[MAX_PATH + 1] = {};
        if (GetModuleFileNameExA(process.Get(), nullptr, path, sizeof(path)) > 0) strings.Add(path);
    }
    return true;
}

void Teditor::memRefreshbtnClick(TObject*) { ListProcesses(memList->Items()); }

void Teditor::Button10Click(TObject*) {
    ActOnSelectedLine(*this, *memList,
                      {.NothingSelected = "You must choose some application first.",
                       .Done = "This Application was killed successfully.",
                       .Failed = "Couldn't kill this application. Please take a look at the 'Tools' section."},
                      [](const std::string& line) { return Kill(line); });
    memRefreshbtn->Click();
}

void Teditor::Button11Click(TObject*) {
    ActOnSelectedLine(*this, *memList,
                      {.NothingSelected = "You must choose some application first.",
                       .Failed = "Couldn't move this application to the trashcan."},
                      [this](const std::string& line) { return MoveToTrash(line); });
    memRefreshbtn->Click();
}
