// desktop/Registry.cpp -- TRegistry over the Reg* functions of advapi32
//
// The Reg* functions return their error code instead of setting the last error;
// every failure message is built from that returned code.
#include "Registry.h"

#include <cstring>

#include "StringList.h"

namespace {

std::string StripSlashes(const std::string& key) {
    size_t b = 0, e = key.size();
    while (b < e && key[b] == '\\') ++b;
    while (e > b && key[e - 1] == '\\') --e;
    return key.substr(b, e - b);
}

std::vector<std::string> SubKeyNames(HKEY key) {
    std::vector<std::string> names;
    DWORD maxLength = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &maxLength, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<char> buffer(maxLength + 1);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG rc = RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) { buffer.resize(buffer.size() * 2); continue; }  // a longer name appeared meanwhile
        if (rc != ERROR_SUCCESS) break;
        names.emplace_back(buffer.data(), length);
        ++index;
    }
    return names;
}

// RegDeleteKeyA deletes subkeys on 9x but refuses a key with subkeys on NT, so go depth first.
bool DeleteKeyTree(HKEY base, const std::string& relative) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(base, relative.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    {
        TRegKeyHandle key(opened);
        for (const std::string& name : SubKeyNames(key.Get())) DeleteKeyTree(key.Get(), name);
    }
    return RegDeleteKeyA(base, relative.c_str()) == ERROR_SUCCESS;
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM access) : FAccess(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY key) {
    if (key == FRootKey) return;
    CloseKey();
    FRootKey = key;
}

HKEY TRegistry::BaseFor(const std::string& key, std::string& relativeOut) const {
    relativeOut = StripSlashes(key);
    bool absolute = !key.empty() && key[0] == '\\';
    return (absolute || !FCurrentKey.IsValid()) ? FRootKey : FCurrentKey.Get();
}

void TRegistry::ChangeKey(HKEY key, const std::string& path) {
    CloseKey();
    FCurrentKey.Reset(key);
    FCurrentPath = path;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    std::string relative;
    HKEY base = BaseFor(key, relative);
    std::string path = relative;
    if (base != FRootKey && !FCurrentPath.empty()) path = relative.empty() ? FCurrentPath : FCurrentPath + "\\" + relative;
    HKEY opened = nullptr;
    LONG rc;
    if (canCreate)
        rc = RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr, &opened, nullptr);
    else
        rc = RegOpenKeyExA(base, relative.c_str(), 0, FAccess, &opened);
    if (rc != ERROR_SUCCESS) return false;
    ChangeKey(opened, path);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    REGSAM saved = FAccess;
    FAccess = KEY_READ;
    bool opened = OpenKey(key, false);
    FAccess = saved;
    return opened;
}

void TRegistry::CloseKey() {
    if (FCurrentKey.IsValid() && !FLazyWrite) RegFlushKey(FCurrentKey.Get());
    FCurrentKey.Reset();
    FCurrentPath.clear();
}

bool TRegistry::CreateKey(const std::string& key) {
    std::string relative;
    HKEY base = BaseFor(key, relative);
    HKEY created = nullptr;
    if (RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(created);
    return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
    std::string relative;
    HKEY base = BaseFor(key, relative);
    // An empty path would name the base key itself: the root, or the open key.
    if (relative.empty()) return false;
    return DeleteKeyTree(base, relative);
}

bool TRegistry::KeyExists(const std::string& key) const {
    std::string relative;
    HKEY base = BaseFor(key, relative);
    HKEY opened = nullptr;
    // KEY_QUERY_VALUE alone: a key we may not read may still exist.
    LONG rc = RegOpenKeyExA(base, relative.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (rc == ERROR_SUCCESS) RegCloseKey(opened);
    return rc == ERROR_SUCCESS || rc == ERROR_ACCESS_DENIED;
}

bool TRegistry::HasSubKeys() const {
    DWORD count = 0;
    return FCurrentKey.IsValid() &&
           RegQueryInfoKeyA(FCurrentKey.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           count > 0;
}

bool TRegistry::ValueExists(const std::string& name) const { return GetDataSize(name) >= 0; }

bool TRegistry::DeleteValue(const std::string& name) {
    return FCurrentKey.IsValid() && RegDeleteValueA(FCurrentKey.Get(), name.c_str()) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
    DWORD type = REG_NONE;
    if (!FCurrentKey.IsValid() ||
        RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return rdUnknown;
    switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

int TRegistry::GetDataSize(const std::string& name) const {
    DWORD size = 0;
    if (!FCurrentKey.IsValid() ||
        RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return -1;
    return static_cast<int>(size);
}

std::vector<unsigned char> TRegistry::ReadRaw(const std::string& name, DWORD& typeOut) const {
    std::vector<unsigned char> data;
    LONG rc = ERROR_INVALID_HANDLE;
    if (FCurrentKey.IsValid()) {
        DWORD size = 0;
        rc = RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, &typeOut, nullptr, &size);
        // The value may grow between the two calls; ERROR_MORE_DATA asks again.
        while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
            data.resize(size + 1);
            size = static_cast<DWORD>(data.size());
            rc = RegQueryValueExA(FCurrentKey.Get(), name.c_str(), nullptr, &typeOut, data.data(), &size);
            if (rc == ERROR_SUCCESS) {
                data.resize(size);
                return data;
            }
        }
    }
    throw ERegistryException(Format("Failed to get data for '%s': %s", name.c_str(), FailureReason(rc).c_str()),
                             static_cast<unsigned long>(rc));
}

std::vector<unsigned char> TRegistry::ReadTyped(const std::string& name, std::initializer_list<DWORD> types) const {
    DWORD type = REG_NONE;
    std::vector<unsigned char> data = ReadRaw(name, type);
    for (DWORD t : types)
        if (t == type) return data;
    throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()), ERROR_INVALID_DATATYPE);
}

std::string TRegistry::FailureReason(LONG code) const {
    return FCurrentKey.IsValid() ? SysErrorMessage(static_cast<unsigned long>(code)) : "no key is open";
}

void TRegistry::WriteTyped(const std::string& name, DWORD type, const void* data, DWORD size) {
    LONG rc = FCurrentKey.IsValid()
                  ? RegSetValueExA(FCurrentKey.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size)
                  : ERROR_INVALID_HANDLE;
    if (rc == ERROR_SUCCESS) return;
    throw ERegistryException(Format("Failed to set data for '%s': %s", name.c_str(), FailureReason(rc).c_str()),
                             static_cast<unsigned long>(rc));
}

std::string TRegistry::ReadString(const std::string& name) const {
    std::vector<unsigned char> data = ReadTyped(name, {REG_SZ, REG_EXPAND_SZ});
    // Stored strings need not end in a null (RegSetValueExA takes the size as given).
    std::string text(data.begin(), data.end());
    size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    return text;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    WriteTyped(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
    WriteTyped(name, REG_EXPAND_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

int TRegistry::ReadInteger(const std::string& name) const {
    std::vector<unsigned char> data = ReadTyped(name, {REG_DWORD});
    if (data.size() != sizeof(DWORD))
        throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()), ERROR_INVALID_DATATYPE);
    DWORD value = 0;
    std::memcpy(&value, data.data(), sizeof(value));
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
    DWORD data = static_cast<DWORD>(value);
    WriteTyped(name, REG_DWORD, &data, sizeof(data));
}

bool TRegistry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

std::vector<unsigned char> TRegistry::ReadBinaryData(const std::string& name) const {
    // Raw bytes of anything but text and numbers, as REG_NONE and odd types are.
    DWORD type = REG_NONE;
    std::vector<unsigned char> data = ReadRaw(name, type);
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_DWORD)
        throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()), ERROR_INVALID_DATATYPE);
    return data;
}

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int bufferSize) const {
    std::vector<unsigned char> data = ReadBinaryData(name);
    if (static_cast<int>(data.size()) > bufferSize)
        throw ERegistryException(Format("Value '%s' holds %u bytes, more than the %d expected", name.c_str(),
                                        static_cast<unsigned>(data.size()), bufferSize),
                                 ERROR_MORE_DATA);
    if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(const std::string& name, const void* buffer, int size) {
    WriteTyped(name, REG_BINARY, buffer, static_cast<DWORD>(size));
}

void TRegistry::GetValueNames(TStringList& namesOut) const {
    namesOut.Clear();
    if (!FCurrentKey.IsValid()) return;
    DWORD maxLength = 0;
    RegQueryInfoKeyA(FCurrentKey.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxLength,
                     nullptr, nullptr, nullptr);
    std::vector<char> buffer(maxLength + 1);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG rc = RegEnumValueA(FCurrentKey.Get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) { buffer.resize(buffer.size() * 2); continue; }
        if (rc != ERROR_SUCCESS) break;
        namesOut.Add(std::string(buffer.data(), length));
        ++index;
    }
}

void TRegistry::GetKeyNames(TStringList& namesOut) const {
    namesOut.Clear();
    if (!FCurrentKey.IsValid()) return;
    for (const std::string& name : SubKeyNames(FCurrentKey.Get())) namesOut.Add(name);
}
