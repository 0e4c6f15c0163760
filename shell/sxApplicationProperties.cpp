// shell/sxApplicationProperties.cpp -- TsxApplicationProperties and the global TsxAppPropList
#include "sxApplicationProperties.h"

#include <commctrl.h>
#include <algorithm>
#include <memory>
#include <vector>

#include "desktop/Application.h"
#include "desktop/SysUtils.h"
#include "desktop/Classes.h"
#include "desktop/Controls.h"

namespace {

constexpr LONG_PTR AppWindowExStyle = WS_EX_APPWINDOW;    // 0x40000: taskbar button
constexpr LONG_PTR ToolWindowExStyle = WS_EX_TOOLWINDOW;  // 0x80: none

// The chain in front of the application's handlers. Members in registration order; the
// dispatchers walk them newest first and hand the event to the saved handlers only when
// every member is chained.
class TsxAppPropList : public TApplicationHandlerChain {
public:
    void Add(TsxApplicationProperties* component) {
        if (!component || std::find(FMembers.begin(), FMembers.end(), component) != FMembers.end()) return;
        FMembers.push_back(component);
        if (!component->IsDesigning() && !IsInstalled() && Application) Install(*Application);
    }

    void Remove(TsxApplicationProperties* component) {
        auto it = std::find(FMembers.begin(), FMembers.end(), component);
        if (it == FMembers.end()) return;
        FMembers.erase(it);
        bool anyRunning = std::any_of(FMembers.begin(), FMembers.end(), [](auto* m) { return !m->IsDesigning(); });
        // A handler someone installed in front of ours meanwhile stays where it is.
        if (!anyRunning && IsInstalled()) Uninstall();
    }

    int Count() const { return static_cast<int>(FMembers.size()); }

private:
    // The members have no handler of their own for the application's events: the walk only
    // decides whether the event goes on to the saved handler.
    bool WalkReachesEnd() const {
        for (auto it = FMembers.rbegin(); it != FMembers.rend(); ++it)
            if (!(*it)->Chained()) return false;
        return true;
    }

    void DoIdle(TObject* sender, bool& done) override {
        if (WalkReachesEnd() && Saved().OnIdle) Saved().OnIdle(sender, done);
    }

    void DoException(TObject* sender, const std::exception& error) override {
        if (WalkReachesEnd() && Saved().OnException) Saved().OnException(sender, error);
        else if (App()) App()->ShowException(error);   // no handler ran: the standard display
    }

    void DoMessage(MSG& msg, bool& handled) override {
        if (WalkReachesEnd() && Saved().OnMessage) Saved().OnMessage(msg, handled);
    }

    void DoMinimize(TObject* sender) override {
        if (WalkReachesEnd() && Saved().OnMinimize) Saved().OnMinimize(sender);
    }

    void DoRestore(TObject* sender) override {
        if (WalkReachesEnd() && Saved().OnRestore) Saved().OnRestore(sender);
    }

    std::vector<TsxApplicationProperties*> FMembers;
};

// Exists from the first registration to the destruction of the last member.
std::unique_ptr<TsxAppPropList> gAppPropList;

HWND ApplicationWindow() { return Application ? Application->Handle() : nullptr; }

} // namespace

int ApplicationPropertiesCount() { return gAppPropList ? gAppPropList->Count() : 0; }

TsxApplicationProperties::TsxApplicationProperties(TComponent* owner) : TCustomApplicationEvents(owner) {
    if (!gAppPropList) gAppPropList = std::make_unique<TsxAppPropList>();
    if (!IsDesigning()) {
        if (HWND app = ApplicationWindow()) {
            if (SetWindowSubclass(app, &TsxApplicationProperties::HookProc, reinterpret_cast<UINT_PTR>(this),
                                  reinterpret_cast<DWORD_PTR>(this)))
                FHookedWindow = app;
        }
    }
    gAppPropList->Add(this);
}

TsxApplicationProperties::~TsxApplicationProperties() {
    if (FHookedWindow && IsWindow(FHookedWindow))
        RemoveWindowSubclass(FHookedWindow, &TsxApplicationProperties::HookProc, reinterpret_cast<UINT_PTR>(this));
    if (gAppPropList) {
        gAppPropList->Remove(this);
        if (gAppPropList->Count() == 0) gAppPropList.reset();
    }
}

void TsxApplicationProperties::SetHidden(bool value) {
    FHidden = value;
    // While a description is read, Loaded() applies it once.
    if (!IsLoading()) ApplyHidden();
}

std::string TsxApplicationProperties::Title() const {
    return !IsDesigning() && Application ? Application->Title() : FTitle;
}

void TsxApplicationProperties::SetTitle(const std::string& value) {
    if (IsDesigning() || !Application) { FTitle = value; return; }
    if (Application->Title() != value) Application->SetTitle(value);
}

bool TsxApplicationProperties::ShowMainForm() const {
    return !IsDesigning() && Application ? Application->ShowMainForm : FShowMainForm;
}

void TsxApplicationProperties::SetShowMainForm(bool value) {
    FShowMainForm = value;
    if (!IsDesigning() && Application) Application->ShowMainForm = value;
}

void TsxApplicationProperties::ApplySettings() {
    if (IsDesigning() || !Application) return;
    Application->ShowMainForm = FShowMainForm;
}

void TsxApplicationProperties::ApplyHidden() {
    HWND app = ApplicationWindow();
    if (IsDesigning() || !app) return;
    LONG_PTR exStyle = GetWindowLongPtrA(app, GWL_EXSTYLE);
    if (FHidden) {
        if (IsWindowVisible(app)) ShowWindow(app, SW_HIDE);
        SetWindowLongPtrA(app, GWL_EXSTYLE, (exStyle & ~AppWindowExStyle) | ToolWindowExStyle);
    } else {
        SetWindowLongPtrA(app, GWL_EXSTYLE, (exStyle & ~ToolWindowExStyle) | AppWindowExStyle);
        ShowWindow(app, SW_SHOWNORMAL);
    }
}

void TsxApplicationProperties::PaintIcon() {
    HWND app = ApplicationWindow();
    if (!app) return;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(app, &ps);
    struct TEndPaint {
        HWND Window;
        PAINTSTRUCT& Paint;
        ~TEndPaint() { EndPaint(Window, &Paint); }
    } endPaint{app, ps};
    auto canvas = std::make_unique<TCanvas>(dc);
    FCanvas = canvas.get();
    struct TForgetCanvas {
        TCanvas*& Canvas;
        ~TForgetCanvas() { Canvas = nullptr; }
    } forget{FCanvas};
    canvas->SetBrushColor(clBackground);
    if (ps.fErase) canvas->FillRect(ps.rcPaint);
    if (FOnPaintIcon) FOnPaintIcon(this);
}

bool TsxApplicationProperties::MainWindowHook(UINT message, WPARAM, LPARAM) {
    HWND app = ApplicationWindow();
    if (message == WM_PAINT && FOnPaintIcon && app && IsIconic(app)) {
        PaintIcon();
        return true;
    }
    if (message == WM_SETTINGCHANGE) {
        try {
            SettingsChanged();
        } catch (...) {
            HandleCallbackException();
        }
    }
    return false;
}

void TsxApplicationProperties::SettingsChanged() {
    if (FOnSettingsChanged) FOnSettingsChanged(this);
}

void TsxApplicationProperties::Loaded() {
    TCustomApplicationEvents::Loaded();
    ApplySettings();
    if (FHidden) ApplyHidden();
}

LRESULT CALLBACK TsxApplicationProperties::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                    DWORD_PTR data) {
    try {
        if (reinterpret_cast<TsxApplicationProperties*>(data)->MainWindowHook(message, wParam, lParam)) return 0;
    } catch (...) {
        HandleCallbackException();
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void RegisterApplicationPropertiesClass() {
    using P = TsxApplicationProperties;
    TClassRegistration<P>("TsxApplicationProperties", "TCustomApplicationEvents")
        .Ignore("About")
        .Bool("Chained", &P::SetChained)
        .String("HelpFile", &P::SetHelpFile)
        .Bool("Hidden", &P::SetHidden)
        .Custom("HintColor", [](P& p, const TPropValue& v, TLoadContext&) { p.SetHintColor(ColorFromValue(v)); })
        .Int("HintHidePause", &P::SetHintHidePause)
        .Int("HintPause", &P::SetHintPause)
        .Int("HintShortPause", &P::SetHintShortPause)
        // The application icon comes from the program's MAINICON resource.
        .Ignore("Icon.Data")
        .String("Title", &P::SetTitle)
        .Bool("ShowHint", &P::SetShowHint)
        .Bool("UpdateFormatSettings", &P::SetUpdateFormatSettings)
        .Bool("ShowMainForm", &P::SetShowMainForm)
        .Bool("UpdateMetricSettings", &P::SetUpdateMetricSettings)
        .Enum<TBiDiMode>("BiDiMode", &P::SetBiDiMode,
                         {{"bdLeftToRight", TBiDiMode::bdLeftToRight}, {"bdRightToLeft", TBiDiMode::bdRightToLeft},
                          {"bdRightToLeftNoAlign", TBiDiMode::bdRightToLeftNoAlign},
                          {"bdRightToLeftReadingOnly", TBiDiMode::bdRightToLeftReadingOnly}})
        .Bool("HintShortCuts", &P::SetHintShortCuts)
        .Bool("MouseDragImmediate", &P::SetMouseDragImmediate)
        .Int("MouseDragThreshold", &P::SetMouseDragThreshold)
        .String("BiDiKeyboard", &P::SetBiDiKeyboard)
        .String("NonBiDiKeyboard", &P::SetNonBiDiKeyboard)
        .Event<TNotifyEvent>("OnPaintIcon", &P::SetOnPaintIcon)
        .Event<TNotifyEvent>("OnSettingsChanged", &P::SetOnSettingsChanged)
        .Event<TIdleEvent>("OnIdle", &P::SetOnIdle)
        .Event<TExceptionEvent>("OnException", &P::SetOnException)
        .Event<TMessageEvent>("OnMessage", &P::SetOnMessage)
        .Event<TNotifyEvent>("OnMinimize", &P::SetOnMinimize)
        .Event<TNotifyEvent>("OnRestore", &P::SetOnRestore);
}
