// tests/shared/ProxySetting.h -- THttpProxySetting: points WinInet at a loopback port for a while
//
// Sets the current user's Internet Settings (ProxyEnable=1, ProxyServer="127.0.0.1:PORT",
// no ProxyOverride) and puts the old values back when it goes. WinInet reads them at
// each InternetOpenA, so a change applies to the next download.
#pragma once
#include <windows.h>

#include <vector>

class THttpProxySetting {
public:
    explicit THttpProxySetting(unsigned short port);   // ProxyEnable=1, ProxyServer="127.0.0.1:port"
    ~THttpProxySetting();
    void PointAt(unsigned short port);

private:
    struct TSaved {
        bool Present = false;
        DWORD Type = 0;
        std::vector<BYTE> Data;
    };
    TSaved FEnable, FServer, FOverride;
};
