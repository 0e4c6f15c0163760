// tests/core/helpers/Sleeper.cpp -- sxsleeper.exe: a program that only runs until it is stopped
//
// The tests copy it under other names and folders to have real processes to list,
// stop and trash. A GUI-subsystem program, so no console window comes with it.
// With a number as first argument it ends by itself after that many milliseconds.
// With "--unstoppable" first it denies everyone the right to terminate it, as an intruder
// guarding itself does: only the end of the session (or its own timeout) ends it. It then
// writes "unstoppable" to its standard output, so a test knows when the guard is up.
#include <windows.h>
#include <aclapi.h>

#include <cstdlib>
#include <cstring>

namespace {

// Everyone may do anything with this process except terminate it. The list is built by hand:
// the denial first, as Windows orders them, then the grant of the rest.
bool DenyTermination() {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
    // Every process right of NT 6 (the older PROCESS_ALL_ACCESS lacks the limited query right,
    // which the system adds to every query request) but termination.
    const DWORD allButTerminate = (STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0xFFFF) & ~PROCESS_TERMINATE;
    alignas(DWORD) BYTE buffer[256];
    PACL acl = reinterpret_cast<PACL>(buffer);
    bool denied = InitializeAcl(acl, sizeof buffer, ACL_REVISION) &&
                  AddAccessDeniedAce(acl, ACL_REVISION, PROCESS_TERMINATE, everyone) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, allButTerminate, everyone) &&
                  SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT,
                                  DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                  acl, nullptr) == ERROR_SUCCESS;
    FreeSid(everyone);
    return denied;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int arg = 1;
    if (__argc > arg && std::strcmp(__argv[arg], "--unstoppable") == 0) {
        if (!DenyTermination()) return 1;
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "unstoppable\n", 12, &written, nullptr);
        ++arg;
    }
    DWORD ms = INFINITE;
    if (__argc > arg) ms = static_cast<DWORD>(std::strtoul(__argv[arg], nullptr, 10));
    Sleep(ms);
    return 0;
}
