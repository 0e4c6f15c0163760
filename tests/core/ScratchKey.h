// tests/core/ScratchKey.h -- a registry key of one test's own under HKCU\Software\SentinoxTests,
// deleted with everything below it afterwards
#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "desktop/Registry.h"
#include "desktop/StringList.h"

inline const std::string ScratchRoot = "Software\\SentinoxTests";

class TScratchKey {
public:
    explicit TScratchKey(const std::string& user = "AutoProtection")
        : FPath(ScratchRoot + "\\" + user + "." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(++Counter())) {
        FRegistry.OpenKey(FPath, true);
    }
    ~TScratchKey() {
        TRegistry registry;
        registry.DeleteKey(FPath);
    }
    const std::string& Path() const noexcept { return FPath; }
    void Write(const std::string& name, const std::string& data) { FRegistry.WriteString(name, data); }
    void WriteNumber(const std::string& name, int value) { FRegistry.WriteInteger(name, value); }
    std::map<std::string, std::string> Values() {
        TRegistry registry(KEY_READ);
        std::map<std::string, std::string> values;
        if (!registry.OpenKeyReadOnly(FPath)) return values;
        TStringList names;
        registry.GetValueNames(names);
        for (int i = 0; i < names.Count(); ++i)
            values[names[i]] = registry.GetDataType(names[i]) == rdString ? registry.ReadString(names[i]) : "<number>";
        return values;
    }

private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::string FPath;
    TRegistry FRegistry;  // open on the scratch key
};

