// controls/sxGroupBox.h -- TsxGroupBox: a group box whose caption is a check box that can
// enable and disable every other control inside the group
#pragma once
#include <string>

#include "desktop/CheckBox.h"
#include "desktop/Panel.h"

class TsxCustomGroupBox : public TGroupBox {
public:
    explicit TsxCustomGroupBox(TComponent* owner);

    const std::string& About() const noexcept { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    bool AutoDisableControls() const noexcept { return FAutoDisableControls; }
    void SetAutoDisableControls(bool value);
    bool CheckBoxChecked() const { return FCheckBox->Checked(); }
    void SetCheckBoxChecked(bool value);          // fires OnCheckBoxClick when it changes
    bool CheckBoxVisible() const { return FCheckBox->Visible(); }
    void SetCheckBoxVisible(bool value);
    TCheckBox& CheckBox() const { return *FCheckBox; }   // owned
    void SetCaption(const std::string& text) override;
    void Loaded() override;

    TNotifyEvent OnCheckBoxClick;
    void SetOnCheckBoxClick(const TNotifyEvent& e) { OnCheckBoxClick = e; }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    static constexpr int CheckBoxGlyphSize = 13;  // the box drawn before the caption, square

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Puts the check box over the group box's own caption, showing the same text.
    virtual void PlaceCheckBox();
    // Every control in the group but the check box: enabled while ticked (or, without a
    // visible check box, while the group box is), when AutoDisableControls.
    virtual void ApplyCheckBoxState();
    virtual void CheckBoxClick(TObject* sender);

private:
    std::string FAbout;
    bool FAutoDisableControls = true;
    TCheckBox* FCheckBox;
};

// What window descriptions place.
class TsxGroupBox : public TsxCustomGroupBox {
public:
    using TsxCustomGroupBox::TsxCustomGroupBox;
};

// Registers TsxCustomGroupBox, the class that carries the published properties.
void RegisterSxCustomGroupBoxClass();
// Registers TsxGroupBox; TsxCustomGroupBox comes first.
void RegisterSxGroupBoxClass();
