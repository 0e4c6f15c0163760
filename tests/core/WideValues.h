// tests/core/WideValues.h -- registry values written and listed by their wide names, as a
// program of another code page sees them; the checks never go through the code under test
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

inline bool WriteWideString(HKEY root, const std::string& path, const std::wstring& name, const std::wstring& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// Every text value of root\path by wide name; other types read as L"<other>".
inline std::map<std::wstring, std::wstring> WideValues(HKEY root, const std::string& path) {
    std::map<std::wstring, std::wstring> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD nameLength = 512;
        DWORD type = 0;
        std::vector<BYTE> data(4096);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        values[std::wstring(name, nameLength)] =
            type == REG_SZ ? std::wstring(reinterpret_cast<const wchar_t*>(data.data())) : L"<other>";
    }
    RegCloseKey(key);
    return values;
}
