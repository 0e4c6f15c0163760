// tests/shell/sxTrayIconTest.cpp -- TsxTrayIcon: the notification record, the callback dispatch,
// showing and hiding without double events, minimise-to-tray, the shell restart, loading from a
// description, and the icon as Wine's notification area really shows it
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "desktop/ImageList.h"
#include "desktop/Menus.h"
#include "shell/sxTrayIcon.h"
#include "tests/support/MessagePump.h"

namespace {

using sxtest::PumpUntil;

const char* ButtonName(TsxMouseButton b) {
    return b == TsxMouseButton::mbLeft ? "left" : b == TsxMouseButton::mbRight ? "right" : "middle";
}

// Owner of the components under test; writes every event it sees to Log.
class TRecorder : public TComponent {
public:
    TRecorder() : TComponent(nullptr) {}
    explicit TRecorder(TComponent* owner) : TComponent(owner) {}
    void Note(const std::string& what) { Log.push_back(what); }
    void Click(TObject*) { Note("click"); }
    void DblClick(TObject*) { Note("dblclick"); }
    void PopupMenu(TObject*) { Note("popupmenu"); }
    void Show(TObject*) { Note("show"); }
    void Hide(TObject*) { Note("hide"); }
    void Minimize(TObject*) { Note("minimize"); }
    void CycleIcons(TObject*) { Note("cycle"); }
    void BalloonShow(TObject*) { Note("balloonshow"); }
    void BalloonTimeout(TObject*) { Note("balloontimeout"); }
    void BalloonClick(TObject*) { Note("balloonclick"); }
    void ItemClick(TObject*) { Note("item"); }
    void MouseMove(TObject*, TsxShiftState, int, int) { Note("move"); }
    void MouseDown(TObject*, TsxMouseButton b, TsxShiftState s, int, int) {
        Note(std::string("down ") + ButtonName(b));
        LastShift = s;
    }
    void MouseUp(TObject*, TsxMouseButton b, TsxShiftState s, int, int) {
        Note(std::string("up ") + ButtonName(b));
        LastShift = s;
    }
    void Fail(TObject*) { throw Exception("handler failed"); }
    std::vector<std::string> Log;
    TsxShiftState LastShift = 0;
};

class TTestTray : public TsxTrayIcon {
public:
    using TsxTrayIcon::TsxTrayIcon;
    void UseSmallRecord() { SetLargeRecord(false); }
    void FillNotifyData() override {
        if (FailFill) throw Exception("fill failed");
        TsxTrayIcon::FillNotifyData();
    }
    bool FailFill = false;
};

// Records the request instead of running TrackPopupMenu's modal loop.
class TTestPopupMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int, int) override {
        ++Popups;
        Component = PopupComponent();
        if (Log) Log->push_back("popup");
    }
    int Popups = 0;
    TComponent* Component = nullptr;
    std::vector<std::string>* Log = nullptr;
};

void BindAll(TsxTrayIcon& tray, TRecorder& r) {
    tray.OnClick = TNotifyEvent(&r, &TRecorder::Click);
    tray.OnDblClick = TNotifyEvent(&r, &TRecorder::DblClick);
    tray.OnPopupMenu = TNotifyEvent(&r, &TRecorder::PopupMenu);
    tray.OnShow = TNotifyEvent(&r, &TRecorder::Show);
    tray.OnHide = TNotifyEvent(&r, &TRecorder::Hide);
    tray.OnMinimize = TNotifyEvent(&r, &TRecorder::Minimize);
    tray.OnCycleIcons = TNotifyEvent(&r, &TRecorder::CycleIcons);
    tray.OnBalloonShow = TNotifyEvent(&r, &TRecorder::BalloonShow);
    tray.OnBalloonTimeout = TNotifyEvent(&r, &TRecorder::BalloonTimeout);
    tray.OnBalloonClick = TNotifyEvent(&r, &TRecorder::BalloonClick);
    tray.OnMouseMove = TsxMouseMoveEvent(&r, &TRecorder::MouseMove);
    tray.OnMouseDown = TsxMouseEvent(&r, &TRecorder::MouseDown);
    tray.OnMouseUp = TsxMouseEvent(&r, &TRecorder::MouseUp);
}

// As the shell does: the callback message posted to the hidden window, then the loop runs.
void PostCallbacks(const TsxTrayIcon& tray, std::initializer_list<UINT> codes) {
    for (UINT code : codes)
        PostMessageA(tray.WindowHandle(), TrayCallbackMessage, static_cast<WPARAM>(tray.IconID()), code);
    Application->ProcessMessages();
}

using TLog = std::vector<std::string>;

// ---- the notification record

TEST(sxTrayIconRecordTest, SizesAreThoseOfTheShellStructuresOfThisArchitecture) {
#ifdef _WIN64
    EXPECT_EQ(TrayLargeRecordSize, 504u);
    EXPECT_EQ(TraySmallRecordSize, 104u);
#else
    EXPECT_EQ(TrayLargeRecordSize, 488u);
    EXPECT_EQ(TraySmallRecordSize, 88u);
#endif
    EXPECT_EQ(TrayLargeRecordSize, offsetof(NOTIFYICONDATAA, dwInfoFlags) + sizeof(DWORD));
    EXPECT_EQ(TraySmallRecordSize, offsetof(NOTIFYICONDATAA, szTip) + 64);
}

TEST(sxTrayIconRecordTest, FillsWindowIdFlagsCallbackAndIcon) {
    TTestTray tray(nullptr);
    tray.SetIconID(7);
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    tray.SetIcon(icon);
    tray.FillNotifyData();
    const NOTIFYICONDATAA& d = tray.NotifyData();
    EXPECT_TRUE(tray.UsesLargeRecord());   // Wine reports an NT system of version 5 or later
    EXPECT_EQ(d.cbSize, TrayLargeRecordSize);
    EXPECT_EQ(d.hWnd, tray.WindowHandle());
    EXPECT_EQ(d.uID, 7u);
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_TIP));   // 5 until the icon is shown
    EXPECT_EQ(d.uCallbackMessage, 1235u);
    EXPECT_EQ(d.hIcon, tray.Icon());
    EXPECT_NE(tray.Icon(), nullptr);
    EXPECT_NE(tray.Icon(), icon);   // a copy of its own

    tray.ShowIcon();
    EXPECT_EQ(tray.NotifyData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    tray.HideIcon();
    EXPECT_EQ(tray.NotifyData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_TIP));
}

TEST(sxTrayIconRecordTest, TipIsCutToTheFieldOfTheRecordForm) {
    struct TCase {
        bool Small;
        bool ShowHint;
        size_t HintLength;
        size_t TipLength;
    };
    const TCase cases[] = {
        {false, true, 200, 127}, {false, true, 127, 127}, {false, true, 8, 8},
        {true, true, 200, 63},   {true, true, 63, 63},    {false, false, 8, 0},
    };
    for (const TCase& c : cases) {
        TTestTray tray(nullptr);
        if (c.Small) tray.UseSmallRecord();
        tray.SetShowHint(c.ShowHint);
        std::string hint(c.HintLength, 'h');
        tray.SetHint(hint);
        tray.FillNotifyData();
        const NOTIFYICONDATAA& d = tray.NotifyData();
        std::string tip(d.szTip);
        EXPECT_EQ(tip, hint.substr(0, c.TipLength)) << c.Small << " " << c.ShowHint << " " << c.HintLength;
        EXPECT_EQ(d.cbSize, c.Small ? TraySmallRecordSize : TrayLargeRecordSize);
    }
}

TEST(sxTrayIconRecordTest, BalloonSendsInfoFlagAloneWithCutTextsTimeoutAndType) {
    TTestTray tray(nullptr);
    tray.SetHint("tip");
    tray.SetInfoText(std::string(300, 't'));
    tray.SetInfoTitle(std::string(100, 'T'));
    tray.SetInfoTimeout(3000);
    tray.SetInfoType(TsxTrayIconInfoType::tiiWarning);
    tray.ShowIcon();
    tray.ShowBalloon();
    const NOTIFYICONDATAA& d = tray.NotifyData();
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(std::string(d.szInfo), std::string(255, 't'));
    EXPECT_EQ(std::string(d.szInfoTitle), std::string(63, 'T'));
    EXPECT_EQ(d.uTimeout, 3000u);
    EXPECT_EQ(d.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_EQ(std::string(d.szTip), "tip");
    // The template is untouched: the next modify sends message, icon and tip again.
    tray.UpdateTray();
    EXPECT_EQ(tray.NotifyData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(tray.NotifyData().szInfo[0], '\0');
}

TEST(sxTrayIconRecordTest, SmallFormSendsNoBalloon) {
    TTestTray tray(nullptr);
    tray.UseSmallRecord();
    tray.SetInfoText("text");
    tray.ShowIcon();
    tray.ShowBalloon();
    EXPECT_NE(tray.NotifyData().uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(tray.NotifyData().szInfo[0], '\0');
}

TEST(sxTrayIconRecordTest, DefaultsOfANewIcon) {
    TTestTray tray(nullptr);
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.IconShown());
    EXPECT_TRUE(tray.Enabled());
    EXPECT_TRUE(tray.ShowHint());
    EXPECT_FALSE(tray.CycleIcons());
    EXPECT_EQ(tray.CycleInterval(), 200u);
    EXPECT_EQ(tray.InfoTimeout(), 10000);
    EXPECT_EQ(tray.InfoType(), TsxTrayIconInfoType::tiiNone);
    EXPECT_FALSE(tray.IsTimerRunning());
}

TEST(sxTrayIconRecordTest, FailuresInsideTheShellCallsNameTheComponent) {
    TTestTray tray(nullptr);
    tray.SetName("tray");
    tray.FailFill = true;
    try {
        tray.InsertToTray();
        FAIL() << "no exception";
    } catch (const EsxTrayIcon& e) {
        EXPECT_STREQ(e.what(), "tray.InsertToTray failed");
    }
    try {
        tray.DeleteFromTray();
        FAIL() << "no exception";
    } catch (const EsxTrayIcon& e) {
        EXPECT_STREQ(e.what(), "tray.DeleteFromTray failed");
    }
    // A failed show leaves the icon hidden and Visible false.
    EXPECT_THROW(tray.SetVisible(true), EsxTrayIcon);
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.IconShown());
}

// ---- the callback dispatch

class sxTrayIconDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        BindAll(Tray, Rec);
        Menu.Log = &Rec.Log;
        Tray.SetPopupMenu(&Menu);
    }
    TRecorder Rec;
    TTestTray Tray{&Rec};
    TTestPopupMenu Menu{&Rec};
};

TEST_F(sxTrayIconDispatchTest, PressAndReleaseGiveDownUpClickInOrder) {
    PostCallbacks(Tray, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_EQ(Rec.Log, (TLog{"down left", "up left", "click"}));
    EXPECT_TRUE(Rec.LastShift & ssLeft);
    EXPECT_EQ(Menu.Popups, 0);
}

TEST_F(sxTrayIconDispatchTest, ReleaseWithoutPressGivesNoClick) {
    PostCallbacks(Tray, {WM_LBUTTONUP});
    EXPECT_EQ(Rec.Log, (TLog{"up left"}));
}

TEST_F(sxTrayIconDispatchTest, DoubleClickGivesOneClickAndOneDoubleClick) {
    PostCallbacks(Tray, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    EXPECT_EQ(Rec.Log, (TLog{"down left", "up left", "click", "dblclick", "up left"}));
}

TEST_F(sxTrayIconDispatchTest, RightReleaseOpensThePopupAfterMouseUp) {
    PostCallbacks(Tray, {WM_RBUTTONDOWN, WM_RBUTTONUP});
    EXPECT_EQ(Rec.Log, (TLog{"down right", "up right", "popup", "popupmenu"}));
    EXPECT_TRUE(Rec.LastShift & ssRight);
    EXPECT_EQ(Menu.Popups, 1);
    EXPECT_EQ(Menu.Component, &Tray);
}

TEST_F(sxTrayIconDispatchTest, PopupByLeftOpensAfterTheClickAndNeverClicksTheDefaultItem) {
    auto* item = new TMenuItem(&Rec);
    item->SetCaption("Open");
    item->SetDefault(true);
    item->OnClick = TNotifyEvent(&Rec, &TRecorder::ItemClick);
    Menu.Items()->Add(item);
    Tray.SetPopupByLeft(true);
    // Apart: the popup lets the application process what is pending, a queued double click included.
    PostCallbacks(Tray, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    PostCallbacks(Tray, {WM_LBUTTONDBLCLK});
    EXPECT_EQ(Rec.Log, (TLog{"down left", "up left", "click", "popup", "popupmenu", "dblclick"}));
}

TEST_F(sxTrayIconDispatchTest, NoPopupWhenTheMenuDoesNotPopUpAutomatically) {
    Menu.SetAutoPopup(false);
    PostCallbacks(Tray, {WM_RBUTTONUP});
    EXPECT_EQ(Menu.Popups, 0);
}

TEST_F(sxTrayIconDispatchTest, DoubleClickClicksTheFirstEnabledDefaultItem) {
    auto* plain = new TMenuItem(&Rec);
    plain->SetCaption("Plain");
    auto* item = new TMenuItem(&Rec);
    item->SetCaption("Open");
    item->SetDefault(true);
    item->OnClick = TNotifyEvent(&Rec, &TRecorder::ItemClick);
    Menu.Items()->Add(plain);
    Menu.Items()->Add(item);
    PostCallbacks(Tray, {WM_LBUTTONDBLCLK});
    EXPECT_EQ(Rec.Log, (TLog{"item", "dblclick"}));

    // A default item the user could not choose from the menu is not chosen by a double click either.
    Rec.Log.clear();
    item->SetEnabled(false);
    PostCallbacks(Tray, {WM_LBUTTONDBLCLK});
    EXPECT_EQ(Rec.Log, (TLog{"dblclick"}));
}

TEST_F(sxTrayIconDispatchTest, BalloonNotificationsAndOtherCodes) {
    struct TCase {
        UINT Code;
        TLog Expected;
    };
    const TCase cases[] = {
        {NIN_BALLOONSHOW, {"balloonshow"}},   {NIN_BALLOONTIMEOUT, {"balloontimeout"}},
        {NIN_BALLOONUSERCLICK, {"balloonclick"}}, {NIN_BALLOONHIDE, {}},
        {WM_MOUSEMOVE, {"move"}},             {WM_MBUTTONDOWN, {"down middle"}},
        {WM_MBUTTONUP, {"up middle"}},        {WM_RBUTTONDBLCLK, {}},
    };
    for (const TCase& c : cases) {
        Rec.Log.clear();
        PostCallbacks(Tray, {c.Code});
        EXPECT_EQ(Rec.Log, c.Expected) << c.Code;
    }
}

TEST_F(sxTrayIconDispatchTest, DisabledIconIgnoresEveryCallback) {
    Tray.SetEnabled(false);
    PostCallbacks(Tray, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP, NIN_BALLOONUSERCLICK});
    EXPECT_TRUE(Rec.Log.empty());
    EXPECT_EQ(Menu.Popups, 0);
}

TEST_F(sxTrayIconDispatchTest, ARaisingHandlerDoesNotArmAClickForTheNextRelease) {
    TExceptionEvent saved = Application->OnException;
    // Without a handler for OnException a box would block; count the exceptions through a sink.
    struct TSink : TComponent {
        TSink() : TComponent(nullptr) {}
        void Error(TObject*, const std::exception&) { ++Count; }
        int Count = 0;
    } sink;
    Application->OnException = TExceptionEvent(&sink, &TSink::Error);
    Tray.OnMouseUp = nullptr;
    Tray.OnMouseDown = nullptr;
    Tray.OnClick = TNotifyEvent(&Rec, &TRecorder::Fail);
    PostCallbacks(Tray, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    Tray.OnClick = TNotifyEvent(&Rec, &TRecorder::Click);
    PostCallbacks(Tray, {WM_LBUTTONUP});
    Application->OnException = saved;
    EXPECT_EQ(sink.Count, 1);
    EXPECT_TRUE(Rec.Log.empty());
}

TEST_F(sxTrayIconDispatchTest, FreedPopupMenuIsForgotten) {
    TTestPopupMenu* other = new TTestPopupMenu(&Rec);
    Tray.SetPopupMenu(other);
    delete other;
    EXPECT_EQ(Tray.PopupMenu(), nullptr);
    PostCallbacks(Tray, {WM_RBUTTONUP});
    EXPECT_EQ(Rec.Log, (TLog{"up right"}));
}

TEST_F(sxTrayIconDispatchTest, QueryEndSessionIsAnsweredYes) {
    EXPECT_EQ(SendMessageA(Tray.WindowHandle(), WM_QUERYENDSESSION, 0, 0), 1);
}

// ---- showing and hiding

class sxTrayIconVisibilityTest : public ::testing::Test {
protected:
    void SetUp() override { BindAll(Tray, Rec); }
    TRecorder Rec;
    TTestTray Tray{&Rec};
};

TEST_F(sxTrayIconVisibilityTest, EachChangeFiresItsEventOnce) {
    Tray.SetVisible(true);
    EXPECT_TRUE(Tray.IconShown());
    Tray.SetVisible(true);
    Tray.ShowIcon();   // already shown
    EXPECT_EQ(Rec.Log, (TLog{"show"}));
    Tray.HideIcon();
    EXPECT_FALSE(Tray.Visible());
    Tray.HideIcon();
    Tray.SetVisible(false);
    EXPECT_EQ(Rec.Log, (TLog{"show", "hide"}));
    // Called directly, ShowIcon sets Visible without going round through the setter a second time.
    Tray.ShowIcon();
    EXPECT_TRUE(Tray.Visible());
    EXPECT_EQ(Rec.Log, (TLog{"show", "hide", "show"}));
}

TEST_F(sxTrayIconVisibilityTest, ChangingIconIdWhileVisibleMovesTheIcon) {
    Tray.SetVisible(true);
    Rec.Log.clear();
    Tray.SetIconID(3);
    EXPECT_EQ(Rec.Log, (TLog{"hide", "show"}));
    EXPECT_EQ(Tray.NotifyData().uID, 3u);
    EXPECT_TRUE(Tray.Visible());
    Rec.Log.clear();
    Tray.SetVisible(false);
    Tray.SetIconID(4);
    EXPECT_EQ(Rec.Log, (TLog{"hide"}));
    EXPECT_FALSE(Tray.Visible());
}

TEST_F(sxTrayIconVisibilityTest, TaskbarCreatedAddsAVisibleIconAgain) {
    PostMessageA(Tray.WindowHandle(), TaskbarCreatedMessage(), 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(Rec.Log.empty());   // not visible: nothing to re-add

    Tray.SetVisible(true);
    Rec.Log.clear();
    PostMessageA(Tray.WindowHandle(), TaskbarCreatedMessage(), 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(Rec.Log, (TLog{"hide", "show"}));
    EXPECT_TRUE(Tray.IconShown());
}

TEST(sxTrayIconTeardownTest, DestructionRemovesTheIconAndFiresNothing) {
    TRecorder rec;
    auto* tray = new TTestTray(&rec);
    BindAll(*tray, rec);
    tray->SetMinimizeToTray(true);
    tray->SetVisible(true);
    rec.Log.clear();
    // The shell has lost the icon already (explorer restarted): the delete is refused, nothing raises.
    NOTIFYICONDATAA d = tray->NotifyData();
    Shell_NotifyIconA(NIM_DELETE, &d);
    EXPECT_NO_THROW(delete tray);
    EXPECT_TRUE(rec.Log.empty());
}

// ---- icons from an image list

class sxTrayIconImagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        BindAll(Tray, Rec);
        for (int i = 0; i < 3; ++i) Images->AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
    }
    // One tick as the timer gives it.
    void Tick() {
        PostMessageA(Tray.WindowHandle(), WM_TIMER, 1, 0);
        Application->ProcessMessages();
    }
    TRecorder Rec;
    TImageList* Images = new TImageList(&Rec);
    TTestTray Tray{&Rec};
};

TEST_F(sxTrayIconImagesTest, CyclingRunsThroughTheImagesAndWraps) {
    Tray.SetImageList(Images);
    Tray.SetCycleInterval(100000);   // ticks come from the test only
    Tray.SetCycleIcons(true);
    ASSERT_TRUE(Tray.IsTimerRunning());
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        Tick();
        seen.push_back(Tray.ImageIndex());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(Rec.Log, (TLog{"cycle", "cycle", "cycle", "cycle"}));
    Tray.SetCycleIcons(false);
    EXPECT_FALSE(Tray.IsTimerRunning());
}

TEST_F(sxTrayIconImagesTest, CyclingAnEmptyListStaysAtZero) {
    Images->Clear();
    Tray.SetImageList(Images);
    Tray.SetCycleInterval(100000);
    Tray.SetCycleIcons(true);
    Tick();
    Tick();
    EXPECT_EQ(Tray.ImageIndex(), 0);
    EXPECT_EQ(Tray.Icon(), nullptr);
}

TEST_F(sxTrayIconImagesTest, IconFollowsTheListAndOutOfRangeShowsNone) {
    Tray.SetImageList(Images);
    EXPECT_NE(Tray.Icon(), nullptr);
    Tray.SetImageIndex(5);
    EXPECT_EQ(Tray.Icon(), nullptr);
    Tray.SetImageIndex(1);
    ASSERT_NE(Tray.Icon(), nullptr);
    // A change of the list takes the image again; a cleared list leaves no stale image.
    Images->Clear();
    EXPECT_EQ(Tray.Icon(), nullptr);
    Images->AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
    Images->AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_NE(Tray.Icon(), nullptr);
    // Freed, the list is forgotten and the icon keeps its last image.
    delete Images;
    EXPECT_EQ(Tray.ImageList(), nullptr);
    EXPECT_NE(Tray.Icon(), nullptr);
}

// ---- the application and minimise-to-tray

class sxTrayIconApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Application->MainForm(), nullptr);
        Main = Application->CreateForm<TForm>();
        Main->SetBounds(100, 100, 300, 200);
        Main->SetVisible(true);
        Tray = new TTestTray(Main);
        BindAll(*Tray, Rec);
    }
    void TearDown() override { delete Main; }
    bool MainShown() const { return IsWindowVisible(Main->WindowHandle()) && !IsIconic(Main->WindowHandle()); }
    void MinimiseButton() {
        // As the caption's minimise button sends it.
        PostMessageA(Main->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        Application->ProcessMessages();
    }
    TRecorder Rec;
    TForm* Main = nullptr;
    TTestTray* Tray = nullptr;
};

TEST_F(sxTrayIconApplicationTest, MinimisingWithMinimizeToTrayHidesToTheTray) {
    Tray->SetMinimizeToTray(true);
    MinimiseButton();
    EXPECT_FALSE(IsWindowVisible(Main->WindowHandle()));
    EXPECT_FALSE(Main->Visible());
    EXPECT_TRUE(Tray->Visible());
    EXPECT_TRUE(Tray->IconShown());
    EXPECT_EQ(Rec.Log, (TLog{"show", "minimize"}));

    // A double click brings it back, restored; the next one hides it again.
    PostCallbacks(*Tray, {WM_LBUTTONDBLCLK});
    EXPECT_TRUE(MainShown());
    PostCallbacks(*Tray, {WM_LBUTTONDBLCLK});
    EXPECT_FALSE(IsWindowVisible(Main->WindowHandle()));
}

TEST_F(sxTrayIconApplicationTest, MinimisingWithoutMinimizeToTrayMinimisesNormally) {
    MinimiseButton();
    EXPECT_TRUE(IsIconic(Main->WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(Main->WindowHandle()));
    EXPECT_FALSE(Tray->Visible());
    EXPECT_TRUE(Rec.Log.empty());
}

TEST_F(sxTrayIconApplicationTest, ShowAndHideApplicationLeaveTheIconAlone) {
    Tray->SetVisible(true);
    Rec.Log.clear();
    Tray->HideApplication();
    EXPECT_FALSE(IsWindowVisible(Main->WindowHandle()));
    Tray->ShowApplication();
    EXPECT_TRUE(MainShown());
    ShowWindow(Main->WindowHandle(), SW_MINIMIZE);
    Tray->ShowApplication();
    EXPECT_TRUE(MainShown());
    EXPECT_TRUE(Tray->Visible());
    EXPECT_TRUE(Rec.Log.empty());
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

TEST_F(sxTrayIconApplicationTest, HidingTheIconWithMinimizeToTrayShowsTheApplication) {
    Tray->SetMinimizeToTray(true);
    Tray->SetVisible(true);
    Tray->HideApplication();
    Tray->SetVisible(false);
    EXPECT_TRUE(MainShown());
    // After a shell restart too: the re-add goes through the hide step.
    Tray->SetVisible(true);
    Tray->HideApplication();
    PostMessageA(Tray->WindowHandle(), TaskbarCreatedMessage(), 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(MainShown());
    EXPECT_TRUE(Tray->IconShown());
}

TEST_F(sxTrayIconApplicationTest, FreeingAShownIconWithItsFormShowsNothing) {
    Tray->SetMinimizeToTray(true);
    Tray->SetVisible(true);
    Tray->HideApplication();
    delete Tray;
    EXPECT_FALSE(IsWindowVisible(Main->WindowHandle()));
    EXPECT_TRUE(Rec.Log == (TLog{"show"}));
}

// ---- Wine's notification area

// Wine's explorer shows the icons as child windows of its standalone tray window.
std::vector<HWND> WineTrayIcons() {
    std::vector<HWND> icons;
    HWND tray = nullptr;
    while ((tray = FindWindowExA(nullptr, tray, "__winex11_standalone_tray", nullptr)))
        for (HWND icon = nullptr; (icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr));)
            icons.push_back(icon);
    return icons;
}

class sxTrayIconShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        BindAll(Tray, Rec);
        Tray.SetHint("Sentinox test");
        Tray.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
        Before = WineTrayIcons().size();
    }
    bool IconCountIs(size_t n) {
        return PumpUntil([&] { return WineTrayIcons().size() == n; }, 3000);
    }
    TRecorder Rec;
    TTestTray Tray{&Rec};
    size_t Before = 0;
};

TEST_F(sxTrayIconShellTest, TheIconAppearsInTheNotificationAreaAndGoes) {
    Tray.SetVisible(true);
    ASSERT_TRUE(IconCountIs(Before + 1)) << WineTrayIcons().size() << " icons";
    Tray.SetVisible(false);
    EXPECT_TRUE(IconCountIs(Before));
    Tray.SetVisible(true);
    ASSERT_TRUE(IconCountIs(Before + 1));
    // A shell restart's broadcast leaves exactly one icon, not two.
    PostMessageA(Tray.WindowHandle(), TaskbarCreatedMessage(), 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(IconCountIs(Before + 1));
}

TEST_F(sxTrayIconShellTest, ACallRightAfterTheAddFindsTheIconInTheShell) {
    // The add is made by a thread; the modification waits for it, so the shell knows the icon.
    Tray.SetVisible(true);
    EXPECT_TRUE(Tray.UpdateTray());
    Tray.SetVisible(false);
    EXPECT_FALSE(Tray.IconShown());
    EXPECT_TRUE(IconCountIs(Before));
}

TEST_F(sxTrayIconShellTest, AClickOnTheShellsIconWindowReachesOnClick) {
    std::vector<HWND> old = WineTrayIcons();
    Tray.SetVisible(true);
    ASSERT_TRUE(IconCountIs(Before + 1));
    HWND ours = nullptr;
    for (HWND icon : WineTrayIcons())
        if (std::find(old.begin(), old.end(), icon) == old.end()) ours = icon;
    ASSERT_NE(ours, nullptr);
    Rec.Log.clear();
    PostMessageA(ours, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageA(ours, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    EXPECT_TRUE(PumpUntil([&] { return std::find(Rec.Log.begin(), Rec.Log.end(), "click") != Rec.Log.end(); }, 3000));
    EXPECT_EQ(std::count(Rec.Log.begin(), Rec.Log.end(), "click"), 1);
}

TEST(sxTrayIconShellTeardownTest, FreeingTheComponentRemovesItsIcon) {
    size_t before = WineTrayIcons().size();
    {
        TTestTray tray(nullptr);
        tray.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
        tray.SetVisible(true);
        ASSERT_TRUE(PumpUntil([&] { return WineTrayIcons().size() == before + 1; }, 3000));
    }
    EXPECT_TRUE(PumpUntil([&] { return WineTrayIcons().size() == before; }, 3000));
}

// ---- loading from a window description

class TTrayTestRoot : public TComponent {
public:
    TTrayTestRoot() : TComponent(nullptr) {}
    void trayClick(TObject*) { Log.push_back("click"); }
    void trayBalloonClick(TObject*) { Log.push_back("balloonclick"); }
    void trayShow(TObject* sender) {
        // The icon is to be added only once every property, the menu reference included, is in place.
        auto* tray = static_cast<TsxTrayIcon*>(sender);
        Log.push_back(std::string("show") + (tray->IsLoading() ? " while loading" : "") +
                      (tray->PopupMenu() ? " with menu" : ""));
    }
    void trayMinimize(TObject*) { Log.push_back("minimize"); }
    std::vector<std::string> Log;
};

const TClassInfo& TrayRootClass() {
    RegisterTrayClasses();
    static TClassInfo& info = TClassRegistration<TTrayTestRoot>("TTrayTestRoot", "TComponent")
                                  .Handler("trayClick", &TTrayTestRoot::trayClick)
                                  .Handler("trayBalloonClick", &TTrayTestRoot::trayBalloonClick)
                                  .Handler("trayShow", &TTrayTestRoot::trayShow)
                                  .Handler("trayMinimize", &TTrayTestRoot::trayMinimize)
                                  .Info();
    return info;
}

TEST(TrayClassesTest, MainWindowTrayLoadsAndAddsItsIconAtTheEnd) {
    TTrayTestRoot root;
    LoadDescription(&root, TrayRootClass(),
                    "object root: TTrayTestRoot\n"
                    "  object tray: TsxTrayIcon\n"
                    "    About = 'sx'\n"
                    "    Hint = 'Sentinox'\n"
                    "    MinimizeToTray = True\n"
                    "    PopupMenu = popup\n"
                    "    Visible = True\n"
                    "    InfoTimeout = 3000\n"
                    "    InfoType = tiiInfo\n"
                    "    CycleInterval = 500\n"
                    "    OnClick = trayClick\n"
                    "    OnBalloonClick = trayBalloonClick\n"
                    "    OnShow = trayShow\n"
                    "  end\n"
                    "  object popup: TPopupMenu\n"
                    "  end\n"
                    "end\n");
    auto* tray = dynamic_cast<TsxTrayIcon*>(root.FindComponent("tray"));
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->PopupMenu(), root.FindComponent("popup"));
    EXPECT_EQ(tray->Hint(), "Sentinox");
    EXPECT_TRUE(tray->MinimizeToTray());
    EXPECT_EQ(tray->InfoTimeout(), 3000);
    EXPECT_EQ(tray->InfoType(), TsxTrayIconInfoType::tiiInfo);
    EXPECT_EQ(tray->CycleInterval(), 500u);
    EXPECT_TRUE(tray->Visible());
    EXPECT_TRUE(tray->IconShown());
    EXPECT_EQ(root.Log, (TLog{"show with menu"}));
    root.Log.clear();
    PostCallbacks(*tray, {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_BALLOONUSERCLICK});
    EXPECT_EQ(root.Log, (TLog{"click", "balloonclick"}));
}

TEST(TrayClassesTest, MinimizeOnStartMinimisesAndShowsTheIconOnce) {
    struct TCase {
        const char* Visible;
        TLog Expected;
    };
    // Hidden in the description, the minimise shows the icon and the final step must not add it again.
    const TCase cases[] = {{"True", {"minimize", "show"}}, {"False", {"show", "minimize"}}};
    for (const TCase& c : cases) {
        TTrayTestRoot root;
        LoadDescription(&root, TrayRootClass(),
                        std::string("object root: TTrayTestRoot\n"
                                    "  object tray: TsxTrayIcon\n"
                                    "    MinimizeOnStart = True\n"
                                    "    Visible = ") +
                            c.Visible +
                            "\n"
                            "    OnShow = trayShow\n"
                            "    OnMinimize = trayMinimize\n"
                            "  end\n"
                            "end\n");
        EXPECT_FALSE(Application->ShowMainForm);
        Application->ShowMainForm = true;
        EXPECT_EQ(root.Log, c.Expected) << c.Visible;
        auto* tray = static_cast<TsxTrayIcon*>(root.FindComponent("tray"));
        EXPECT_TRUE(tray->Visible());
        EXPECT_TRUE(tray->IconShown());
    }
}

// A 16 x 16, 32-bit icon file, as a description's {hex} value.
std::string IcoFileAsHex() {
    std::vector<unsigned char> ico = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0};
    const uint32_t imageBytes = 40 + 16 * 16 * 4 + 16 * 4, offset = 22;
    for (uint32_t v : {imageBytes, offset})
        for (int i = 0; i < 4; ++i) ico.push_back(static_cast<unsigned char>(v >> (8 * i)));
    const unsigned char header[16] = {40, 0, 0, 0, 16, 0, 0, 0, 32, 0, 0, 0, 1, 0, 32, 0};
    ico.insert(ico.end(), header, header + 16);
    ico.resize(ico.size() + 24, 0);
    for (int i = 0; i < 16 * 16; ++i) ico.insert(ico.end(), {0x20, 0x40, 0xC0, 0xFF});
    ico.resize(ico.size() + 16 * 4, 0);
    std::string hex = "{";
    for (unsigned char b : ico) hex += Format("%02X", b);
    return hex + "}";
}

TEST(TrayClassesTest, IconDataGivesTheIconTheShellGets) {
    TTrayTestRoot root;
    LoadDescription(&root, TrayRootClass(),
                    "object root: TTrayTestRoot\n  object tray: TsxTrayIcon\n    Icon.Data = " + IcoFileAsHex() +
                        "\n  end\nend\n");
    auto* tray = static_cast<TsxTrayIcon*>(root.FindComponent("tray"));
    ASSERT_NE(tray->Icon(), nullptr);
    tray->FillNotifyData();
    EXPECT_EQ(tray->NotifyData().hIcon, tray->Icon());
}

TEST(TrayClassesTest, BadReferencesAndValuesAreDescriptionErrors) {
    const char* texts[] = {
        "object root: TTrayTestRoot\n object tray: TsxTrayIcon\n  PopupMenu = nothere\n end\nend\n",
        "object root: TTrayTestRoot\n object tray: TsxTrayIcon\n  ImageList = nothere\n end\nend\n",
        "object root: TTrayTestRoot\n object tray: TsxTrayIcon\n  CycleInterval = -1\n end\nend\n",
        "object root: TTrayTestRoot\n object tray: TsxTrayIcon\n  InfoType = tiiLoud\n end\nend\n",
        "object root: TTrayTestRoot\n object tray: TsxTrayIcon\n  Icon.Resource = 'NOSUCHICON'\n end\nend\n",
        "object root: TTrayTestRoot\n object tray: TsxTrayIcon\n  Icon.Data = {0000010000}\n end\nend\n",
    };
    for (const char* text : texts) {
        TTrayTestRoot root;
        EXPECT_THROW(LoadDescription(&root, TrayRootClass(), text), EDescriptionError) << text;
    }
}

} // namespace
