// extern/Varnel2/Varnel2.cpp -- Varnel2.dll: log-on name and administrator test
#define VARNEL2_BUILD
#include "Varnel2.h"

#include <windows.h>

#include <string>

namespace {

constexpr char TestUserNameVar[] = "SENTINOX_TEST_USERNAME";
constexpr char TestIsAdminVar[] = "SENTINOX_TEST_ISADMIN";

// UserName's result; callers copy it at once, so one buffer per process will do.
char gUserName[256 + 1];

// Reads an environment variable, telling "set but empty" from "not set".
bool ReadEnvironment(const char* name, std::string& valueOut) {
    char buffer[1024];
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    // An empty variable returns 0 too; only ERROR_ENVVAR_NOT_FOUND means absent.
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
    if (length >= sizeof buffer) length = 0;  // too long to be a user name worth testing with
    valueOut.assign(buffer, length);
    return true;
}

bool IsTokenAdministrator() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS,
                                  0, 0, 0, 0, 0, 0, &administrators))
        return false;
    // A null token means the calling thread's impersonation token or else the process token.
    BOOL isMember = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &isMember)) isMember = FALSE;
    FreeSid(administrators);
    return isMember != FALSE;
}

}  // namespace

const char* __stdcall UserName() {
    std::string name;
    if (ReadEnvironment(TestUserNameVar, name)) {
        lstrcpynA(gUserName, name.c_str(), sizeof gUserName);
        return gUserName;
    }
    DWORD size = sizeof gUserName;
    if (!GetUserNameA(gUserName, &size)) gUserName[0] = '\0';
    return gUserName;
}

int __stdcall IsAdministrator() {
    std::string flag;
    if (ReadEnvironment(TestIsAdminVar, flag)) return flag == "0" ? 0 : 1;
    return IsTokenAdministrator() ? 1 : 0;
}
