// desktop/Form.cpp -- top-level windows, modal loops and closing
#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Classes.h"
#include "DescriptionReader.h"

namespace {

DWORD StyleFor(TFormBorderStyle border, unsigned icons) {
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (border) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
    case TFormBorderStyle::bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
    }
    if (border != TFormBorderStyle::bsNone && (icons & biSystemMenu)) {
        style |= WS_SYSMENU;
        if (border != TFormBorderStyle::bsDialog && border != TFormBorderStyle::bsToolWindow &&
            border != TFormBorderStyle::bsSizeToolWin) {
            if (icons & biMinimize) style |= WS_MINIMIZEBOX;
            if (icons & biMaximize) style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD ExStyleFor(TFormBorderStyle border, TFormStyle formStyle) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (border == TFormBorderStyle::bsDialog) ex |= WS_EX_DLGMODALFRAME;
    if (border == TFormBorderStyle::bsToolWindow || border == TFormBorderStyle::bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
    if (formStyle == TFormStyle::fsStayOnTop) ex |= WS_EX_TOPMOST;
    return ex;
}

// Disables the other enabled top-level windows of this thread while a modal form runs.
struct TTaskWindows {
    std::vector<HWND> Disabled;
    HWND Except;
    static BOOL CALLBACK Disable(HWND hwnd, LPARAM param) {
        auto* self = reinterpret_cast<TTaskWindows*>(param);
        if (hwnd != self->Except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            self->Disabled.push_back(hwnd);
        }
        return TRUE;
    }
    explicit TTaskWindows(HWND except) : Except(except) {
        EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
    }
    ~TTaskWindows() {
        for (HWND h : Disabled)
            if (IsWindow(h)) EnableWindow(h, TRUE);
    }
};

// The first button below control, in child order, that is shown, enabled and passes the test.
TButton* FindButton(TControl* control, bool (TButton::*test)() const) {
    for (int i = 0; i < control->ControlCount(); ++i) {
        TControl* c = control->Controls(i);
        if (!c->Visible() || !c->Enabled()) continue;
        auto* b = dynamic_cast<TButton*>(c);
        if (b && b->HandleAllocated() && (b->*test)()) return b;
        if (TButton* inner = FindButton(c, test)) return inner;
    }
    return nullptr;
}

} // namespace

TForm::TForm(TComponent* owner) : TControl(owner) {
    SetVisible(false);
    CreateWnd();
}

TForm::~TForm() {
    if (OnDestroy) {
        try { OnDestroy(this); } catch (...) { HandleCallbackException(); }
    }
    if (Application) {
        Application->ForgetShowWhenIdle(this);
        if (Application->MainForm() == this) Application->ForgetMainForm();
    }
}

void TForm::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.Style = StyleFor(FBorderStyle, FBorderIcons);
    params.ExStyle = ExStyleFor(FBorderStyle, FFormStyle);
    params.Parent = nullptr;
    auto* ownerForm = dynamic_cast<TForm*>(Owner());
    if (ownerForm && ownerForm->HandleAllocated())
        params.Parent = ownerForm->WindowHandle();
    else if (Application)
        params.Parent = Application->Handle();
    // Owned by the hidden application window, the form needs this to get a taskbar button.
    if (!ownerForm) params.ExStyle |= WS_EX_APPWINDOW;
}

void TForm::InitDescription(const std::string& className) {
    FCreating = true;
    FVisibleWhenCreated = false;
    try {
        LoadDescription(this, RequireClassInfo(className), DescriptionResource(className));
        if (OnCreate) OnCreate(this);
    } catch (...) {
        FCreating = false;
        throw;
    }
    FCreating = false;
    if (!FVisibleWhenCreated) return;
    // Whatever runs at the first idle moment (a start-up sequence) may resize or move the form:
    // hidden until then, it is drawn once, as it ends up.
    if (Application) {
        FShowWhenIdle = true;
        Application->ShowFormWhenIdle(this);
    } else {
        SetVisible(true);
    }
}

void TForm::ShowWhenIdle() {
    if (FShowWhenIdle) SetVisible(true);
}

void TForm::Loaded() {
    TControl::Loaded();
    // Client sizes depend on the frame, which the border style may have changed after them.
    if (FWantedClientWidth >= 0) SetClientWidth(FWantedClientWidth);
    if (FWantedClientHeight >= 0) SetClientHeight(FWantedClientHeight);
}

void TForm::RecreateStyle() {
    if (!FHandle) return;
    int cw = ClientWidth(), ch = ClientHeight();
    ApplyStyles();
    SetClientWidth(cw);
    SetClientHeight(ch);
}

void TForm::ApplyStyles() {
    SetWindowLongA(FHandle, GWL_STYLE, static_cast<LONG>(StyleFor(FBorderStyle, FBorderIcons) | (Visible() ? WS_VISIBLE : 0)));
    DWORD ex = ExStyleFor(FBorderStyle, FFormStyle) | (dynamic_cast<TForm*>(Owner()) ? 0 : WS_EX_APPWINDOW);
    SetWindowLongA(FHandle, GWL_EXSTYLE, static_cast<LONG>(ex));
    SetWindowPos(FHandle, FFormStyle == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::StyleChanged() {
    if (IsLoading()) FRestyleDue = true;
    else RecreateStyle();
}

// Every restyle and resize of a top-level window costs several trips to the window server under
// Wine: what the description set of them is applied once, and before the controls are laid
// out, in the client area they get.
void TForm::ApplyDescribedFrame() {
    if (!FHandle || !(FRestyleDue || FResizeDue)) return;
    // As RecreateStyle does, a new frame keeps the client size the form had, unless one is asked for.
    RECT client;
    GetClientRect(FHandle, &client);
    const int cw = FWantedClientWidth >= 0 ? FWantedClientWidth : client.right;
    const int ch = FWantedClientHeight >= 0 ? FWantedClientHeight : client.bottom;
    if (FRestyleDue) ApplyStyles();
    FRestyleDue = FResizeDue = false;
    RECT window;
    GetWindowRect(FHandle, &window);
    GetClientRect(FHandle, &client);
    SetBounds(Left(), Top(), cw + (window.right - window.left) - client.right, ch + (window.bottom - window.top) - client.bottom);
}

void TForm::CreateMissingWindows(bool evenDeferred) {
    ApplyDescribedFrame();
    TControl::CreateMissingWindows(evenDeferred);
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    StyleChanged();
}

void TForm::SetBorderIcons(unsigned value) {
    if (FBorderIcons == value) return;
    FBorderIcons = value;
    StyleChanged();
}

void TForm::SetFormStyle(TFormStyle value) {
    if (FFormStyle == value) return;
    FFormStyle = value;
    StyleChanged();
}

void TForm::Center() { CenterAtSize(Width(), Height()); }

void TForm::CenterAtSize(int width, int height) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + ((work.right - work.left) - width) / 2, work.top + ((work.bottom - work.top) - height) / 2,
              width, height);
}

void TForm::ApplyPosition() {
    if (FPositioned) return;
    FPositioned = true;
    switch (FPosition) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        Center();
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TForm* other = FPosition == TPosition::poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : nullptr;
        if (!other && Application) other = Application->MainForm();
        if (other && other != this && other->Visible())
            SetBounds(other->Left() + (other->Width() - Width()) / 2, other->Top() + (other->Height() - Height()) / 2,
                      Width(), Height());
        else
            Center();
        break;
    }
    default:
        break;
    }
}

void TForm::SetVisible(bool value) {
    // While its description is read (and a dialog shown from a load step runs its loop), a form
    // only notes whether to show: it appears once whole.
    if (FCreating) {
        FVisibleWhenCreated = value;
        return;
    }
    FShowWhenIdle = false;
    if (value == Visible() && (!FHandle || value == (IsWindowVisible(FHandle) != FALSE))) return;
    if (value) ApplyPosition();
    TControl::SetVisible(value);
    if (!FHandle) return;
    if (value) {
        ShowWindow(FHandle, SW_SHOWNORMAL);
        if (OnShow) OnShow(this);
    } else if (OnHide) {
        OnHide(this);
    }
}

void TForm::BringToForeground() {
    if (!FHandle) return;
    if (IsIconic(FHandle)) ShowWindow(FHandle, SW_RESTORE);
    SetForegroundWindow(FHandle);
}

int TForm::ShowModal() {
    FModalResult = mrNone;
    FModal = true;
    HWND previousActive = GetActiveWindow();
    {
        TTaskWindows disabled(FHandle);
        SetVisible(true);
        SetForegroundWindow(FHandle);
        while (FModalResult == mrNone && Application && !Application->Terminated()) {
            Application->HandleMessage();
            if (FModalResult != mrNone && !CloseQuery()) FModalResult = mrNone;
        }
        if (FModalResult == mrNone) FModalResult = mrCancel;
        SetVisible(false);
    }
    FModal = false;
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
    return FModalResult;
}

void TForm::SetModalResult(int value) {
    FModalResult = value;
    // Set from an idle handler, the result would otherwise wait for the next message to be seen.
    if (value != mrNone && FModal && FHandle) PostMessageA(FHandle, WM_NULL, 0, 0);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (FModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    bool isMain = Application && Application->MainForm() == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (isMain) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: SetVisible(false); break;
    case TCloseAction::caMinimize: ShowWindow(FHandle, SW_MINIMIZE); break;
    case TCloseAction::caFree: SetVisible(false); Application->ReleaseForm(this); break;
    default: break;
    }
}

namespace {

TButton* FindButton(TControl& parent, bool wantDefault) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (!c->Visible() || !c->Enabled()) continue;
        if (auto* b = dynamic_cast<TButton*>(c); b && (wantDefault ? b->Default() : b->Cancel())) return b;
        if (TButton* inner = FindButton(*c, wantDefault)) return inner;
    }
    return nullptr;
}

} // namespace

bool TForm::DialogKey(WORD key) {
    if (key != VK_RETURN && key != VK_ESCAPE) return false;
    TButton* button = FindButton(*this, key == VK_RETURN);
    if (!button) return false;
    button->Click();
    return true;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == CreateAllWindowsMessage()) {
        CreateMissingWindows(true);
        return 1;
    }
    if (msg == PublishNamesMessage()) {
        PublishNames();
        return 1;
    }
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (Application) Application->SetActiveForm(this);
            if (OnActivate) OnActivate(this);
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        break;
    case WM_SYSCOMMAND:
        // The main form's minimise button minimises the application, so its hooks (minimise to tray) see it.
        if ((wParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
            Application->Minimize();
            return 0;
        }
        break;
    case DM_GETDEFID:
        // The dialog manager asks which button Enter clicks: the default button, when there is one.
        if (TButton* b = FindButton(this, &TButton::Default))
            return MAKELRESULT(GetDlgCtrlID(b->WindowHandle()), DC_HASDEFID);
        return 0;
    case WM_COMMAND:
        // Escape in a form reaches us as IDCANCEL from the dialog manager: it clicks the cancel
        // button, and without one it ends a modal form.
        if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
            if (TButton* b = FindButton(this, &TButton::Cancel)) {
                b->Click();
                return 0;
            }
            if (FModal) {
                FModalResult = mrCancel;
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

TForm* ParentForm(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

void RegisterFormClasses() {
    TClassRegistration<TForm>("TForm", "TControl")
        .Custom("ClientWidth", [](TForm& f, const TPropValue& v, TLoadContext&) {
            f.FWantedClientWidth = v.AsInteger();
            f.FResizeDue = true;
        })
        .Custom("ClientHeight", [](TForm& f, const TPropValue& v, TLoadContext&) {
            f.FWantedClientHeight = v.AsInteger();
            f.FResizeDue = true;
        })
        .Enum<TFormBorderStyle>("BorderStyle", &TForm::SetBorderStyle,
                                {{"bsNone", TFormBorderStyle::bsNone}, {"bsSingle", TFormBorderStyle::bsSingle},
                                 {"bsSizeable", TFormBorderStyle::bsSizeable}, {"bsDialog", TFormBorderStyle::bsDialog},
                                 {"bsToolWindow", TFormBorderStyle::bsToolWindow},
                                 {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}})
        .Custom("BorderIcons", [](TForm& f, const TPropValue& v, TLoadContext& ctx) {
            unsigned icons = 0;
            for (const std::string& s : v.AsSet()) {
                if (SameTextAscii(s, "biSystemMenu")) icons |= biSystemMenu;
                else if (SameTextAscii(s, "biMinimize")) icons |= biMinimize;
                else if (SameTextAscii(s, "biMaximize")) icons |= biMaximize;
                else if (SameTextAscii(s, "biHelp")) icons |= biHelp;
                else throw EDescriptionError(ctx.Where + ": unknown border icon " + s);
            }
            f.SetBorderIcons(icons);
        })
        .Enum<TPosition>("Position", &TForm::SetPosition,
                         {{"poDesigned", TPosition::poDesigned}, {"poDefault", TPosition::poDefault},
                          {"poDefaultPosOnly", TPosition::poDefaultPosOnly},
                          {"poDefaultSizeOnly", TPosition::poDefaultSizeOnly},
                          {"poScreenCenter", TPosition::poScreenCenter}, {"poDesktopCenter", TPosition::poDesktopCenter},
                          {"poMainFormCenter", TPosition::poMainFormCenter},
                          {"poOwnerFormCenter", TPosition::poOwnerFormCenter}})
        .Enum<TFormStyle>("FormStyle", &TForm::SetFormStyle,
                          {{"fsNormal", TFormStyle::fsNormal}, {"fsStayOnTop", TFormStyle::fsStayOnTop}})
        .Ignore("OldCreateOrder")
        .Ignore("PixelsPerInch")
        .Ignore("TextHeight")
        .Ignore("Scaled")
        .Ignore("KeyPreview")
        .Event<TNotifyEvent>("OnCreate", &TForm::SetOnCreate)
        .Event<TNotifyEvent>("OnShow", &TForm::SetOnShow)
        .Event<TNotifyEvent>("OnHide", &TForm::SetOnHide)
        .Event<TNotifyEvent>("OnDestroy", &TForm::SetOnDestroy)
        .Event<TNotifyEvent>("OnActivate", &TForm::SetOnActivate)
        .Event<TNotifyEvent>("OnDeactivate", &TForm::SetOnDeactivate)
        .Event<TCloseEvent>("OnClose", &TForm::SetOnClose)
        .Event<TCloseQueryEvent>("OnCloseQuery", &TForm::SetOnCloseQuery);
}
