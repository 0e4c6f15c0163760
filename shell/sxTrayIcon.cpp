// shell/sxTrayIcon.cpp -- the notification-area icon over Shell_NotifyIconA
//
// The shell talks to the component through the hidden window of the timer base:
// TrayCallbackMessage with the mouse message (or NIN_BALLOON* code) in lParam,
// and the "TaskbarCreated" broadcast when explorer (re)starts and has forgotten
// every icon. Minimise-to-tray watches the application window through a comctl32
// subclass, which, unlike swapping GWLP_WNDPROC, can be removed in any order
// when several components hook the same window.
//
// The icon state is the NIF_ICON bit of the flags template: ShowIcon and HideIcon
// act only on a change of it, so no path adds the icon twice or fires OnShow or
// OnHide twice. Teardown removes the icon and nothing else: the owner whose
// handlers the events would call is already half destroyed by then.
#include "shell/sxTrayIcon.h"

#include <commctrl.h>
#include <algorithm>
#include <cstring>
#include <memory>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/Form.h"
#include "desktop/Image.h"
#include "desktop/ImageList.h"
#include "desktop/Menus.h"

namespace {

// Copies at most maxChars bytes of text and the terminating zero into a zeroed field.
template <size_t N>
void CopyField(char (&field)[N], const std::string& text, size_t maxChars) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min({text.size(), maxChars, N - 1}));
}

#ifndef _WIN64
// The 32-bit shell's documented record sizes.
static_assert(TrayLargeRecordSize == 488 && TraySmallRecordSize == 88, "NOTIFYICONDATAA layout");
#endif

constexpr UINT_PTR AppWndSubclassId = 0x53785472;   // per component: the component is the ref data

// A call to the shell made by a thread of its own, on its own copy of the record (and of the
// icon it hands over, which ours may replace before the shell has read it). The shell answers only once
// Wine's desktop process has done the work:
// - NIM_ADD, once it has made the icon's window, some milliseconds the program (its start-up
//   above all) need not wait; each later call to the shell waits for the add first.
// - NIM_DELETE, hiding its tray window with the last icon, first waits 2 s for a window manager
//   an X server may not have; the removal is in the shell's queue as soon as the call is made,
//   so at teardown it is waited for only this long: the program's end need not wait.
constexpr DWORD TeardownDeleteWaitMs = 100;

struct TShellCall {
    DWORD Message;
    NOTIFYICONDATAA Data;
    HICON Icon;   // the copy, or null
};

DWORD WINAPI ShellCallThread(LPVOID param) {
    std::unique_ptr<TShellCall> call(static_cast<TShellCall*>(param));
    Shell_NotifyIconA(call->Message, &call->Data);
    if (call->Icon) DestroyIcon(call->Icon);
    return 0;
}

// The thread, or null when none could be started and the call was made here.
HANDLE StartShellCall(DWORD message, const NOTIFYICONDATAA& data) {
    auto call = std::make_unique<TShellCall>(TShellCall{message, data, nullptr});
    if (data.hIcon && (data.uFlags & NIF_ICON)) call->Data.hIcon = call->Icon = CopyIcon(data.hIcon);
    if (HANDLE thread = CreateThread(nullptr, 0, &ShellCallThread, call.get(), 0, nullptr)) {
        call.release();
        return thread;
    }
    if (call->Icon) DestroyIcon(call->Icon);
    call->Data.hIcon = data.hIcon;
    Shell_NotifyIconA(message, &call->Data);
    return nullptr;
}

// Nothing to tell at teardown: the icon is gone with our window at the latest.
void DeleteFromTrayAtTeardown(const NOTIFYICONDATAA& data) {
    if (HANDLE thread = StartShellCall(NIM_DELETE, data)) {
        WaitForSingleObject(thread, TeardownDeleteWaitMs);
        CloseHandle(thread);
    }
}

} // namespace

UINT TaskbarCreatedMessage() {
    static const UINT id = RegisterWindowMessageA("TaskbarCreated");
    return id;
}

TsxTrayIcon::TsxTrayIcon(TComponent* owner) : TsxCustomTimer(owner), FLargeRecord(IsWin2000OrLater()) {
    SetCycleIcons(false);
    SetCycleInterval(200);
    if (!IsDesigning()) {
        SetOnTimer(TNotifyEvent(this, &TsxTrayIcon::CycleTick));
        HookAppWnd();
    }
}

TsxTrayIcon::~TsxTrayIcon() {
    FTearingDown = true;
    AwaitPendingAdd(TeardownDeleteWaitMs);
    if (IconShown()) {
        FFlagsTemplate &= ~NIF_ICON;
        FillNotifyData();
        DeleteFromTrayAtTeardown(FData);
    }
    FVisible = false;
    UnhookAppWnd();
    SetCycleIcons(false);
    if (FImageList) {
        FImageList->UnRegisterChanges(TNotifyEvent(this, &TsxTrayIcon::ImageListChange));
        FImageList->RemoveFreeNotification(this);
    }
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    if (FIcon) DestroyIcon(FIcon);
}

// ---- properties

void TsxTrayIcon::SetHint(const std::string& value) {
    if (value == FHint) return;
    FHint = value;
    UpdateTray();
}

void TsxTrayIcon::SetShowHint(bool value) {
    if (value == FShowHint) return;
    FShowHint = value;
    UpdateTray();
}

void TsxTrayIcon::SetIcon(HICON icon) {
    HICON copy = icon ? CopyIcon(icon) : nullptr;
    if (icon && !copy) throw EWin32Error(Format("%s: CopyIcon", Name().c_str()), GetLastError());
    if (FIcon) DestroyIcon(FIcon);
    FIcon = copy;
    UpdateTray();
}

void TsxTrayIcon::LoadIconResource(const std::string& name) {
    // The small-icon size: the notification area shows nothing larger.
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (!icon) throw EsxTrayIcon(Format("%s: the program has no icon resource named %s", Name().c_str(), name.c_str()));
    if (FIcon) DestroyIcon(FIcon);
    FIcon = icon;
    UpdateTray();
}

void TsxTrayIcon::LoadIconData(const std::vector<unsigned char>& icoFile) {
    HICON icon = IconFromIcoData(icoFile.data(), icoFile.size(), GetSystemMetrics(SM_CXSMICON));
    if (FIcon) DestroyIcon(FIcon);
    FIcon = icon;
    UpdateTray();
}

void TsxTrayIcon::SetImageList(TImageList* images) {
    if (images == FImageList) return;
    TNotifyEvent link(this, &TsxTrayIcon::ImageListChange);
    if (FImageList) {
        FImageList->UnRegisterChanges(link);
        FImageList->RemoveFreeNotification(this);
    }
    FImageList = images;
    if (FImageList) {
        FImageList->FreeNotification(this);
        FImageList->RegisterChanges(link);
    }
    IconFromImageList();
}

void TsxTrayIcon::SetImageIndex(int value) {
    FImageIndex = value;
    IconFromImageList();
}

void TsxTrayIcon::SetIconID(int value) {
    if (value == FIconID) return;
    bool wasVisible = FVisible;
    SetVisible(false);
    FIconID = value;
    SetVisible(wasVisible);
}

void TsxTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    if (menu == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = menu;
    if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TsxTrayIcon::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    if (IsDesigning() || IsLoading()) return;
    try {
        if (value) ShowIcon(); else HideIcon();
    } catch (...) {
        // The shell call failed before anything changed: Visible keeps telling the truth.
        FVisible = IconShown();
        throw;
    }
}

void TsxTrayIcon::SetVisibleOnDesigning(bool value) {
    if (value == FVisibleOnDesigning) return;
    FVisibleOnDesigning = value;
    if (!IsDesigning() || IsLoading()) return;
    if (value) ShowIcon(); else HideIcon();
}

void TsxTrayIcon::Loaded() {
    TsxCustomTimer::Loaded();
    TComponent* root = Owner();
    if (!FPopupMenuName.empty()) {
        auto* menu = root ? dynamic_cast<TPopupMenu*>(root->FindComponent(FPopupMenuName)) : nullptr;
        if (!menu)
            throw EDescriptionError(Format("%s.PopupMenu: %s is not a popup menu of %s", Name().c_str(),
                                           FPopupMenuName.c_str(), root ? root->Name().c_str() : "the window"));
        FPopupMenuName.clear();
        SetPopupMenu(menu);
    }
    if (!FImageListName.empty()) {
        auto* images = root ? dynamic_cast<TImageList*>(root->FindComponent(FImageListName)) : nullptr;
        if (!images)
            throw EDescriptionError(Format("%s.ImageList: %s is not an image list of %s", Name().c_str(),
                                           FImageListName.c_str(), root ? root->Name().c_str() : "the window"));
        FImageListName.clear();
        SetImageList(images);
    }
    if (FMinimizeOnStart && !IsDesigning()) {
        if (Application) Application->ShowMainForm = false;
        Minimize();
    }
    if (IsDesigning() ? FVisibleOnDesigning : FVisible) ShowIcon();
}

void TsxTrayIcon::Notification(TComponent* component, TOperation operation) {
    TsxCustomTimer::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FPopupMenu) FPopupMenu = nullptr;
    // The list is past its own destructor here: forget it without calling it; the icon keeps its image.
    if (component == FImageList) FImageList = nullptr;
}

// ---- the record and the shell

void TsxTrayIcon::FillNotifyData() {
    FData = {};
    FData.cbSize = FLargeRecord ? TrayLargeRecordSize : TraySmallRecordSize;
    FData.hWnd = WindowHandle();
    FData.uID = static_cast<UINT>(FIconID);
    FData.uFlags = FFlagsTemplate;
    FData.uCallbackMessage = TrayCallbackMessage;
    FData.hIcon = FIcon;
    if (FShowHint) CopyField(FData.szTip, FHint, FLargeRecord ? 127 : 63);
}

bool TsxTrayIcon::UpdateTray() {
    AwaitPendingAdd();
    FillNotifyData();
    // An icon that is not in the tray cannot be modified; spare the shell the refused call.
    if (!IconShown()) return false;
    return Shell_NotifyIconA(NIM_MODIFY, &FData) != FALSE;
}

void TsxTrayIcon::InsertToTray() { FillAndNotify(NIM_ADD, "InsertToTray"); }

void TsxTrayIcon::AwaitPendingAdd(DWORD timeoutMs) {
    if (!FPendingAdd) return;
    // Whatever the shell sends our windows meanwhile is answered, as during a call of our own.
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        if (timeoutMs != INFINITE && waited >= timeoutMs) break;
        const DWORD left = timeoutMs == INFINITE ? INFINITE : timeoutMs - waited;
        if (MsgWaitForMultipleObjects(1, &FPendingAdd, FALSE, left, QS_SENDMESSAGE) != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(FPendingAdd);
    FPendingAdd = nullptr;
}

void TsxTrayIcon::DeleteFromTray() { FillAndNotify(NIM_DELETE, "DeleteFromTray"); }

// The shell's answer is ignored: a refused add or delete changes nothing else.
void TsxTrayIcon::FillAndNotify(DWORD message, const char* operation) {
    try {
        AwaitPendingAdd();
        FillNotifyData();
        if (message == NIM_ADD)
            FPendingAdd = StartShellCall(NIM_ADD, FData);
        else
            Shell_NotifyIconA(message, &FData);
    } catch (...) {
        throw EsxTrayIcon(Format("%s.%s failed", Name().c_str(), operation));
    }
}

void TsxTrayIcon::ShowIcon() {
    if (IconShown()) return;
    FFlagsTemplate |= NIF_ICON;
    try {
        InsertToTray();
    } catch (...) {
        FFlagsTemplate &= ~NIF_ICON;
        throw;
    }
    if (IsDesigning()) FVisibleOnDesigning = true; else FVisible = true;
    if (OnShow) OnShow(this);
}

void TsxTrayIcon::HideIcon() {
    if (!IconShown()) return;
    FFlagsTemplate &= ~NIF_ICON;
    try {
        DeleteFromTray();
    } catch (...) {
        FFlagsTemplate |= NIF_ICON;
        throw;
    }
    if (IsDesigning()) FVisibleOnDesigning = false; else FVisible = false;
    if (OnHide) OnHide(this);
    if (FMinimizeToTray) ShowApplication();
    // Without an icon a hidden owner could never be reached again.
    auto* owner = dynamic_cast<TControl*>(Owner());
    if (owner && owner->HandleAllocated() && !owner->Visible()) owner->SetVisible(true);
}

void TsxTrayIcon::ShowBalloon() {
    if (!FLargeRecord) return;
    AwaitPendingAdd();
    FillNotifyData();
    FData.uFlags = NIF_INFO;
    FData.dwInfoFlags = static_cast<DWORD>(FInfoType);
    FData.uTimeout = static_cast<UINT>(FInfoTimeoutMs);
    CopyField(FData.szInfo, FInfoText, 255);
    CopyField(FData.szInfoTitle, FInfoTitle, 63);
    if (IconShown()) Shell_NotifyIconA(NIM_MODIFY, &FData);
}

// ---- the application and its main form

void TsxTrayIcon::ShowApplication() {
    if (!Application) return;
    // The application window itself stays hidden: in this library each form carries its own
    // taskbar button, and showing the zero-sized owner would only add a stray window.
    TForm* main = Application->MainForm();
    if (!main) return;
    main->SetVisible(true);
    if (main->WindowHandle() && IsIconic(main->WindowHandle())) ShowWindow(main->WindowHandle(), SW_RESTORE);
}

void TsxTrayIcon::HideApplication() {
    if (!Application) return;
    HWND app = Application->Handle();
    if (app && IsWindowVisible(app)) ShowWindow(app, SW_HIDE);
    if (TForm* main = Application->MainForm()) main->SetVisible(false);
}

void TsxTrayIcon::HookAppWnd() {
    if (!Application || !Application->Handle() || FHookedAppWnd) return;
    if (SetWindowSubclass(Application->Handle(), &TsxTrayIcon::AppWndSubclass, AppWndSubclassId,
                          reinterpret_cast<DWORD_PTR>(this)))
        FHookedAppWnd = Application->Handle();
}

void TsxTrayIcon::UnhookAppWnd() {
    if (!FHookedAppWnd) return;
    if (IsWindow(FHookedAppWnd)) RemoveWindowSubclass(FHookedAppWnd, &TsxTrayIcon::AppWndSubclass, AppWndSubclassId);
    FHookedAppWnd = nullptr;
}

LRESULT TsxTrayIcon::AppWndHook(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE && wParam == SIZE_MINIMIZED && FMinimizeToTray) Minimize();
    return DefSubclassProc(FHookedAppWnd, msg, wParam, lParam);
}

LRESULT CALLBACK TsxTrayIcon::AppWndSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<TsxTrayIcon*>(data);
    if (id != AppWndSubclassId || !self || self->FHookedAppWnd != hwnd) return DefSubclassProc(hwnd, msg, wParam, lParam);
    try {
        return self->AppWndHook(msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

// ---- the shell's callbacks

LRESULT TsxTrayIcon::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TrayCallbackMessage) {
        if (IsDesigning() || !FEnabled) return 0;
        POINT pt{};
        GetCursorPos(&pt);
        TsxShiftState shift = KeyboardShiftState();
        switch (static_cast<UINT>(lParam)) {
        case WM_MOUSEMOVE:
            GetCursorPos(&pt);
            MouseMove(shift, pt.x, pt.y);
            break;
        case WM_LBUTTONDOWN:
            MouseDown(TsxMouseButton::mbLeft, shift | ssLeft, pt.x, pt.y);
            FLeftPressed = true;
            break;
        case WM_LBUTTONUP: {
            // Cleared first: a handler that raises must not leave a click armed for the next release.
            bool pressed = FLeftPressed;
            FLeftPressed = false;
            MouseUp(TsxMouseButton::mbLeft, shift | ssLeft, pt.x, pt.y);
            if (pressed) Click();
            if (FPopupByLeft) PopupAtCursor();
            break;
        }
        case WM_LBUTTONDBLCLK: DblClick(); break;
        case WM_RBUTTONDOWN: MouseDown(TsxMouseButton::mbRight, shift | ssRight, pt.x, pt.y); break;
        case WM_RBUTTONUP:
            MouseUp(TsxMouseButton::mbRight, shift | ssRight, pt.x, pt.y);
            PopupAtCursor();
            break;
        case WM_MBUTTONDOWN: MouseDown(TsxMouseButton::mbMiddle, shift | ssMiddle, pt.x, pt.y); break;
        case WM_MBUTTONUP: MouseUp(TsxMouseButton::mbMiddle, shift | ssMiddle, pt.x, pt.y); break;
        case NIN_BALLOONSHOW:
            if (OnBalloonShow) OnBalloonShow(this);
            break;
        case NIN_BALLOONTIMEOUT:
            if (OnBalloonTimeout) OnBalloonTimeout(this);
            break;
        case NIN_BALLOONUSERCLICK:
            if (OnBalloonClick) OnBalloonClick(this);
            break;
        default: return TsxCustomTimer::WndProc(msg, wParam, lParam);
        }
        return 0;
    }
    if (msg == WM_QUERYENDSESSION) return 1;
    // Explorer restarted with an empty notification area.
    if (msg == TaskbarCreatedMessage() && FVisible) {
        HideIcon();
        ShowIcon();
    }
    return TsxCustomTimer::WndProc(msg, wParam, lParam);
}

void TsxTrayIcon::MouseMove(TsxShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TsxTrayIcon::MouseDown(TsxMouseButton button, TsxShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TsxTrayIcon::MouseUp(TsxMouseButton button, TsxShiftState shift, int x, int y) {
    BringOwnerToForeground();
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TsxTrayIcon::Click() {
    if (OnClick) OnClick(this);
}

void TsxTrayIcon::DblClick() {
    if (FPopupMenu && FPopupMenu->AutoPopup() && !FPopupByLeft) {
        TMenuItem* items = FPopupMenu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            TMenuItem* item = items->Items(i);
            if (!item->Default()) continue;
            // A disabled or hidden default item cannot be chosen from the menu either.
            if (!item->Enabled() || !item->Visible()) break;
            item->Click();
            if (OnDblClick) OnDblClick(this);
            BringOwnerToForeground();
            return;
        }
    }
    if (IsDesigning()) return;
    auto* owner = dynamic_cast<TControl*>(Owner());
    if (FMinimizeToTray && owner && owner->HandleAllocated()) {
        if (owner->Visible()) HideApplication(); else ShowApplication();
    }
    if (OnDblClick) OnDblClick(this);
}

void TsxTrayIcon::Minimize() {
    if (IsDesigning()) return;
    HideApplication();
    SetVisible(true);
    if (OnMinimize) OnMinimize(this);
}

void TsxTrayIcon::PopupAtCursor() {
    if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
    POINT pt{};
    GetCursorPos(&pt);
    if (Application) Application->ProcessMessages();
    // A message just processed may have freed the menu.
    if (!FPopupMenu) return;
    BringOwnerToForeground();
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(pt.x, pt.y);
    if (auto* owner = dynamic_cast<TControl*>(Owner()); owner && owner->HandleAllocated())
        PostMessageA(owner->WindowHandle(), WM_NULL, 0, 0);
    if (OnPopupMenu) OnPopupMenu(this);
}

void TsxTrayIcon::BringOwnerToForeground() {
    auto* owner = dynamic_cast<TControl*>(Owner());
    // A hidden window cannot usefully be the foreground window; activating it only steals focus.
    if (owner && owner->HandleAllocated() && IsWindowVisible(owner->WindowHandle()))
        SetForegroundWindow(owner->WindowHandle());
}

// ---- icons from an image list, cycling

void TsxTrayIcon::IconFromImageList() {
    if (!FImageList) return;
    if (FIcon) {
        DestroyIcon(FIcon);
        FIcon = nullptr;
    }
    // An index outside the list (an empty list, a list being refilled) shows no image rather than failing.
    if (FImageIndex >= 0 && FImageIndex < FImageList->Count()) FIcon = FImageList->GetIcon(FImageIndex);
    UpdateTray();
}

void TsxTrayIcon::ImageListChange(TObject*) { IconFromImageList(); }

void TsxTrayIcon::Timer() {
    if (FImageList) SetImageIndex(FImageIndex < FImageList->Count() - 1 ? FImageIndex + 1 : 0);
    if (OnCycleIcons) OnCycleIcons(this);
}

void RegisterTrayIconClass() {
    TClassRegistration<TsxTrayIcon>("TsxTrayIcon", "TsxCustomTimer")
        .Bool("CycleIcons", &TsxTrayIcon::SetCycleIcons)
        .Custom("CycleInterval", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext& ctx) {
            t.SetCycleInterval(NonNegative(v, ctx));
        })
        .Bool("Enabled", &TsxTrayIcon::SetEnabled)
        .String("Hint", &TsxTrayIcon::SetHint)
        .Custom("Icon.Resource", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext& ctx) {
            try {
                t.LoadIconResource(v.AsString());
            } catch (const EsxTrayIcon& e) {
                throw EDescriptionError(ctx.Where + ": " + e.Message());
            }
        })
        .Custom("Icon.Data", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
            try {
                t.LoadIconData(v.Data);
            } catch (const EInvalidGraphic& e) {
                throw EDescriptionError(ctx.Where + ": " + e.Message());
            }
        })
        .Custom("ImageList", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext&) { t.SetImageListName(v.AsIdent()); })
        .Int("ImageIndex", &TsxTrayIcon::SetImageIndex)
        .Int("IconID", &TsxTrayIcon::SetIconID)
        .Bool("MinimizeToTray", &TsxTrayIcon::SetMinimizeToTray)
        .Bool("MinimizeOnStart", &TsxTrayIcon::SetMinimizeOnStart)
        .Custom("PopupMenu", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext&) { t.SetPopupMenuName(v.AsIdent()); })
        .Bool("PopupByLeft", &TsxTrayIcon::SetPopupByLeft)
        .Bool("ShowHint", &TsxTrayIcon::SetShowHint)
        .Bool("Visible", &TsxTrayIcon::SetVisible)
        .Bool("VisibleOnDesigning", &TsxTrayIcon::SetVisibleOnDesigning)
        .String("InfoText", &TsxTrayIcon::SetInfoText)
        .String("InfoTitle", &TsxTrayIcon::SetInfoTitle)
        .Int("InfoTimeout", &TsxTrayIcon::SetInfoTimeout)
        .Enum<TsxTrayIconInfoType>("InfoType", &TsxTrayIcon::SetInfoType,
                                   {{"tiiNone", TsxTrayIconInfoType::tiiNone},
                                    {"tiiInfo", TsxTrayIconInfoType::tiiInfo},
                                    {"tiiWarning", TsxTrayIconInfoType::tiiWarning},
                                    {"tiiError", TsxTrayIconInfoType::tiiError}})
        .Event<TNotifyEvent>("OnMinimize", &TsxTrayIcon::SetOnMinimize)
        .Event<TsxMouseMoveEvent>("OnMouseMove", &TsxTrayIcon::SetOnMouseMove)
        .Event<TsxMouseEvent>("OnMouseDown", &TsxTrayIcon::SetOnMouseDown)
        .Event<TsxMouseEvent>("OnMouseUp", &TsxTrayIcon::SetOnMouseUp)
        .Event<TNotifyEvent>("OnClick", &TsxTrayIcon::SetOnClick)
        .Event<TNotifyEvent>("OnDblClick", &TsxTrayIcon::SetOnDblClick)
        .Event<TNotifyEvent>("OnPopupMenu", &TsxTrayIcon::SetOnPopupMenu)
        .Event<TNotifyEvent>("OnShow", &TsxTrayIcon::SetOnShow)
        .Event<TNotifyEvent>("OnHide", &TsxTrayIcon::SetOnHide)
        .Event<TNotifyEvent>("OnCycleIcons", &TsxTrayIcon::SetOnCycleIcons)
        .Event<TNotifyEvent>("OnBalloonShow", &TsxTrayIcon::SetOnBalloonShow)
        .Event<TNotifyEvent>("OnBalloonTimeout", &TsxTrayIcon::SetOnBalloonTimeout)
        .Event<TNotifyEvent>("OnBalloonClick", &TsxTrayIcon::SetOnBalloonClick);
}
