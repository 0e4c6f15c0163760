// controls/UiIntegerEdit.h -- TUiIntegerEdit: a one-line edit that holds a whole number within
// optional bounds; typing and pasting are refused when the text would stop being such a number
#pragma once
#include <string>

#include "UiCustomEdit.h"

class TUiIntegerEdit : public TUiCustomEdit {
public:
    explicit TUiIntegerEdit(TComponent* owner);

    int Value() const;                            // 0 for an empty or non-numeric text
    void SetValue(int value);                     // kept within the bounds that are on
    int MinValue() const noexcept { return FMinValue; }
    void SetMinValue(int value) { FMinValue = value; }
    int MaxValue() const noexcept { return FMaxValue; }
    void SetMaxValue(int value) { FMaxValue = value; }
    bool HasMinValue() const noexcept { return FHasMinValue; }
    void SetHasMinValue(bool value) { FHasMinValue = value; }
    bool HasMaxValue() const noexcept { return FHasMaxValue; }
    void SetHasMaxValue(bool value) { FHasMaxValue = value; }

    bool IsValidValue(long long value) const;
    // Empty, a lone "-" (both read as 0), or a decimal 32-bit integer; and its value within bounds.
    bool IsValidText(const std::string& text) const;

protected:
    void KeyPress(char& key) override;
    bool AcceptsPaste(const std::string& clipboardText) override;

private:
    int FMinValue = 0, FMaxValue = 0;
    bool FHasMinValue = false, FHasMaxValue = false;
};

// Strict: optional "-", then ASCII digits only, within the 32-bit range.
bool TryParseInt32(const std::string& text, int& valueOut);

// Registers TUiIntegerEdit for window descriptions.
void RegisterUiIntegerEditClass();
