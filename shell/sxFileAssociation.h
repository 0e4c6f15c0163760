// shell/sxFileAssociation.h -- TsxFileAssociation: the registration of one file extension under
// HKEY_CLASSES_ROOT, read into fields and written back from them
//
//   HKCR\.ext                     (default) = ExtDescription, the class name
//   HKCR\<class>                  (default) = FileDescription
//   HKCR\<class>\DefaultIcon      (default) = IconFile,IconIndex
//   HKCR\<class>\shell\<verb>     (default) = the verb's description, for open, opennew, edit,
//   HKCR\<class>\shell\<verb>\command       print and printto: (default) = the verb's command
//
// Setting Extension reads the registration. With ReadOnly False every other setter writes the
// whole registration at once (failures swallowed); with ReadOnly True they change nothing.
#pragma once
#include <array>
#include <string>

#include "desktop/Component.h"
#include "desktop/Image.h"

class TsxFileAssociation : public TComponent {
public:
    explicit TsxFileAssociation(TComponent* owner) : TComponent(owner) {}

    const std::string& Extension() const noexcept { return FExtension; }
    void SetExtension(const std::string& value);   // "txt" is kept as ".txt"
    const std::string& ExtDescription() const noexcept { return FExtDescription; }
    void SetExtDescription(const std::string& value) { ChangeField(FExtDescription, value); }
    const std::string& FileDescription() const noexcept { return FFileDescription; }
    void SetFileDescription(const std::string& value) { ChangeField(FFileDescription, value); }
    const std::string& IconFile() const noexcept { return FIconFile; }
    void SetIconFile(const std::string& value) { ChangeField(FIconFile, value); }
    int IconIndex() const noexcept { return FIconIndex; }
    void SetIconIndex(int value);
    const TPicture& LargeIcon() const noexcept { return FLargeIcon; }   // owned; filled by ReadAssociation
    const TPicture& SmallIcon() const noexcept { return FSmallIcon; }
    bool ReadOnly() const noexcept { return FReadOnly; }
    void SetReadOnly(bool value) noexcept { FReadOnly = value; }

    const std::string& OpenCommand() const noexcept { return FVerbs[viOpen].Command; }
    void SetOpenCommand(const std::string& value) { ChangeField(FVerbs[viOpen].Command, value); }
    const std::string& OpenCommandDescription() const noexcept { return FVerbs[viOpen].Description; }
    void SetOpenCommandDescription(const std::string& value) { ChangeField(FVerbs[viOpen].Description, value); }
    const std::string& OpenNewCommand() const noexcept { return FVerbs[viOpenNew].Command; }
    void SetOpenNewCommand(const std::string& value) { ChangeField(FVerbs[viOpenNew].Command, value); }
    const std::string& OpenNewCommandDescription() const noexcept { return FVerbs[viOpenNew].Description; }
    void SetOpenNewCommandDescription(const std::string& value) { ChangeField(FVerbs[viOpenNew].Description, value); }
    const std::string& EditCommand() const noexcept { return FVerbs[viEdit].Command; }
    void SetEditCommand(const std::string& value) { ChangeField(FVerbs[viEdit].Command, value); }
    const std::string& EditCommandDescription() const noexcept { return FVerbs[viEdit].Description; }
    void SetEditCommandDescription(const std::string& value) { ChangeField(FVerbs[viEdit].Description, value); }
    const std::string& PrintCommand() const noexcept { return FVerbs[viPrint].Command; }
    void SetPrintCommand(const std::string& value) { ChangeField(FVerbs[viPrint].Command, value); }
    const std::string& PrintCommandDescription() const noexcept { return FVerbs[viPrint].Description; }
    void SetPrintCommandDescription(const std::string& value) { ChangeField(FVerbs[viPrint].Description, value); }
    const std::string& PrintToCommand() const noexcept { return FVerbs[viPrintTo].Command; }
    void SetPrintToCommand(const std::string& value) { ChangeField(FVerbs[viPrintTo].Command, value); }
    const std::string& PrintToCommandDescription() const noexcept { return FVerbs[viPrintTo].Description; }
    void SetPrintToCommandDescription(const std::string& value) { ChangeField(FVerbs[viPrintTo].Description, value); }

    // Clears every field and both icons, then reads them; true: the class key was found.
    virtual bool ReadAssociation();
    // false: no usable Extension or class name, or a key that could not be opened or written.
    virtual bool WriteAssociation();
    // Deletes the extension's key (the class key may serve other extensions and stays); true
    // also when there was nothing to delete.
    virtual bool DeleteAssociation();
    virtual void UpdateAssociation();   // run time: WriteAssociation, failures swallowed
    void Loaded() override;             // ReadOnly: the registry's values, not the stored ones

private:
    enum TVerbIndex { viOpen, viOpenNew, viEdit, viPrint, viPrintTo, VerbCount };
    struct TVerbText {
        std::string Command;       // "shell\<verb>\command"
        std::string Description;   // "shell\<verb>"
    };

    void ChangeField(std::string& field, const std::string& value);
    bool CanChange() const { return IsDesigning() || !FReadOnly; }
    bool IsBusy() const { return IsLoading() || IsDestroying(); }
    void ClearFields();
    void ReadIcon(const std::string& iconText);

    std::string FExtension;
    std::string FExtDescription;
    std::string FFileDescription;
    std::string FIconFile;
    int FIconIndex = 0;
    TPicture FLargeIcon;
    TPicture FSmallIcon;
    bool FReadOnly = true;
    std::array<TVerbText, VerbCount> FVerbs;   // in the order the verbs are written
};

// The icon text of a DefaultIcon value split into file and index: at the last comma (or, when
// another comma stands before it, at that one, the text from the last comma on dropped); an
// index that is not a number leaves the text whole and the index 0.
void SplitIconText(const std::string& iconText, std::string& fileOut, int& indexOut);

// Registers TsxFileAssociation for window descriptions.
void RegisterFileAssociationClass();
