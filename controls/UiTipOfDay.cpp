// controls/UiTipOfDay.cpp -- the tips dialog
//
// The dialog is built anew for each show from plain controls on a TForm owned by the
// application and freed when the show ends, however it ends. Its modal loop is the
// application's, so idle events (and with them a program's start-up work) run while it is
// open: in the main program the dialog shows from the main window's load step, and the
// start-up sequence runs inside it.
//
// Every control here is a window of its own, and among sibling windows the one made first
// lies on top; the layouts want the opposite for their shapes, labels and pictures (each
// drawn over the ones before it), and the buttons in tab order. StackControls puts them so.
#include "UiTipOfDay.h"

#include <chrono>
#include <random>

#include "UiButton.h"
#include "UiSpeedButton.h"
#include "UiWndProcHook.h"
#include "desktop/Application.h"
#include "desktop/CheckBox.h"
#include "desktop/Form.h"
#include "desktop/Image.h"
#include "desktop/Label.h"
#include "desktop/Registry.h"
#include "desktop/Shape.h"
#include "ControlPropertiesP.h"

namespace {

const char* const DefaultHeaderText = "Did you know...";
const char* const DefaultTitle = "Tips and Tricks";
const char* const DefaultCheckBoxText = "&Show Tips on Startup";
const char* const DefaultNextCaption = "&Next Tip";
const char* const DefaultCloseCaption = "&Close";

// Clears a flag on every way out of a scope, exceptions included.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;
private:
    bool& FFlag;
};

// A control of the dialog: made, placed and set up first, then put on the form (which makes
// its window, so styles that are fixed at creation, such as word wrap, are already known).
template <class C, class TSetup>
C* Place(TForm& form, int left, int top, int width, int height, TSetup setup) {
    auto* c = new C(&form);
    c->SetBounds(left, top, width, height);
    setup(*c);
    c->SetParent(&form);
    return c;
}

TShape* PlaceShape(TForm& form, int left, int top, int width, int height, TColor brush, TColor pen, int penWidth = 1) {
    return Place<TShape>(form, left, top, width, height, [&](TShape& s) {
        s.SetBrushColor(brush);
        s.SetPenColor(pen);
        s.SetPenWidth(penWidth);
    });
}

// A picture from the program's bitmap resources; a program built without them shows none.
TImage* PlacePicture(TForm& form, int left, int top, int width, int height, const char* resource, TColor ground) {
    return Place<TImage>(form, left, top, width, height, [&](TImage& i) {
        i.SetColor(ground);
        if (HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), resource)) i.Picture().SetBitmap(bitmap);
    });
}

// The header keeps the label's automatic size; its caption comes once the window exists, so
// the label fits it.
TLabel* PlaceHeader(TForm& form, int left, int top, int width, int height, TColor background, const TFont& font,
                    const std::string& text) {
    auto* l = Place<TLabel>(form, left, top, width, height, [&](TLabel& l) {
        l.SetColor(background);
        l.Font().Assign(font);
    });
    l->SetCaption(text);
    return l;
}

// The tip keeps its place and wraps its words.
TLabel* PlaceTip(TForm& form, int left, int top, int width, int height, TColor background, const TFont& font) {
    return Place<TLabel>(form, left, top, width, height, [&](TLabel& l) {
        l.SetColor(background);
        l.Font().Assign(font);
        l.SetAutoSize(false);
        l.SetWordWrap(true);
    });
}

// Later drawings over earlier ones, then the controls that take the focus on top, in tab order.
void StackControls(const std::vector<TControl*>& drawings, const std::vector<TControl*>& tabOrder) {
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (TControl* c : drawings) SetWindowPos(c->WindowHandle(), HWND_TOP, 0, 0, 0, 0, flags);
    for (auto it = tabOrder.rbegin(); it != tabOrder.rend(); ++it)
        SetWindowPos((*it)->WindowHandle(), HWND_TOP, 0, 0, 0, 0, flags);
}

int RandomIndex(int count) {
    if (count <= 0) return 0;
    std::minstd_rand generator(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<int>(0, count - 1)(generator);
}

// The focus starts on the first control in tab order, as a dialog's does.
class TFirstFocus : public TObject {
public:
    void FormShow(TObject* sender) {
        HWND form = static_cast<TForm*>(sender)->WindowHandle();
        if (HWND first = GetNextDlgTabItem(form, nullptr, FALSE)) SetFocus(first);
    }
};
TFirstFocus gFirstFocus;

} // namespace

TUiTipOfDay::TUiTipOfDay(TComponent* owner) : TUiCommonDialogP(owner) {
    FTipFont.OnChange = TNotifyEvent(this, &TUiTipOfDay::FontChanged);
    FHeaderFont.OnChange = TNotifyEvent(this, &TUiTipOfDay::FontChanged);
    for (auto [settings, caption] : {std::pair{&FButtonNext, DefaultNextCaption}, std::pair{&FButtonClose, DefaultCloseCaption}}) {
        settings->SetCaption(caption);
        settings->SetFlat(false);
        settings->SetHotTrack(false);
    }
    FHeaderText = DefaultHeaderText;
    FTitle = DefaultTitle;
    FCheckBoxText = DefaultCheckBoxText;
    ApplyDefaultFonts();
}

TUiTipOfDay::~TUiTipOfDay() { DetachFromForm(); }

void TUiTipOfDay::SetTipLines(const std::vector<std::string>& lines) {
    FTips.Clear();
    for (const std::string& line : lines) FTips.Add(line);
}

void TUiTipOfDay::SetDefaultFonts(bool value) {
    if (value == FDefaultFonts) return;
    FDefaultFonts = value;
    if (value) ApplyDefaultFonts();
}

void TUiTipOfDay::SetStyle(TUiTipOfDayStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    if (FDefaultFonts) ApplyDefaultFonts();
}

void TUiTipOfDay::FontChanged(TObject*) { FDefaultFonts = false; }

void TUiTipOfDay::ApplyDefaultFonts() {
    // The font changes below clear DefaultFonts; it keeps the value it came in with.
    bool defaults = FDefaultFonts;
    FTipFont.SetColor(clWindowText);
    FTipFont.SetName("MS Sans Serif");
    FTipFont.SetSize(8);
    FTipFont.SetStyle(0);
    FHeaderFont.SetColor(clWindowText);
    FHeaderFont.SetStyle(fsBold);
    if (FStyle == TUiTipOfDayStyle::tsVC) {
        FHeaderFont.SetName("Times New Roman");
        FHeaderFont.SetSize(15);
    } else {
        FHeaderFont.SetName("System");
        FHeaderFont.SetSize(10);
    }
    FDefaultFonts = defaults;
}

void TUiTipOfDay::SetOption(TUiTipOfDayOption option, bool on) {
    FOptions = static_cast<TUiTipOfDayOptions>(on ? FOptions | option : FOptions & ~option);
}

void TUiTipOfDay::Loaded() {
    TUiCommonDialogP::Loaded();
    if (IsDesigning()) return;
    if (FOptions & toShowWhenFormShown)
        AttachToForm();
    else
        ShowAtStartup();
}

void TUiTipOfDay::ShowAtStartup() {
    TFlagScope atStartup(FAtStartup);
    ShowDialog();
}

bool TUiTipOfDay::DoCanShow() {
    bool canShow = !FAtStartup || (FOptions & toShowOnStartUp);
    if (!IsDesigning() && OnCanShow) OnCanShow(this, canShow);
    return canShow;
}

void TUiTipOfDay::DoAfterExecute() {
    if (!IsDesigning() && OnAfterExecute) OnAfterExecute(this);
}

std::string TUiTipOfDay::RegistryValueName() const { return (Application ? Application->Title() : std::string()) + "_" + Name(); }

bool TUiTipOfDay::ReadShowOnStartup() {
    TRegistry registry;
    if (!registry.OpenKey(TipsStartupKey, true)) return true;
    const std::string name = RegistryValueName();
    // A value of another type than an integer is not ours to trust: it counts as missing, and
    // the show that follows writes a proper one in its place.
    if (!registry.ValueExists(name) || registry.GetDataType(name) != rdInteger) return true;
    return registry.ReadBool(name);
}

void TUiTipOfDay::WriteShowOnStartup(bool value) {
    TRegistry registry;
    // Without the key the value would land in the root of HKEY_CURRENT_USER.
    if (!registry.OpenKey(TipsStartupKey, true))
        throw ERegistryException(std::string("Cannot open the key ") + TipsStartupKey);
    registry.WriteBool(RegistryValueName(), value);
}

void TUiTipOfDay::ShowDialog() {
    if (FExecuting) return;
    // An application asked to end (a second instance, say) runs no modal loop: the window
    // would only flash, and its unchanged box be written back.
    if (Application && Application->Terminated()) return;
    TFlagScope executing(FExecuting);
    if (FOptions & toUseRegistry) SetOption(toShowOnStartUp, ReadShowOnStartup());
    if (!DoCanShow()) return;
    {
        TForm form(Application);
        // The pointers to its controls go with the window, however the show ends.
        struct TForget {
            TUiTipOfDay& Self;
            ~TForget() { Self.FDialog = nullptr; Self.FTipLabel = nullptr; Self.FNextControl = nullptr; Self.FCheckBox = nullptr; }
        } forget{*this};
        FDialog = &form;
        form.SetBorderStyle(TFormBorderStyle::bsDialog);
        form.SetCaption(FTitle);
        form.SetPosition(TPosition::poScreenCenter);
        // The layouts' sizes are made for the classic dialog font (the check box text fits 127 pixels in it).
        form.Font().SetName("MS Sans Serif");
        form.Font().SetHeight(-11);
        form.OnShow = TNotifyEvent(&gFirstFocus, &TFirstFocus::FormShow);
        if (FStyle == TUiTipOfDayStyle::tsVC) BuildVC(form); else BuildStandard(form);
        FCurrentTip = RandomIndex(FTips.Count());
        ShowCurrentTip();
        form.ShowModal();
        SetOption(toShowOnStartUp, FCheckBox->Checked());
    }
    DoAfterExecute();
    if (FOptions & toUseRegistry) WriteShowOnStartup((FOptions & toShowOnStartUp) != 0);
}

TControl* TUiTipOfDay::MakeNextControl(TForm& form) {
    TNotifyEvent click(this, &TUiTipOfDay::NextTip);
    TControl* next;
    if (FButtonNext.Flat()) {
        auto* b = new TUiSpeedButton(&form);
        b->OnClick = click;
        next = b;
    } else {
        auto* b = new TUiButton(&form);
        b->OnClick = click;
        next = b;
    }
    FButtonNext.AssignTo(*next);
    return next;
}

TControl* TUiTipOfDay::MakeCloseControl(TForm& form) {
    if (FButtonClose.Flat()) {
        auto* b = new TUiSpeedButton(&form);
        FButtonClose.AssignTo(*b);
        b->SetModalResult(mrOk);
        return b;
    }
    auto* b = new TUiButton(&form);
    b->SetCancel(true);
    b->SetDefault(true);
    FButtonClose.AssignTo(*b);
    b->SetModalResult(mrOk);
    return b;
}

std::vector<TControl*> TUiTipOfDay::PlaceBoxAndButtons(TForm& form, const TBounds& box, const TBounds& next,
                                                       const TBounds& close) {
    FCheckBox = Place<TCheckBox>(form, box.Left, box.Top, box.Width, box.Height, [&](TCheckBox& c) { c.SetCaption(FCheckBoxText); });
    FCheckBox->SetChecked(FOptions & toShowOnStartUp);
    FNextControl = MakeNextControl(form);
    FNextControl->SetBounds(next.Left, next.Top, next.Width, next.Height);
    FNextControl->SetParent(&form);
    TControl* closeControl = MakeCloseControl(form);
    closeControl->SetBounds(close.Left, close.Top, close.Width, close.Height);
    closeControl->SetParent(&form);
    return {FCheckBox, FNextControl, closeControl};
}

void TUiTipOfDay::BuildVC(TForm& form) {
    form.SetClientWidth(400);
    form.SetClientHeight(258);
    std::vector<TControl*> drawings;
    drawings.push_back(PlaceShape(form, 8, 8, 384, 206, FColor, clGray));
    drawings.push_back(PlaceShape(form, 8, 8, 53, 205, clGray, clGray));
    drawings.push_back(PlaceShape(form, 61, 63, 330, 1, clGray, clGray, 10));
    drawings.push_back(PlaceHeader(form, 71, 24, 135, 23, FColor, FHeaderFont, FHeaderText));
    drawings.push_back(PlacePicture(form, 21, 22, 41, 43, "UITIPOFDAYPIC1", clGray));
    std::vector<TControl*> tabOrder = PlaceBoxAndButtons(form, {8, 225, 145, 17}, {227, 225, 77, 25}, {317, 225, 75, 25});
    FTipLabel = PlaceTip(form, 71, 75, 306, 134, FColor, FTipFont);
    drawings.push_back(FTipLabel);
    StackControls(drawings, tabOrder);
}

void TUiTipOfDay::BuildStandard(TForm& form) {
    form.SetClientWidth(347);
    form.SetClientHeight(267);
    std::vector<TControl*> drawings;
    drawings.push_back(PlaceShape(form, 18, 18, 311, 200, clBtnFace, cl3DDkShadow));
    drawings.push_back(PlaceShape(form, 30, 28, 285, 180, FColor, FColor));
    TImage* picture = PlacePicture(form, 30, 28, 40, 53, "UITIPOFDAYPIC2", FColor);
    picture->SetAutoSize(true);
    picture->SetTransparent(true);
    drawings.push_back(picture);
    drawings.push_back(PlaceHeader(form, 70, 46, 105, 16, FColor, FHeaderFont, FHeaderText));
    FTipLabel = PlaceTip(form, 42, 102, 261, 83, FColor, FTipFont);
    drawings.push_back(FTipLabel);
    int closeLeft = FButtonClose.Flat() ? 252 : 251;
    StackControls(drawings, PlaceBoxAndButtons(form, {20, 236, 127, 17}, {164, 232, 75, 25}, {closeLeft, 232, 75, 25}));
}

void TUiTipOfDay::NextTip(TObject*) {
    int count = FTips.Count();
    // An empty list has no next tip (and nothing to divide by).
    FCurrentTip = count > 0 ? (FCurrentTip + 1) % count : 0;
    ShowCurrentTip();
}

void TUiTipOfDay::ShowCurrentTip() {
    int count = FTips.Count();
    // The list may have shrunk since the index was chosen: it is taken round to a valid one.
    if (count > 0 && (FCurrentTip < 0 || FCurrentTip >= count)) FCurrentTip = ((FCurrentTip % count) + count) % count;
    if (count >= 1 && FTipLabel) FTipLabel->SetCaption(FTips[FCurrentTip]);
    if (count <= 1 && FNextControl) FNextControl->SetEnabled(false);
}

void TUiTipOfDay::AttachToForm() {
    auto* owner = dynamic_cast<TControl*>(Owner());
    TForm* form = owner ? ParentForm(owner) : nullptr;
    if (!form || form == FHookedForm) return;
    DetachFromForm();
    FArmed = false;
    if (!AttachWindowHook(form, hoAfter, TUiHookMethod(this, &TUiTipOfDay::FormHook))) return;
    FHookedForm = form;
    form->FreeNotification(this);
}

bool TUiTipOfDay::FormHook(TMessage& message) {
    if (message.Msg == WM_ACTIVATEAPP) {
        if (FHookedForm && FHookedForm->WindowHandle()) PostMessageA(FHookedForm->WindowHandle(), WM_NULL, 0, 0);
        FArmed = true;
    } else if (message.Msg == WM_NULL && !FExecuting && FArmed) {
        FArmed = false;
        // The hook goes also when the show fails, so a broken dialog is not retried at every activation.
        struct TDetach {
            TUiTipOfDay& Self;
            ~TDetach() { Self.DetachFromForm(); }
        } detach{*this};
        ShowAtStartup();
    }
    return false;
}

void TUiTipOfDay::DetachFromForm() {
    if (!FHookedForm) return;
    TForm* form = FHookedForm;
    FHookedForm = nullptr;
    DetachWindowHook(form, hoAfter, TUiHookMethod(this, &TUiTipOfDay::FormHook));
    form->RemoveFreeNotification(this);
}

void TUiTipOfDay::Notification(TComponent* component, TOperation operation) {
    TUiCommonDialogP::Notification(component, operation);
    // The registry drops the hooks of a freed control by itself.
    if (operation == TOperation::opRemove && component == FHookedForm) FHookedForm = nullptr;
}

// ---- for window descriptions

namespace {

using namespace controls_internal;

// A button's settings object inside another class's description: "ButtonNext.Caption", ...
template <class C>
void AddButtonSettings(TClassRegistration<C>& r, const std::string& prefix, TUiButtonPersistent& (C::*settings)()) {
    using B = TUiButtonPersistent;
    const std::pair<const char*, void (B::*)(bool)> flags[] = {{"Enabled", &B::SetEnabled}, {"Visible", &B::SetVisible},
        {"Flat", &B::SetFlat}, {"HotTrack", &B::SetHotTrack}, {"ShowHint", &B::SetShowHint}};
    for (const auto& [name, set] : flags)
        r.Custom(prefix + "." + name, [settings, set](C& c, const TPropValue& v, TLoadContext&) { ((c.*settings)().*set)(v.AsBool()); });
    const std::pair<const char*, void (B::*)(const std::string&)> texts[] = {{"Caption", &B::SetCaption}, {"Hint", &B::SetHint}};
    for (const auto& [name, set] : texts)
        r.Custom(prefix + "." + name, [settings, set](C& c, const TPropValue& v, TLoadContext&) { ((c.*settings)().*set)(v.AsString()); });
    AddFontProperties<C>(r, prefix + ".HotTrackFont", [settings](C& c) -> TFont& { return (c.*settings)().HotTrackFont(); });
}

} // namespace

void RegisterUiTipOfDayClass() {
    using namespace controls_internal;
    TClassRegistration<TUiTipOfDay> tips("TUiTipOfDay", "TUiComponent");
    tips.String("AboutInfo", &TUiTipOfDay::SetAboutInfo)
        .String("Title", &TUiTipOfDay::SetTitle)
        .String("HeaderText", &TUiTipOfDay::SetHeaderText)
        .String("CheckBoxText", &TUiTipOfDay::SetCheckBoxText)
        .Custom("Color", ColorProperty(&TUiTipOfDay::SetColor))
        .Bool("DefaultFonts", &TUiTipOfDay::SetDefaultFonts)
        .Custom("Options", [](TUiTipOfDay& t, const TPropValue& v, TLoadContext& ctx) {
            t.SetOptions(static_cast<TUiTipOfDayOptions>(Flags<TUiTipOfDayOption>(
                v, ctx, {{"toShowOnStartUp", toShowOnStartUp}, {"toUseRegistry", toUseRegistry},
                         {"toShowWhenFormShown", toShowWhenFormShown}}, "option")));
        })
        .Enum<TUiTipOfDayStyle>("Style", &TUiTipOfDay::SetStyle,
                                {{"tsVC", TUiTipOfDayStyle::tsVC}, {"tsStandard", TUiTipOfDayStyle::tsStandard}})
        .Strings("Tips.Strings", &TUiTipOfDay::SetTipLines)
        .Event<TNotifyEvent>("OnAfterExecute", &TUiTipOfDay::SetOnAfterExecute)
        .Event<TUiCanShowEvent>("OnCanShow", &TUiTipOfDay::SetOnCanShow);
    AddFontProperties<TUiTipOfDay>(tips, "HeaderFont", [](TUiTipOfDay& t) -> TFont& { return t.HeaderFont(); });
    AddFontProperties<TUiTipOfDay>(tips, "TipFont", [](TUiTipOfDay& t) -> TFont& { return t.TipFont(); });
    AddButtonSettings(tips, "ButtonNext", &TUiTipOfDay::ButtonNext);
    AddButtonSettings(tips, "ButtonClose", &TUiTipOfDay::ButtonClose);
}
