// tests/support/driver/KeyCommands.cpp -- registry keys locked against writing, as an administrator's policy does,
// and text values written and listed by their wide names, which the ANSI calls of "reg" and of the
// product would turn into "?"
//
// The lock is the key's own access list: everyone may read it and change the list back, nobody
// may write values or create subkeys. Wine checks key access lists as Windows does, so a
// program that writes there really fails.
#include "Commands.h"

#include "Text.h"

#include <aclapi.h>

#include <string>
#include <vector>

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

int CmdSetValue(const TArgs& args) {
    TKeyName key = ParseKey(args.Require("key"));
    const std::wstring name = args.Require("name");
    const std::wstring data = args.Require("data");
    HKEY handle = nullptr;
    LONG error = RegCreateKeyExW(key.Root, key.Path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (error == ERROR_SUCCESS) {
        error = RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    if (error != ERROR_SUCCESS)
        throw EDriver("cannot write \"" + ToUtf8(name) + "\" under \"" + ToUtf8(args.Require("key")) + "\", error " +
                      std::to_string(error));
    return 0;
}

int CmdListValues(const TArgs& args) {
    TKeyName key = ParseKey(args.Require("key"));
    HKEY handle = nullptr;
    const LONG error = RegOpenKeyExW(key.Root, key.Path.c_str(), 0, KEY_READ, &handle);
    if (error == ERROR_FILE_NOT_FOUND) return 0;
    if (error != ERROR_SUCCESS)
        throw EDriver("cannot open \"" + ToUtf8(args.Require("key")) + "\", error " + std::to_string(error));
    std::vector<std::wstring> lines;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = REG_NONE;
        std::vector<BYTE> data(65536);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(handle, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        std::wstring text = L"<type " + std::to_wstring(type) + L">";
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            text.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
            text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
        }
        lines.push_back(std::wstring(name, nameLength) + L"=" + text);
    }
    RegCloseKey(handle);
    for (const std::wstring& line : lines) PrintLine(line);
    return 0;
}
