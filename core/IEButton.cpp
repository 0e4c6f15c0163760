// core/IEButton.cpp -- writing and hiding the Internet Explorer button
#include "core/IEButton.h"

#include "desktop/Registry.h"
#include "desktop/SysUtils.h"

bool ApplyIEButton(bool shown, const std::string& exePath) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(IEButtonKey, true)) return false;
    if (!shown) {
        if (reg.ValueExists("CLSID")) return reg.DeleteValue("CLSID");
        return true;
    }
    const std::string folder = ExtractFilePath(exePath);
    try {
        reg.WriteString("ButtonText", "Remove useless applications with Sentinox");
        reg.WriteString("CLSID", IEButtonClsid);
        reg.WriteString("Default Visible", "Yes");
        reg.WriteString("Exec", exePath);
        reg.WriteString("HotIcon", folder + "sentinox.ico");
        reg.WriteString("Icon", folder + "sentinoxbw.ico");
        reg.WriteString("MenuStatusBar", "Sentinox");
        reg.WriteString("MenuText", "&Sentinox - protection against useless applications.");
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}
