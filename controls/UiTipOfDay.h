// controls/UiTipOfDay.h -- TUiTipOfDay: the tip-of-the-day dialog component. It builds a modal
// window of plain controls each time it shows (header, one tip of a list, a show-on-start-up
// check box, Next and Close) and frees it afterwards; at load it shows itself when the flag
// kept in the registry allows it.
#pragma once
#include <string>
#include <vector>

#include "UiButtonPersistent.h"
#include "UiCommonDialogP.h"
#include "desktop/Controls.h"
#include "desktop/StringList.h"

class TCheckBox;
class TForm;
class TLabel;

enum TUiTipOfDayOption : unsigned char {
    toShowOnStartUp = 1,                           // the load step shows the dialog
    toUseRegistry = 2,                             // toShowOnStartUp is read before and written after each show
    toShowWhenFormShown = 4,                       // the load step waits for the form's first activation instead
};
using TUiTipOfDayOptions = unsigned char;
enum class TUiTipOfDayStyle : unsigned char { tsVC = 0, tsStandard = 1 };
using TUiCanShowEvent = TBoundMethod<void(TObject* sender, bool& canShow)>;

// Where the show-on-start-up flags live, under HKEY_CURRENT_USER; one value per application
// title and component name.
inline constexpr const char* TipsStartupKey = "Software\\UiControls\\TipsStartup";

class TUiTipOfDay : public TUiCommonDialogP {
public:
    explicit TUiTipOfDay(TComponent* owner);
    ~TUiTipOfDay() override;                       // the form hook goes with it

    const std::string& Title() const noexcept { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    const std::string& CheckBoxText() const noexcept { return FCheckBoxText; }
    void SetCheckBoxText(const std::string& value) { FCheckBoxText = value; }
    const std::string& HeaderText() const noexcept { return FHeaderText; }
    void SetHeaderText(const std::string& value) { FHeaderText = value; }
    TColor Color() const noexcept { return FColor; }
    void SetColor(TColor value) noexcept { FColor = value; }   // the tip area
    // True while both fonts hold the current style's defaults; any change to a font clears it.
    bool DefaultFonts() const noexcept { return FDefaultFonts; }
    void SetDefaultFonts(bool value);
    TFont& TipFont() noexcept { return FTipFont; }
    void SetTipFont(const TFont& font) { FTipFont.Assign(font); }
    TFont& HeaderFont() noexcept { return FHeaderFont; }
    void SetHeaderFont(const TFont& font) { FHeaderFont.Assign(font); }
    TUiButtonPersistent& ButtonNext() noexcept { return FButtonNext; }
    void SetButtonNext(const TUiButtonPersistent& value) { FButtonNext.Assign(value); }
    TUiButtonPersistent& ButtonClose() noexcept { return FButtonClose; }
    void SetButtonClose(const TUiButtonPersistent& value) { FButtonClose.Assign(value); }
    TUiTipOfDayOptions Options() const noexcept { return FOptions; }
    void SetOptions(TUiTipOfDayOptions value) noexcept { FOptions = value; }
    TStringList& Tips() noexcept { return FTips; }
    void SetTips(const TStringList& lines) { FTips.Assign(lines); }
    void SetTipLines(const std::vector<std::string>& lines);
    TUiTipOfDayStyle Style() const noexcept { return FStyle; }
    void SetStyle(TUiTipOfDayStyle value);
    int CurrentTip() const noexcept { return FCurrentTip; }

    TNotifyEvent OnAfterExecute;
    TUiCanShowEvent OnCanShow;
    void SetOnAfterExecute(const TNotifyEvent& e) { OnAfterExecute = e; }
    void SetOnCanShow(const TUiCanShowEvent& e) { OnCanShow = e; }

    // At load: the dialog when the options allow it (or, with toShowWhenFormShown, the hook
    // that shows it at the form's first activation).
    void Loaded() override;
    // Shows the dialog once, modally; does nothing while it is already showing. With
    // toUseRegistry the flag is read first and the check box's state written afterwards.
    void ShowDialog() override;
    void ShowAtStartup();                          // ShowDialog as the load step's show
    virtual bool DoCanShow();
    virtual void DoAfterExecute();
    virtual bool ReadShowOnStartup();              // the stored flag; true when there is none
    virtual void WriteShowOnStartup(bool value);   // throws ERegistryException when it cannot
    std::string RegistryValueName() const;         // "<application title>_<component name>"

    void NextTip(TObject* sender = nullptr);       // the Next control's click: the following tip, after the last the first
    void ShowCurrentTip();
    void ApplyDefaultFonts();

    // The window on display and its controls; null when no dialog shows.
    TForm* Dialog() const noexcept { return FDialog; }
    TLabel* TipLabel() const noexcept { return FTipLabel; }
    TControl* NextControl() const noexcept { return FNextControl; }
    TCheckBox* ShowCheckBox() const noexcept { return FCheckBox; }
    bool Executing() const noexcept { return FExecuting; }

    // toShowWhenFormShown: an after-hook on the form that holds the owner.
    void AttachToForm();
    bool FormHook(TMessage& message);              // never handles the message
    void DetachFromForm();
    TForm* HookedForm() const noexcept { return FHookedForm; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void FontChanged(TObject* sender);
    void BuildVC(TForm& form);
    void BuildStandard(TForm& form);
    TControl* MakeNextControl(TForm& form);
    TControl* MakeCloseControl(TForm& form);
    struct TBounds {
        int Left, Top, Width, Height;
    };
    // The check box, Next and Close, in tab order.
    std::vector<TControl*> PlaceBoxAndButtons(TForm& form, const TBounds& box, const TBounds& next, const TBounds& close);
    void SetOption(TUiTipOfDayOption option, bool on);

    std::string FTitle;
    std::string FCheckBoxText;
    std::string FHeaderText;
    TColor FColor = clWhite;
    bool FDefaultFonts = true;
    TFont FTipFont;
    TFont FHeaderFont;
    TUiButtonPersistent FButtonNext;
    TUiButtonPersistent FButtonClose;
    TUiTipOfDayOptions FOptions = toShowOnStartUp;
    TStringList FTips;
    TUiTipOfDayStyle FStyle = TUiTipOfDayStyle::tsVC;
    int FCurrentTip = 0;
    bool FExecuting = false;
    bool FAtStartup = false;
    TForm* FDialog = nullptr;
    TLabel* FTipLabel = nullptr;
    TControl* FNextControl = nullptr;
    TCheckBox* FCheckBox = nullptr;
    TForm* FHookedForm = nullptr;
    bool FArmed = false;
};

// Registers TUiTipOfDay; TUiComponent comes first.
void RegisterUiTipOfDayClass();
