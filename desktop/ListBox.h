// desktop/ListBox.h -- TListBox and TComboBox with their item lists kept in the window
#pragma once
#include <string>
#include <vector>

#include "Controls.h"

// The lines of a list box or combo box: every change goes to the window at once.
class TListItems {
public:
    TListItems(TControl& owner, bool combo) : FOwner(owner), FCombo(combo) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& operator[](int index) const { return FItems.at(static_cast<size_t>(index)); }
    int Add(const std::string& text);               // sorted position when the control is sorted
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& text) const;     // ignoring letter case, -1 when absent
    void Assign(const std::vector<std::string>& lines);
    const std::vector<std::string>& Lines() const { return FItems; }
    void SetSorted(bool value);
    void FillWindow();                              // after the window is made
private:
    UINT Msg(UINT listMsg, UINT comboMsg) const { return FCombo ? comboMsg : listMsg; }
    TControl& FOwner;
    bool FCombo;
    bool FSorted = false;
    std::vector<std::string> FItems;
};

class TListBox : public TControl {
public:
    explicit TListBox(TComponent* owner);
    TListItems& Items() { return FItems; }
    void SetItems(const std::vector<std::string>& lines) { FItems.Assign(lines); }
    int ItemIndex() const;                          // -1: none
    void SetItemIndex(int index);
    void SetSorted(bool value) { FItems.SetSorted(value); }
    bool MultiSelect() const noexcept { return FMultiSelect; }
    void SetMultiSelect(bool value) { FMultiSelect = value; }
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    int ItemHeight() const;
    void SetItemHeight(int value);
    void SetIntegralHeight(bool value) { FIntegralHeight = value; }
protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(WORD code) override;
private:
    TListItems FItems;
    bool FMultiSelect = false;
    bool FIntegralHeight = false;
    int FItemHeight = 0;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TControl {
public:
    explicit TComboBox(TComponent* owner);
    TListItems& Items() { return FItems; }
    void SetItems(const std::vector<std::string>& lines) { FItems.Assign(lines); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Caption() const override;
    void SetStyle(TComboBoxStyle value) { FStyle = value; }
    void SetSorted(bool value) { FItems.SetSorted(value); }
    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
    void SetBounds(int left, int top, int width, int height) override;
protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CNCommand(WORD code) override;
private:
    TListItems FItems;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    int FItemIndex = -1;
};
