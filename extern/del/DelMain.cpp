// extern/del/DelMain.cpp -- del.exe: with "-s", deletes the files on the current user's delete list
//
// Started once at log-on through the machine's RunOnce value "del.exe -s".
// A GUI-subsystem program so no console flashes up at boot; it shows nothing.
// Exit code: 0 all done, 1 some paths could not be deleted (they stay listed),
// 2 no delete list could be located (empty user name), 0 without "-s".
#include "DeleteList.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2 || std::strcmp(__argv[1], "-s") != 0) return 0;
    std::string fileName = TDeleteList::FileNameForCurrentUser();
    if (fileName.empty()) return 2;
    return TDeleteList(fileName).DeleteAll() == 0 ? 0 : 1;
}
