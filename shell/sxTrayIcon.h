// shell/sxTrayIcon.h -- TsxTrayIcon: one icon in the notification area, its callbacks as events,
// balloon tips, minimise-to-tray and icon cycling through an image list
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <cstddef>
#include <string>
#include <vector>

#include "desktop/Events.h"
#include "desktop/SysUtils.h"
#include "shell/sxCustomTimer.h"
#include "shell/sxSysUtils.h"

class TImageList;
class TPopupMenu;

// Raised by InsertToTray and DeleteFromTray: "<Name>.InsertToTray failed".
class EsxTrayIcon : public Exception {
public:
    using Exception::Exception;
};

// The ordinal is the balloon's NIIF_* icon flag.
enum class TsxTrayIconInfoType { tiiNone, tiiInfo, tiiWarning, tiiError };

// The mouse-button part of a shift state, after the keyboard's ssShift, ssAlt and ssCtrl.
constexpr TsxShiftState ssLeft = 1u << 3, ssRight = 1u << 4, ssMiddle = 1u << 5;
enum class TsxMouseButton { mbLeft, mbRight, mbMiddle };

using TsxMouseMoveEvent = TBoundMethod<void(TObject* sender, TsxShiftState shift, int x, int y)>;
using TsxMouseEvent = TBoundMethod<void(TObject* sender, TsxMouseButton button, TsxShiftState shift, int x, int y)>;

// The shell sends this to the hidden window; lParam carries the mouse message or NIN_BALLOON* code.
constexpr UINT TrayCallbackMessage = 1235;
// The id of the message registered as "TaskbarCreated"; the shell broadcasts it when it (re)starts.
UINT TaskbarCreatedMessage();

// The notification record in its two forms: shell 5 (balloons, 128-byte tip) and the original
// one (64-byte tip). Their sizes follow the pointer width: 488/88 bytes on i686, 504/104 on x86_64.
constexpr DWORD TrayLargeRecordSize = offsetof(NOTIFYICONDATAA, guidItem);
constexpr DWORD TraySmallRecordSize = offsetof(NOTIFYICONDATAA, szTip) + 64;

class TsxTrayIcon : public TsxCustomTimer {
public:
    explicit TsxTrayIcon(TComponent* owner);
    ~TsxTrayIcon() override;                      // removes a shown icon; never throws, fires no events

    bool CycleIcons() const noexcept { return TsxCustomTimer::Enabled(); }
    void SetCycleIcons(bool value) { TsxCustomTimer::SetEnabled(value); }
    unsigned CycleInterval() const noexcept { return Interval(); }
    void SetCycleInterval(unsigned intervalMs) { SetInterval(intervalMs); }
    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }   // false: the shell's callbacks are ignored
    const std::string& Hint() const noexcept { return FHint; }
    void SetHint(const std::string& value);
    HICON Icon() const noexcept { return FIcon; }       // owned
    void SetIcon(HICON icon);                     // copied; null clears
    void LoadIconResource(const std::string& name);     // an ICON resource of the program; throws EsxTrayIcon
    void LoadIconData(const std::vector<unsigned char>& icoFile);   // the small-icon image; throws EInvalidGraphic
    TImageList* ImageList() const noexcept { return FImageList; }
    void SetImageList(TImageList* images);        // not owned; cleared when the list is freed
    // A window description names the list; the name is looked up among the owner's components in Loaded.
    void SetImageListName(const std::string& name) { FImageListName = name; }
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int value);
    int IconID() const noexcept { return FIconID; }
    void SetIconID(int value);                    // a shown icon is deleted and added under the new id
    bool MinimizeToTray() const noexcept { return FMinimizeToTray; }
    void SetMinimizeToTray(bool value) { FMinimizeToTray = value; }
    bool MinimizeOnStart() const noexcept { return FMinimizeOnStart; }
    void SetMinimizeOnStart(bool value) { FMinimizeOnStart = value; }   // read by Loaded
    TPopupMenu* PopupMenu() const noexcept { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu);          // not owned; cleared when the menu is freed
    void SetPopupMenuName(const std::string& name) { FPopupMenuName = name; }   // as SetImageListName
    bool PopupByLeft() const noexcept { return FPopupByLeft; }
    void SetPopupByLeft(bool value) { FPopupByLeft = value; }
    bool ShowHint() const noexcept { return FShowHint; }
    void SetShowHint(bool value);
    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool value);                  // while loading, Loaded adds the icon
    bool VisibleOnDesigning() const noexcept { return FVisibleOnDesigning; }
    void SetVisibleOnDesigning(bool value);
    const std::string& InfoText() const noexcept { return FInfoText; }
    void SetInfoText(const std::string& value) { FInfoText = value; }
    const std::string& InfoTitle() const noexcept { return FInfoTitle; }
    void SetInfoTitle(const std::string& value) { FInfoTitle = value; }
    int InfoTimeout() const noexcept { return FInfoTimeoutMs; }
    void SetInfoTimeout(int timeoutMs) { FInfoTimeoutMs = timeoutMs; }
    TsxTrayIconInfoType InfoType() const noexcept { return FInfoType; }
    void SetInfoType(TsxTrayIconInfoType value) { FInfoType = value; }

    TNotifyEvent OnMinimize, OnClick, OnDblClick, OnPopupMenu, OnShow, OnHide, OnCycleIcons, OnBalloonShow,
        OnBalloonTimeout, OnBalloonClick;
    TsxMouseMoveEvent OnMouseMove;
    TsxMouseEvent OnMouseDown, OnMouseUp;
    void SetOnMinimize(const TNotifyEvent& e) { OnMinimize = e; }
    void SetOnClick(const TNotifyEvent& e) { OnClick = e; }
    void SetOnDblClick(const TNotifyEvent& e) { OnDblClick = e; }
    void SetOnPopupMenu(const TNotifyEvent& e) { OnPopupMenu = e; }
    void SetOnShow(const TNotifyEvent& e) { OnShow = e; }
    void SetOnHide(const TNotifyEvent& e) { OnHide = e; }
    void SetOnCycleIcons(const TNotifyEvent& e) { OnCycleIcons = e; }
    void SetOnBalloonShow(const TNotifyEvent& e) { OnBalloonShow = e; }
    void SetOnBalloonTimeout(const TNotifyEvent& e) { OnBalloonTimeout = e; }
    void SetOnBalloonClick(const TNotifyEvent& e) { OnBalloonClick = e; }
    void SetOnMouseMove(const TsxMouseMoveEvent& e) { OnMouseMove = e; }
    void SetOnMouseDown(const TsxMouseEvent& e) { OnMouseDown = e; }
    void SetOnMouseUp(const TsxMouseEvent& e) { OnMouseUp = e; }

    void Loaded() override;                       // MinimizeOnStart, then the icon is first added here

    virtual void FillNotifyData();                // refills the record from the properties
    virtual bool UpdateTray();                    // NIM_MODIFY; the shell's answer, which callers may ignore
    virtual void ShowIcon();                      // adds the icon, fires OnShow; nothing when already shown
    virtual void HideIcon();                      // deletes the icon, fires OnHide; nothing when not shown
    virtual void PopupAtCursor();                 // PopupMenu at the cursor, when it pops up automatically
    virtual void ShowApplication();               // the main form shown (restored when minimised)
    virtual void HideApplication();               // the application window and the main form hidden
    virtual void ShowBalloon();                   // InfoText/InfoTitle as a balloon; shell 5 record only
    virtual void ShowBalloonHint() { ShowBalloon(); }

    void InsertToTray();                          // NIM_ADD, made by a thread; throws EsxTrayIcon, a refusal is ignored
    void DeleteFromTray();                        // NIM_DELETE; throws EsxTrayIcon, a refusal of the shell is ignored
    bool IconShown() const noexcept { return (FFlagsTemplate & NIF_ICON) != 0; }
    bool UsesLargeRecord() const noexcept { return FLargeRecord; }
    const NOTIFYICONDATAA& NotifyData() const noexcept { return FData; }   // as sent last

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT AppWndHook(UINT msg, WPARAM wParam, LPARAM lParam);   // the application window's messages
    void Timer() override;                        // one cycling step; does not fire OnTimer
    virtual void MouseMove(TsxShiftState shift, int x, int y);
    virtual void MouseDown(TsxMouseButton button, TsxShiftState shift, int x, int y);
    virtual void MouseUp(TsxMouseButton button, TsxShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    virtual void Minimize();                      // hides the application to the tray
    void Notification(TComponent* component, TOperation operation) override;
    // The record form is chosen from the system version at construction.
    void SetLargeRecord(bool value) noexcept { FLargeRecord = value; }

private:
    void FillAndNotify(DWORD message, const char* operation);   // throws EsxTrayIcon naming the operation
    void AwaitPendingAdd(DWORD timeoutMs = INFINITE);            // the add InsertToTray handed to a thread
    void HookAppWnd();
    void UnhookAppWnd();
    void IconFromImageList();
    void ImageListChange(TObject* sender);
    void CycleTick(TObject*) {}                  // the timer runs only while a handler is assigned
    void BringOwnerToForeground();
    void SetVisibleState(bool value);
    static LRESULT CALLBACK AppWndSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data);

    NOTIFYICONDATAA FData{};
    UINT FFlagsTemplate = NIF_MESSAGE | NIF_TIP;
    bool FLargeRecord = true;
    HICON FIcon = nullptr;
    HANDLE FPendingAdd = nullptr;                  // the thread making the last NIM_ADD, until waited for
    bool FEnabled = true;
    std::string FHint;
    TImageList* FImageList = nullptr;
    int FImageIndex = 0;
    int FIconID = 0;
    bool FMinimizeToTray = false;
    bool FMinimizeOnStart = false;
    TPopupMenu* FPopupMenu = nullptr;
    bool FPopupByLeft = false;
    bool FShowHint = true;
    bool FVisible = false;
    bool FVisibleOnDesigning = false;
    std::string FInfoText;
    std::string FInfoTitle;
    int FInfoTimeoutMs = 10000;
    TsxTrayIconInfoType FInfoType = TsxTrayIconInfoType::tiiNone;
    bool FLeftPressed = false;
    HWND FHookedAppWnd = nullptr;                 // borrowed: the application's window while subclassed
    bool FTearingDown = false;

    std::string FPopupMenuName, FImageListName;   // references read from a description, resolved in Loaded
};

// Registers TsxTrayIcon; TsxCustomTimer comes first.
void RegisterTrayIconClass();
// Registers TsxCustomTimer and TsxTrayIcon for window descriptions; safe to call more than once.
void RegisterTrayClasses();
