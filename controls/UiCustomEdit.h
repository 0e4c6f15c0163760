// controls/UiCustomEdit.h -- TUiCustomEdit: the edit base with alignment, disabled colours,
// a filter of clipboard commands, and a key filter hook for typed edits
#pragma once
#include <string>

#include "desktop/Edit.h"
#include "desktop/Label.h"

enum TUiClipBoardCommand : unsigned { caCopy = 1, caCut = 2, caPaste = 4, caUndo = 8 };
using TUiClipBoardCommands = unsigned;        // a set of TUiClipBoardCommand bits
constexpr TUiClipBoardCommands AllClipBoardCommands = caCopy | caCut | caPaste | caUndo;

enum class TEditBorderStyle { bsNone, bsSingle };

// A typed character on its way in; set it to 0 to swallow it.
using TUiKeyPressEvent = TBoundMethod<void(TObject* sender, char& key)>;

class TUiCustomEdit : public TEdit {
public:
    explicit TUiCustomEdit(TComponent* owner);

    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment value);          // recreates the window
    TEditBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TEditBorderStyle value);
    TUiClipBoardCommands ClipBoardCommands() const noexcept { return FClipBoardCommands; }
    void SetClipBoardCommands(TUiClipBoardCommands value);
    void SetReadOnly(bool value);                 // read-only keeps only caCopy; off restores the set
    TColor DisabledColor() const noexcept { return FDisabledColor; }
    void SetDisabledColor(TColor value);
    TColor DisabledTextColor() const noexcept { return FDisabledTextColor; }
    void SetDisabledTextColor(TColor value);
    void SetEnabled(bool value) override;
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    void Loaded() override;

    TUiKeyPressEvent OnKeyPress;
    void SetOnKeyPress(const TUiKeyPressEvent& e) { OnKeyPress = e; }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;
    virtual void KeyPress(char& key);             // OnKeyPress; key 0 swallows the character
    virtual bool AcceptsPaste(const std::string& clipboardText);   // true: the paste goes in
    std::string ClipboardText() const;
    void PaintDisabled(HDC dc);

private:
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TEditBorderStyle FBorderStyle = TEditBorderStyle::bsSingle;
    TUiClipBoardCommands FClipBoardCommands = AllClipBoardCommands;
    TUiClipBoardCommands FSavedClipBoardCommands = AllClipBoardCommands;
    TColor FDisabledColor = clWindow;
    TColor FDisabledTextColor = clGrayText;
    int FPendingSelStart = 0, FPendingSelLength = 0;
};
