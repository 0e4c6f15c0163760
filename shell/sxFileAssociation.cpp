// shell/sxFileAssociation.cpp -- TsxFileAssociation over HKEY_CLASSES_ROOT
#include "shell/sxFileAssociation.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "desktop/Registry.h"
#include "shell/sxShellIcon.h"
#include "shell/sxSysUtils.h"
#include "desktop/Classes.h"

namespace {

// A key name of HKCR: a backslash in it would reach into another key's subtree.
bool IsPlainKeyName(const std::string& name) {
    return !name.empty() && name.find('\\') == std::string::npos;
}

bool IsUsableExtension(const std::string& extension) {
    return extension.size() > 1 && IsPlainKeyName(extension);
}

std::string WithLeadingDot(const std::string& extension) {
    return !extension.empty() && extension[0] == '.' ? extension : "." + extension;
}

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

// The default value of the open key; empty when it has none or it is not a string.
std::string ReadDefault(const TRegistry& registry) {
    try {
        return registry.ValueExists("") ? registry.ReadString("") : std::string();
    } catch (const ERegistryException&) {
        return std::string();
    }
}

} // namespace

void SplitIconText(const std::string& iconText, std::string& fileOut, int& indexOut) {
    std::string text = iconText;
    fileOut = text;
    indexOut = 0;
    int comma = LastPos(",", text);
    if (comma == 0) return;
    int earlier = LastPosBefore(",", text, comma - 1);
    if (earlier > 0) {
        text.resize(static_cast<size_t>(comma - 1));
        comma = earlier;
    }
    std::string number = text.substr(static_cast<size_t>(comma));
    // Two different fallbacks tell a number from text that does not convert.
    int index = StrToIntDef(number, 0);
    if (index != StrToIntDef(number, 1)) {
        fileOut = text;
        return;
    }
    fileOut = text.substr(0, static_cast<size_t>(comma - 1));
    indexOut = index;
}

namespace {

// The verb keys in the order they are written, matching TsxFileAssociation's verb slots.
const char* const VerbKeys[] = {"shell\\open", "shell\\opennew", "shell\\edit", "shell\\print", "shell\\printto"};

} // namespace

void TsxFileAssociation::SetExtension(const std::string& value) {
    if (value == FExtension) return;
    FExtension = WithLeadingDot(value);
    ReadAssociation();
}

void TsxFileAssociation::SetIconIndex(int value) {
    if (!CanChange() || value == FIconIndex) return;
    FIconIndex = value;
    UpdateAssociation();
}

void TsxFileAssociation::ChangeField(std::string& field, const std::string& value) {
    if (!CanChange() || value == field) return;
    field = value;
    UpdateAssociation();
}

void TsxFileAssociation::ClearFields() {
    FExtDescription.clear();
    FFileDescription.clear();
    FIconFile.clear();
    FIconIndex = 0;
    FLargeIcon.Clear();
    FSmallIcon.Clear();
    for (TVerbText& verb : FVerbs) verb = TVerbText();
}

void TsxFileAssociation::ReadIcon(const std::string& iconText) {
    SplitIconText(iconText, FIconFile, FIconIndex);
    HICON large = nullptr, small = nullptr;
    if (ExtractIconExA(FIconFile.c_str(), FIconIndex, &large, &small, 1) > 0) {
        FLargeIcon.SetIcon(large);
        FSmallIcon.SetIcon(small);
        return;
    }
    // The shell's own pictures: the program icon for ".exe", the blank document for the rest.
    ExtractShellIcon(SameTextAscii(FExtension, ".exe") ? 2 : 0, &FLargeIcon, &FSmallIcon);
}

bool TsxFileAssociation::ReadAssociation() {
    if (IsBusy()) return false;
    ClearFields();
    if (FExtension.empty() || FExtension == "." || !IsPlainKeyName(FExtension)) return false;
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    if (!registry.OpenKeyReadOnly("\\" + FExtension)) return false;
    FExtDescription = ReadDefault(registry);
    // No class name: opening "\" + "" would read HKCR's own default value as the description.
    if (FExtDescription.empty()) return false;
    // The class key, else a key of that name below the extension's (still open after a miss).
    if (!registry.OpenKeyReadOnly("\\" + FExtDescription) && !registry.OpenKeyReadOnly(FExtDescription)) return false;
    const std::string classKey = "\\" + registry.CurrentPath() + "\\";
    FFileDescription = ReadDefault(registry);
    ReadIcon(registry.OpenKeyReadOnly(classKey + "DefaultIcon") ? ReadDefault(registry) : std::string());
    for (int i = 0; i < VerbCount; ++i) {
        if (registry.OpenKeyReadOnly(classKey + VerbKeys[i])) FVerbs[i].Description = ReadDefault(registry);
        if (registry.OpenKeyReadOnly(classKey + VerbKeys[i] + "\\command")) FVerbs[i].Command = ReadDefault(registry);
    }
    return true;
}

bool TsxFileAssociation::WriteAssociation() {
    if (IsBusy() || FExtension.empty()) return false;
    FExtension = WithLeadingDot(FExtension);
    if (!IsUsableExtension(FExtension)) return false;
    if (FExtDescription.empty()) FExtDescription = FExtension.substr(1) + "file";
    if (!IsPlainKeyName(FExtDescription)) return false;
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    const std::string classKey = "\\" + FExtDescription + "\\";
    try {
        if (!registry.OpenKey("\\" + FExtension, true)) return false;
        registry.WriteString("", FExtDescription);
        if (!registry.OpenKey("\\" + FExtDescription, true)) return false;
        registry.WriteString("", FFileDescription);
        if (!FIconFile.empty()) {
            if (!registry.OpenKey(classKey + "DefaultIcon", true)) return false;
            registry.WriteString("", FIconFile + "," + IntToStr(FIconIndex));
        }
        for (int i = 0; i < VerbCount; ++i) {
            if (FVerbs[i].Command.empty()) continue;
            if (!registry.OpenKey(classKey + VerbKeys[i], true)) return false;
            registry.WriteString("", FVerbs[i].Description);
            if (!registry.OpenKey(classKey + VerbKeys[i] + "\\command", true)) return false;
            registry.WriteString("", FVerbs[i].Command);
        }
    } catch (const ERegistryException&) {
        return false;
    }
    NotifyAssociationsChanged();
    return true;
}

bool TsxFileAssociation::DeleteAssociation() {
    if (IsBusy()) return false;
    FExtension = WithLeadingDot(FExtension);
    if (FExtension == ".") return true;
    if (!IsPlainKeyName(FExtension)) return false;
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    if (!registry.KeyExists("\\" + FExtension)) return true;
    bool deleted = registry.DeleteKey("\\" + FExtension);
    NotifyAssociationsChanged();
    ReadAssociation();
    return deleted;
}

void TsxFileAssociation::UpdateAssociation() {
    if (IsBusy()) return;
    if (!IsDesigning()) {
        try {
            WriteAssociation();
        } catch (...) {
            // Run-time changes are best effort: the fields keep the new values either way.
        }
        return;
    }
    if (FReadOnly)
        MessageBoxA(GetActiveWindow(), "Cannot change the property in Read-Only mode.", "Warning", MB_OK | MB_ICONWARNING);
    else if (!WriteAssociation())
        MessageBoxA(GetActiveWindow(), "Cannot write to registry.", "Error", MB_OK | MB_ICONERROR);
}

void TsxFileAssociation::Loaded() {
    TComponent::Loaded();
    // Stored values were refused while ReadOnly; show what the registry holds instead.
    if (!IsDesigning() && FReadOnly) ReadAssociation();
}

void RegisterFileAssociationClass() {
    using A = TsxFileAssociation;
    TClassRegistration<A>("TsxFileAssociation", "TComponent")
        .Ignore("About")
        .String("Extension", &A::SetExtension)
        .String("ExtDescription", &A::SetExtDescription)
        .String("FileDescription", &A::SetFileDescription)
        .String("IconFile", &A::SetIconFile)
        .Int("IconIndex", &A::SetIconIndex)
        // The icons are read from IconFile; what a description holds of them is not used.
        .Ignore("LargeIcon.Data")
        .Bool("ReadOnly", &A::SetReadOnly)
        .Ignore("SmallIcon.Data")
        .String("OpenCommand", &A::SetOpenCommand)
        .String("OpenCommandDescription", &A::SetOpenCommandDescription)
        .String("OpenNewCommand", &A::SetOpenNewCommand)
        .String("OpenNewCommandDescription", &A::SetOpenNewCommandDescription)
        .String("EditCommand", &A::SetEditCommand)
        .String("EditCommandDescription", &A::SetEditCommandDescription)
        .String("PrintCommand", &A::SetPrintCommand)
        .String("PrintCommandDescription", &A::SetPrintCommandDescription)
        .String("PrintToCommand", &A::SetPrintToCommand)
        .String("PrintToCommandDescription", &A::SetPrintToCommandDescription);
}
