// desktop/PageControl.h -- TPageControl and its TTabSheet pages
//
// The tab strip is a common-controls tab window; each page is a window of
// our own inside it, shown when its tab is the active one. Pages with
// TabVisible off have no tab but can still be made active by the program.
#pragma once
#include <vector>

#include "Controls.h"

class TPageControl;
using TTabChangingEvent = TBoundMethod<void(TObject* sender, bool& allowChange)>;

class TTabSheet : public TControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    void SetParent(TControl* parent) override;
    void SetCaption(const std::string& text) override;
    void SetVisible(bool value) override;
    TPageControl* PageControl() const noexcept { return FPageControl; }
    bool TabVisible() const noexcept { return FTabVisible; }
    void SetTabVisible(bool value);
    int PageIndex() const;
    int TabIndex() const;                           // among the visible tabs, -1 when hidden
protected:
    void CreateWnd() override;
private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    friend class TPageControl;
};

class TPageControl : public TControl {
public:
    explicit TPageControl(TComponent* owner);
    int PageCount() const noexcept { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const noexcept { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    void SelectNextPage(bool forward);
    void SetMultiLine(bool value);                  // tabs on several rows
    void SetHotTrack(bool value);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
    void SetOnChanging(const TTabChangingEvent& e) { OnChanging = e; }
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    LRESULT CNNotify(NMHDR* header) override;
    void Resized() override;
    virtual bool CanChange();                        // OnChanging's answer
    virtual void Change();                           // OnChange

private:
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void RebuildTabs();
    void PlacePages();
    void ShowActive();
    TTabSheet* PageForTab(int tabIndex) const;
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    bool FMultiLine = false;
    bool FHotTrack = false;
    std::string FActivePageName;                     // named in the description before the page exists
    friend class TTabSheet;
    friend void RegisterStandardControlClasses();
};

class TProgressBar : public TControl {
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const noexcept { return FMin; }
    int Max() const noexcept { return FMax; }
    int Position() const noexcept { return FPosition; }
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);                     // kept within Min..Max
    void SetStep(int value) { FStep = value; }
    void StepIt() { SetPosition(FPosition + FStep); }
protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
private:
    int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
};
