// desktop/Registry.h -- TRegistry: one root key, one open key below it, typed values
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Handle.h"
#include "Object.h"
#include "SysUtils.h"

class TStringList;

// A value that is missing, of another type, too large for the caller's buffer,
// or could not be written; the message names the value, Code() keeps the native error.
class ERegistryException : public Exception {
public:
    explicit ERegistryException(const std::string& message, unsigned long code = 0) : Exception(message), FCode(code) {}
    unsigned long Code() const noexcept { return FCode; }

private:
    unsigned long FCode;
};

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// Key paths: one starting with "\" is taken from the root; any other is taken
// from the open key when one is open, else from the root.
class TRegistry : public TObject {
public:
    TRegistry();                               // HKEY_CURRENT_USER, KEY_ALL_ACCESS
    explicit TRegistry(REGSAM access);
    ~TRegistry() override;

    HKEY RootKey() const noexcept { return FRootKey; }
    void SetRootKey(HKEY key);                 // predefined keys (HKEY_CURRENT_USER, ...) are borrowed, never closed; closes the open key
    HKEY CurrentKey() const noexcept { return FCurrentKey.Get(); }  // owned: closed by CloseKey() and by the destructor
    const std::string& CurrentPath() const noexcept { return FCurrentPath; }  // below the root, no leading "\"
    REGSAM Access() const noexcept { return FAccess; }
    void SetAccess(REGSAM access) noexcept { FAccess = access; }  // for the next OpenKey
    bool LazyWrite() const noexcept { return FLazyWrite; }
    void SetLazyWrite(bool value) noexcept { FLazyWrite = value; }  // false: CloseKey flushes the key to disk

    bool OpenKey(const std::string& key, bool canCreate);  // false: key missing and !canCreate, or refused
    bool OpenKeyReadOnly(const std::string& key);           // KEY_READ, whatever Access says
    void CloseKey();
    bool CreateKey(const std::string& key);    // creates and closes it; the open key stays
    bool DeleteKey(const std::string& key);    // with every subkey; false: missing or refused
    bool KeyExists(const std::string& key) const;
    bool HasSubKeys() const;

    bool ValueExists(const std::string& name) const;
    bool DeleteValue(const std::string& name);  // false: missing or refused
    TRegDataType GetDataType(const std::string& name) const;  // rdUnknown also for a missing value
    int GetDataSize(const std::string& name) const;           // bytes; -1: missing

    // Reads throw ERegistryException for a missing value or another type.
    std::string ReadString(const std::string& name) const;  // REG_SZ or REG_EXPAND_SZ, not expanded
    void WriteString(const std::string& name, const std::string& value);       // REG_SZ
    void WriteExpandString(const std::string& name, const std::string& value); // REG_EXPAND_SZ
    int ReadInteger(const std::string& name) const;          // REG_DWORD
    void WriteInteger(const std::string& name, int value);
    bool ReadBool(const std::string& name) const;            // REG_DWORD, non-zero is true
    void WriteBool(const std::string& name, bool value);     // REG_DWORD 1 or 0
    int ReadBinaryData(const std::string& name, void* buffer, int bufferSize) const;  // bytes read; throws when larger than bufferSize
    std::vector<unsigned char> ReadBinaryData(const std::string& name) const;
    void WriteBinaryData(const std::string& name, const void* buffer, int size);     // REG_BINARY

    void GetValueNames(TStringList& namesOut) const;  // of the open key; empty when none is open
    void GetKeyNames(TStringList& namesOut) const;

private:
    HKEY BaseFor(const std::string& key, std::string& relativeOut) const;
    void ChangeKey(HKEY key, const std::string& path);
    std::vector<unsigned char> ReadRaw(const std::string& name, DWORD& typeOut) const;  // throws when missing
    std::string FailureReason(LONG code) const;
    std::vector<unsigned char> ReadTyped(const std::string& name, std::initializer_list<DWORD> types) const;
    void WriteTyped(const std::string& name, DWORD type, const void* data, DWORD size);

    HKEY FRootKey = HKEY_CURRENT_USER;
    TRegKeyHandle FCurrentKey;
    std::string FCurrentPath;
    REGSAM FAccess = KEY_ALL_ACCESS;
    bool FLazyWrite = true;
};
