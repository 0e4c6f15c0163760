// tests/support/driver/KeyCommands.cpp -- registry keys locked against writing, as an administrator's policy does
//
// The lock is the key's own access list: everyone may read it and change the list back, nobody
// may write values or create subkeys. Wine checks key access lists as Windows does, so a
// program that writes there really fails.
#include "Commands.h"

#include "Text.h"

#include <aclapi.h>

#include <string>

namespace {

struct TKeyName {
    HKEY Root;
    std::wstring Path;
};

TKeyName ParseKey(const std::wstring& text) {
    size_t cut = text.find(L'\\');
    std::wstring root = Lower(text.substr(0, cut));
    std::wstring path = cut == std::wstring::npos ? std::wstring() : text.substr(cut + 1);
    if (root == L"hklm" || root == L"hkey_local_machine") return {HKEY_LOCAL_MACHINE, path};
    if (root == L"hkcu" || root == L"hkey_current_user") return {HKEY_CURRENT_USER, path};
    throw EUsage("--key starts with HKLM or HKCU");
}

// Replaces the key's access list by one entry for everyone, handed down to new subkeys;
// inherited entries no longer count.
void SetEveryonesAccess(const TArgs& args, DWORD access) {
    TKeyName name = ParseKey(args.Require("key"));
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
        throw EDriver("AllocateAndInitializeSid failed, error " + std::to_string(GetLastError()));
    alignas(DWORD) BYTE buffer[256];
    PACL acl = reinterpret_cast<PACL>(buffer);
    DWORD error = ERROR_SUCCESS;
    if (!InitializeAcl(acl, sizeof buffer, ACL_REVISION) ||
        !AddAccessAllowedAceEx(acl, ACL_REVISION, CONTAINER_INHERIT_ACE, access, everyone))
        error = GetLastError();
    FreeSid(everyone);
    HKEY key = nullptr;
    if (error == ERROR_SUCCESS)
        error = static_cast<DWORD>(RegOpenKeyExW(name.Root, name.Path.c_str(), 0, WRITE_DAC, &key));
    if (error == ERROR_SUCCESS) {
        error = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                nullptr, nullptr, acl, nullptr);
        RegCloseKey(key);
    }
    if (error != ERROR_SUCCESS)
        throw EDriver("cannot set the access list of \"" + ToUtf8(args.Require("key")) + "\", error " + std::to_string(error));
}

}  // namespace

int CmdLockKey(const TArgs& args) {
    SetEveryonesAccess(args, KEY_READ | WRITE_DAC);
    return 0;
}

int CmdUnlockKey(const TArgs& args) {
    SetEveryonesAccess(args, KEY_ALL_ACCESS);
    return 0;
}
