// tests/support/whoami/WhoAmI.cpp -- sxwhoami.exe: prints what Varnel2.dll answers, for system tests
//
// Output, one line each: "user=<UserName() as returned>", "admin=<IsAdministrator()>".
#include "Varnel2/Varnel2.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

int main() {
    _setmode(_fileno(stdout), _O_BINARY);  // "\n", not "\r\n", for the shell reading us
    std::printf("user=%s\n", UserName());
    std::printf("admin=%d\n", IsAdministrator());
    return 0;
}
