// tests/shared/ProxySetting.cpp -- THttpProxySetting
#include "ProxySetting.h"

#include <stdexcept>
#include <string>

namespace {

constexpr char InternetSettingsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

HKEY OpenInternetSettings() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, InternetSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot open Internet Settings");
    return key;
}

template <class T>
void Save(HKEY key, const char* name, T& saved) {
    DWORD size = 0;
    saved.Present = RegQueryValueExA(key, name, nullptr, &saved.Type, nullptr, &size) == ERROR_SUCCESS;
    if (!saved.Present) return;
    saved.Data.resize(size);
    RegQueryValueExA(key, name, nullptr, &saved.Type, saved.Data.data(), &size);
}

template <class T>
void Restore(HKEY key, const char* name, const T& saved) {
    if (saved.Present)
        RegSetValueExA(key, name, 0, saved.Type, saved.Data.data(), static_cast<DWORD>(saved.Data.size()));
    else
        RegDeleteValueA(key, name);
}

}  // namespace

THttpProxySetting::THttpProxySetting(unsigned short port) {
    HKEY key = OpenInternetSettings();
    Save(key, "ProxyEnable", FEnable);
    Save(key, "ProxyServer", FServer);
    Save(key, "ProxyOverride", FOverride);
    // Nothing may bypass the proxy: the product's host is not local, but a stray override could say so.
    RegDeleteValueA(key, "ProxyOverride");
    RegCloseKey(key);
    PointAt(port);
}

THttpProxySetting::~THttpProxySetting() {
    HKEY key = OpenInternetSettings();
    Restore(key, "ProxyEnable", FEnable);
    Restore(key, "ProxyServer", FServer);
    Restore(key, "ProxyOverride", FOverride);
    RegCloseKey(key);
}

void THttpProxySetting::PointAt(unsigned short port) {
    HKEY key = OpenInternetSettings();
    DWORD enable = 1;
    std::string server = "127.0.0.1:" + std::to_string(port);
    RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof(enable));
    RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                   static_cast<DWORD>(server.size() + 1));
    RegCloseKey(key);
}
