// core/IEButton.h -- the Internet Explorer toolbar button that starts the program
//
// The browser shows a button for every key below "...\Internet Explorer\Extensions" whose
// "CLSID" value names the published class for buttons that run a program; removing only
// that value hides the button and leaves the rest of the key as it was.
#pragma once
#include <string>

inline constexpr const char* IEButtonKey =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{6D41B7C2-58E0-4F3A-9C1B-2E7A40D93F15}";
inline constexpr const char* IEButtonClsid = "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}";

// Opens the key under HKEY_LOCAL_MACHINE, creating it when missing; shown: writes the eight
// values for the program at exePath, otherwise deletes "CLSID" only. False when the key could
// not be opened or a value could not be written (the values before it stay written).
bool ApplyIEButton(bool shown, const std::string& exePath);
