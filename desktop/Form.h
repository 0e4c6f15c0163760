// desktop/Form.h -- TForm: a top-level window built from its description, shown modeless or modal
#pragma once
#include "Controls.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                       poMainFormCenter, poOwnerFormCenter };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };

// Modal results, as the buttons of a dialog set them.
constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY, mrIgnore = IDIGNORE,
              mrYes = IDYES, mrNo = IDNO, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14;

using TCloseEvent = TBoundMethod<void(TObject* sender, TCloseAction& action)>;

class TForm : public TControl {
public:
    explicit TForm(TComponent* owner);             // an empty form; derived forms then call InitDescription
    ~TForm() override;

    TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    unsigned BorderIcons() const noexcept { return FBorderIcons; }
    void SetBorderIcons(unsigned value);
    TPosition Position() const noexcept { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TFormStyle FormStyle() const noexcept { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    int ModalResult() const noexcept { return FModalResult; }
    void SetModalResult(int value);                // wakes a modal loop that waits for messages
    bool IsModal() const noexcept { return FModal; }

    void SetVisible(bool value) override;
    // Made visible by its description, the form shows at the application's next idle moment
    // (or at the first SetVisible(true) before it); until then it is neither visible nor shown.
    bool ShowsWhenIdle() const noexcept { return FShowWhenIdle; }
    void ShowWhenIdle();                           // the idle moment came: shows it if still due
    int ShowModal();                               // runs until ModalResult is set or the application ends
    void Close();                                  // asks CloseQuery, then OnClose decides
    virtual bool CloseQuery();
    void Center();                                 // centred on the work area of the screen
    void CenterAtSize(int width, int height);      // that size and centred, in one move
    // A key a control hands to its form: Enter clicks the default button, Escape the cancel
    // button (enabled and showing); true: one was clicked.
    bool DialogKey(WORD key);
    void BringToForeground();

    TNotifyEvent OnCreate, OnShow, OnHide, OnDestroy, OnActivate, OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    void SetOnCreate(const TNotifyEvent& e) { OnCreate = e; }
    void SetOnShow(const TNotifyEvent& e) { OnShow = e; }
    void SetOnHide(const TNotifyEvent& e) { OnHide = e; }
    void SetOnDestroy(const TNotifyEvent& e) { OnDestroy = e; }
    void SetOnActivate(const TNotifyEvent& e) { OnActivate = e; }
    void SetOnDeactivate(const TNotifyEvent& e) { OnDeactivate = e; }
    void SetOnClose(const TCloseEvent& e) { OnClose = e; }
    void SetOnCloseQuery(const TCloseQueryEvent& e) { OnCloseQuery = e; }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Loaded() override;
    void CreateMissingWindows(bool evenDeferred = false) override;

protected:
    // Reads the description compiled in for className (its RCDATA resource), then fires OnCreate;
    // a Visible set meanwhile (by the description, say) shows the form at the next idle moment.
    void InitDescription(const std::string& className);
    void CreateParams(TCreateParams& params) override;
    void RecreateStyle();

private:
    void ApplyPosition();
    void StyleChanged();                           // now, or before the controls get windows when loading
    void ApplyStyles();                            // the window's styles and frame, as they stand
    void ApplyDescribedFrame();
    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    unsigned FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = TPosition::poDesigned;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
    int FModalResult = mrNone;
    bool FModal = false;
    bool FPositioned = false;
    bool FCreating = false;                        // InitDescription runs
    bool FVisibleWhenCreated = false;              // what SetVisible asked for meanwhile
    bool FShowWhenIdle = false;
    int FWantedClientWidth = -1, FWantedClientHeight = -1;
    // Read while loading, applied in one go before the controls get windows.
    bool FRestyleDue = false, FResizeDue = false;
    friend void RegisterFormClasses();
};

// The form a control sits on (the control itself when it is a form); null when there is none.
TForm* ParentForm(TControl* control);

void RegisterFormClasses();
