// desktop/ListBox.h -- TListBox and TComboBox with their item lists kept in the window
#pragma once
#include <string>
#include <vector>

#include "Controls.h"

// The lines of a list box or combo box: every change goes to the window at once. Each line
// may carry an object (not owned), which moves with it when the lines are sorted.
class TListItems {
public:
    TListItems(TControl& owner, bool combo) : FOwner(owner), FCombo(combo) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& operator[](int index) const { return FItems.at(static_cast<size_t>(index)); }
    int Add(const std::string& text);               // sorted position when the control is sorted
    int AddObject(const std::string& text, TObject* object);
    void Insert(int index, const std::string& text);
    void InsertObject(int index, const std::string& text, TObject* object);
    TObject* Objects(int index) const { return FObjects.at(static_cast<size_t>(index)); }
    void SetObject(int index, TObject* object) { FObjects.at(static_cast<size_t>(index)) = object; }
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
    std::vector<TObject*> FObjects;   // beside FItems, one per line
};

// Owner-drawn lines: the handler draws line index into rect on canvas (state: ODS_ bits);
// a measuring handler sets the height of a line of varying height.
using TDrawItemEvent = TBoundMethod<void(TObject* control, TCanvas& canvas, int index, const RECT& rect, UINT state)>;
using TMeasureItemEvent = TBoundMethod<void(TObject* control, int index, int& height)>;

class TListBox : public TControl {
public:
    explicit TListBox(TComponent* owner);
    TListItems& Items() { return FItems; }
    const TListItems& Items() const { return FItems; }
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
    void DestroyWnd() override;                     // keeps the selection for the next window
    void CNCommand(WORD code) override;
private:
    TListItems FItems;
    bool FMultiSelect = false;
    bool FIntegralHeight = false;
    int FItemHeight = 0;
    int FSavedItemIndex = -1;
};

// The owner-drawn styles have no edit field; their items are drawn by the control (CNDrawItem).
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TControl {
public:
    explicit TComboBox(TComponent* owner);
    TListItems& Items() { return FItems; }
    void SetItems(const std::vector<std::string>& lines) { FItems.Assign(lines); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::string Caption() const override;
    TComboBoxStyle Style() const noexcept { return FStyle; }
    void SetStyle(TComboBoxStyle value);            // re-creates the window
    void SetSorted(bool value) { FItems.SetSorted(value); }
    int DropDownCount() const noexcept { return FDropDownCount; }
    void SetDropDownCount(int value);               // lines the dropped list shows
    int ItemHeight() const;                         // of the lines of the list
    void SetItemHeight(int value);
    bool DroppedDown() const;
    // A line picked from the list fires OnClick, then OnChange; typing fires OnChange.
    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
    void SetBounds(int left, int top, int width, int height) override;
protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;                     // keeps the selection for the next window
    void CNCommand(WORD code) override;
    void ApplyDropDownHeight();
private:
    TListItems FItems;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    int FItemIndex = -1;
    int FDropDownCount = 8;
    int FItemHeight = 0;
};
