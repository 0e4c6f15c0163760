// extern/del/DelMain.cpp -- del.exe: with "-s", deletes the files on the current user's delete list
//
// Started once at log-on through the machine's RunOnce value "del.exe -s".
// A GUI-subsystem program so no console flashes up at boot; it shows nothing.
// Exit code: 0 all done, 1 some paths stay listed (not absolute, or could not be
// deleted; one line each on stderr), 2 no delete list could be located (empty
// user name), 0 without "-s".
#include "DeleteList.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

// Whoever started us from a console (or Wine from a shell) reads why a path stayed; at boot
// there is no standard error and the lines go nowhere.
void ReportKept(const TDeleteList::TKeptPath& kept) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
    const std::string line = "del.exe: kept on the list, " + kept.Reason + ": " + kept.Path + "\r\n";
    DWORD written = 0;
    WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2 || std::strcmp(__argv[1], "-s") != 0) return 0;
    std::string fileName = TDeleteList::FileNameForCurrentUser();
    if (fileName.empty()) return 2;
    const std::vector<TDeleteList::TKeptPath> kept = TDeleteList(fileName).DeleteAll();
    for (const TDeleteList::TKeptPath& entry : kept) ReportKept(entry);
    return kept.empty() ? 0 : 1;
}
