// tests/controls/UiFormMagnetTest.cpp -- the snapping rules as tables of moves, then real forms:
// WM_MOVING through the hook, the system's own keyboard move loop, glued windows, freeing
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/UiFormMagnet.h"
#include "desktop/Application.h"
#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "tests/support/MessagePump.h"

namespace {

// The magnet with its steps in reach and a clock the test sets.
class TTestMagnet : public TUiFormMagnet {
public:
    using TUiFormMagnet::TUiFormMagnet;
    using TUiFormMagnet::SnapToMainForm;
    using TUiFormMagnet::SnapToWorkArea;
    using TUiFormMagnet::tBottom;
    using TUiFormMagnet::tLeft;
    using TUiFormMagnet::tRight;
    using TUiFormMagnet::tTop;
    int64_t Now = 5000000;
    int64_t NowMs() const override { return Now; }
    void Stamp(int64_t value) { tLeft = tRight = tTop = tBottom = value; }
};

RECT At(POINT topLeft, SIZE size) { return {topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy}; }

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

// One move: where the window stands, where the drag puts it, and where it ends.
struct TMove {
    const char* what;
    POINT old, proposed;
    bool recent;           // every stamp set just now; otherwise every stamp long ago
    uint32_t area;
    POINT expected;
};

// Each move by a fresh magnet with the move's Area and stamps, through one snap step.
template <size_t N, class Step>
void ExpectMoves(const TMove (&moves)[N], SIZE size, Step step) {
    for (const TMove& m : moves) {
        SCOPED_TRACE(m.what);
        TTestMagnet magnet(nullptr);
        magnet.SetArea(m.area);
        magnet.Stamp(m.recent ? magnet.Now : 0);
        RECT n = At(m.proposed, size);
        step(magnet, At(m.old, size), n);
        EXPECT_EQ(Show(At(m.expected, size)), Show(n));
    }
}

constexpr RECT WorkArea{0, 0, 1024, 738};
constexpr SIZE Window{300, 200};

const TMove WorkAreaMoves[] = {
    {"left into the zone lands on the edge", {100, 300}, {10, 300}, false, 15, {0, 300}},
    {"left at the zone's width lands on the edge", {100, 300}, {15, 300}, false, 15, {0, 300}},
    {"left one short of the edge lands on it", {100, 300}, {1, 300}, false, 15, {0, 300}},
    {"left one past the edge lands on it", {100, 300}, {-1, 300}, false, 15, {0, 300}},
    {"left pulled 10 past the edge goes out by the zone", {100, 300}, {-10, 300}, false, 15, {-15, 300}},
    {"left exactly on the edge stays", {100, 300}, {0, 300}, false, 15, {0, 300}},
    {"left outside the zone stays", {100, 300}, {16, 300}, false, 15, {16, 300}},
    {"left held on the edge just after a placement", {100, 300}, {-10, 300}, true, 15, {0, 300}},
    {"left held no further than the zone", {100, 300}, {-15, 300}, true, 15, {-15, 300}},
    {"left with the right edge inside the zone is pulled in", {800, 300}, {720, 300}, false, 15, {709, 300}},
    {"left with the right edge past the screen lands on it", {800, 300}, {730, 300}, false, 15, {724, 300}},
    {"right one past the edge is held", {500, 300}, {725, 300}, false, 15, {724, 300}},
    {"right pulled 5 past the edge goes out by the zone", {500, 300}, {729, 300}, false, 15, {739, 300}},
    {"right into the zone lands on the edge", {500, 300}, {719, 300}, false, 15, {724, 300}},
    {"right held just after a placement", {500, 300}, {730, 300}, true, 15, {724, 300}},
    {"right with the left edge short of the screen lands on it", {-20, 300}, {-10, 300}, false, 15, {0, 300}},
    {"right with the left edge one short goes in by the zone", {-20, 300}, {-1, 300}, false, 15, {15, 300}},
    {"up into the zone lands on the edge", {300, 300}, {300, 10}, false, 15, {300, 0}},
    {"up pulled past the edge goes out by the zone", {300, 300}, {300, -10}, false, 15, {300, -15}},
    {"up held just after a placement", {300, 300}, {300, -10}, true, 15, {300, 0}},
    {"up with the bottom inside the zone is pulled in", {300, 600}, {300, 530}, false, 15, {300, 523}},
    {"down with the bottom into the zone lands on the edge", {300, 300}, {300, 528}, false, 15, {300, 538}},
    {"down just after a placement pushes the bottom out", {300, 300}, {300, 535}, true, 15, {300, 553}},
    {"down with the bottom past the edge goes out by the zone", {300, 500}, {300, 545}, false, 15, {300, 553}},
    {"down with the top in the zone goes in by the zone", {300, -20}, {300, 5}, false, 15, {300, 15}},
    {"down with the top one below the edge lands on it", {300, -20}, {300, 1}, false, 15, {300, 0}},
    {"left and up at once land in the corner", {100, 100}, {5, 8}, false, 15, {0, 0}},
    {"area 1: no range holds", {100, 300}, {10, 300}, false, 1, {10, 300}},
    {"area 1: one pixel off still lands", {100, 300}, {1, 300}, false, 1, {0, 300}},
    {"area 0: one pixel off still lands", {100, 300}, {1, 300}, false, 0, {0, 300}},
    {"area 0: past the edge stays", {100, 300}, {-5, 300}, false, 0, {-5, 300}},
    {"area 271 ranges as 15: 20 off stays", {100, 300}, {20, 300}, false, 271, {20, 300}},
    {"area 271 ranges as 15: 14 off lands", {100, 300}, {14, 300}, false, 271, {0, 300}},
    {"area 271 holds as 271", {400, 300}, {200, 300}, true, 271, {0, 300}},
};

TEST(UiFormMagnetRules, WorkAreaSnapping) {
    ExpectMoves(WorkAreaMoves, Window, [](TTestMagnet& magnet, const RECT& old, RECT& n) {
        magnet.SnapToWorkArea(old, n, WorkArea);
    });
}

constexpr RECT MainWindow{400, 300, 800, 600};
constexpr SIZE Small{200, 100};

const TMove MainFormMoves[] = {
    {"up below the main window lands on its bottom", {450, 650}, {450, 610}, false, 15, {450, 600}},
    {"up pulled into the main window goes in by the zone", {450, 650}, {450, 590}, false, 15, {450, 585}},
    {"up held on its bottom just after a placement", {450, 650}, {450, 590}, true, 15, {450, 600}},
    {"up above it with the bottom just inside lands on its top", {450, 250}, {450, 205}, false, 15, {450, 200}},
    {"up above it with the bottom just above goes out by the zone", {450, 250}, {450, 195}, false, 15, {450, 185}},
    {"up overlapping from the left lands on its bottom", {300, 650}, {300, 610}, false, 15, {300, 600}},
    {"up beside it moves freely", {850, 650}, {850, 610}, false, 15, {850, 610}},
    {"down below it just off its bottom goes out by the zone", {450, 600}, {450, 605}, false, 15, {450, 615}},
    {"down just inside its bottom lands on it", {450, 580}, {450, 595}, false, 15, {450, 600}},
    {"down above it with the bottom inside lands on its top", {450, 150}, {450, 210}, false, 15, {450, 200}},
    {"down above it with the bottom above goes in by the zone", {450, 150}, {450, 190}, false, 15, {450, 215}},
    {"down near its top just after a placement lands on it", {450, 150}, {450, 210}, true, 15, {450, 200}},
    {"down far above it just after a placement stays", {450, 0}, {450, 8}, true, 15, {450, 8}},
    {"left right of it lands on its right edge", {850, 350}, {810, 350}, false, 15, {800, 350}},
    {"left pulled into it goes in by the zone", {850, 350}, {790, 350}, false, 15, {785, 350}},
    {"left of it with the right edge inside lands on its left", {250, 350}, {205, 350}, false, 15, {200, 350}},
    {"right of its left side lands on its left edge", {150, 350}, {190, 350}, false, 15, {200, 350}},
    {"right pulled into it goes in by the zone", {150, 350}, {210, 350}, false, 15, {215, 350}},
    {"right with the left edge inside lands on its right", {780, 350}, {795, 350}, false, 15, {800, 350}},
    {"right above it moves freely", {150, 100}, {190, 100}, false, 15, {190, 100}},
};

TEST(UiFormMagnetRules, MainWindowSnapping) {
    ExpectMoves(MainFormMoves, Small, [](TTestMagnet& magnet, const RECT& old, RECT& n) {
        magnet.SnapToMainForm(old, n, MainWindow);
    });
}

TEST(UiFormMagnetRules, TheMainWindowAgainstItselfMovesNothing) {
    const POINT steps[] = {{-8, 0}, {8, 0}, {0, -8}, {0, 8}, {-8, 8}, {8, -8}};
    for (POINT step : steps) {
        TTestMagnet magnet(nullptr);
        RECT n = MainWindow;
        OffsetRect(&n, step.x, step.y);
        const RECT expected = n;
        magnet.SnapToMainForm(MainWindow, n, MainWindow);
        EXPECT_EQ(Show(expected), Show(n)) << step.x << "," << step.y;
    }
}

TEST(UiFormMagnetRules, APlacementHoldsForTwoHundredFiftyMillisecondsThenPullingGoesOut) {
    TTestMagnet magnet(nullptr);
    const RECT old = At({100, 300}, Window);
    RECT n = At({10, 300}, Window);
    magnet.SnapToWorkArea(old, n, WorkArea);
    EXPECT_EQ(0, n.left);
    EXPECT_EQ(magnet.Now, magnet.tLeft);
    const int64_t placed = magnet.Now;

    magnet.Now = placed + 250;   // not yet stale: held
    n = At({-10, 300}, Window);
    magnet.SnapToWorkArea(old, n, WorkArea);
    EXPECT_EQ(0, n.left);

    magnet.Now = magnet.tLeft + 251;
    n = At({-10, 300}, Window);
    magnet.SnapToWorkArea(old, n, WorkArea);
    EXPECT_EQ(-15, n.left);
}

TEST(UiFormMagnetRules, EachPlacementStampsTheEdgeItPlaced) {
    TTestMagnet magnet(nullptr);
    RECT n = At({720, 300}, Window);   // moving left, the right edge is placed
    magnet.SnapToWorkArea(At({800, 300}, Window), n, WorkArea);
    EXPECT_EQ(0, magnet.tLeft);
    EXPECT_EQ(magnet.Now, magnet.tRight);

    n = At({300, 528}, Window);        // moving down, the bottom is placed
    magnet.SnapToWorkArea(At({300, 300}, Window), n, WorkArea);
    EXPECT_EQ(magnet.Now, magnet.tBottom);
    EXPECT_EQ(0, magnet.tTop);

    TTestMagnet main(nullptr);        // against the main window: vertical -> tTop, horizontal -> tRight
    n = At({450, 205}, Small);         // moving up, the bottom is placed
    main.SnapToMainForm(At({450, 250}, Small), n, MainWindow);
    EXPECT_EQ(main.Now, main.tTop);
    EXPECT_EQ(0, main.tBottom);
    n = At({810, 350}, Small);
    main.SnapToMainForm(At({850, 350}, Small), n, MainWindow);
    EXPECT_EQ(main.Now, main.tRight);
    EXPECT_EQ(0, main.tLeft);
}

// Real forms owned by the application, as the program's windows are.
class UiFormMagnetTest : public ::testing::Test {
protected:
    RECT Area{};
    TForm* F = nullptr;
    TUiFormMagnet* Magnet = nullptr;

    void SetUp() override {
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &Area, 0));
        F = NewForm(Area.left + 100, Area.top + 100);
        Magnet = new TUiFormMagnet(F);
        Magnet->SetActive(true);
    }
    void TearDown() override {
        for (TForm* form : Forms) delete form;
    }
    TForm* NewForm(int left, int top, int width = 300, int height = 200) {
        auto* form = new TForm(Application);
        form->SetBounds(left, top, width, height);
        Forms.push_back(form);
        return form;
    }
    RECT Moving(RECT proposed) {
        SendMessageA(F->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&proposed));
        return proposed;
    }
    RECT FormRect(int dx, int dy) const {
        return {F->Left() + dx, F->Top() + dy, F->Left() + F->Width() + dx, F->Top() + F->Height() + dy};
    }
    std::vector<TForm*> Forms;
};

TEST_F(UiFormMagnetTest, AMoveNearTheWorkAreaEdgeLandsOnIt) {
    RECT r = Moving(FormRect(-90, 0));   // left edge 10 from the work area's
    EXPECT_EQ(Area.left, r.left);
    EXPECT_EQ(300, r.right - r.left);
    EXPECT_EQ(F->Top(), r.top);
}

TEST_F(UiFormMagnetTest, AnInactiveMagnetPassesTheRectangleUnchanged) {
    Magnet->SetActive(false);
    const RECT proposed = FormRect(-90, 0);
    EXPECT_EQ(Show(proposed), Show(Moving(proposed)));
}

TEST_F(UiFormMagnetTest, TouchingWindowsMoveAlongByTheSameOffsetEvenFarAwayOrHidden) {
    Magnet->SetScreenMagnet(false);
    TForm* right = NewForm(F->Left() + F->Width(), F->Top() + 900, 50, 50);   // far below, never shown
    TForm* above = NewForm(F->Left() - 400, F->Top() - 60, 80, 60);            // its bottom on F's top
    TForm* apart = NewForm(F->Left() + F->Width() + 1, F->Top(), 50, 50);
    F->Show();
    right->Handle();
    Moving(FormRect(-20, 7));
    EXPECT_EQ(Area.left + 100 + 300 - 20, right->Left());
    EXPECT_EQ(Area.top + 100 + 900 + 7, right->Top());
    EXPECT_EQ(Area.left + 100 - 400 - 20, above->Left());
    EXPECT_EQ(Area.top + 100 - 60 + 7, above->Top());
    EXPECT_EQ(Area.left + 100 + 301, apart->Left());
    EXPECT_EQ(Area.top + 100, apart->Top());
}

TEST_F(UiFormMagnetTest, AGluedWindowFreedWhileAnotherMovesIsSkipped) {
    Magnet->SetScreenMagnet(false);
    TForm* first = NewForm(F->Left() + F->Width(), F->Top(), 50, 50);
    TForm* second = NewForm(F->Left() + F->Width(), F->Top() + 300, 50, 50);
    first->Handle();
    // Moving the first window frees the second, which is glued too.
    struct TFreer {
        std::vector<TForm*>* forms;
        TForm* victim;
        bool Hook(TMessage& message) {
            if (message.Msg == WM_WINDOWPOSCHANGED && victim) {
                forms->erase(std::find(forms->begin(), forms->end(), victim));
                delete victim;
                victim = nullptr;
            }
            return false;
        }
    } freer{&Forms, second};
    ASSERT_TRUE(AttachWindowHook(first, hoAfter, TUiHookMethod(&freer, &TFreer::Hook)));
    Moving(FormRect(-20, 0));
    EXPECT_EQ(nullptr, freer.victim);
    EXPECT_EQ(Area.left + 100 + 300 - 20, first->Left());
}

TEST_F(UiFormMagnetTest, AMagnetOutlivingItsFormForgetsIt) {
    // The magnet's owner is a control on the form that the form does not own.
    auto* panel = new TControl(nullptr);
    panel->SetParent(F);
    auto* magnet = new TUiFormMagnet(panel);
    EXPECT_EQ(F, magnet->Form());
    Forms.erase(std::find(Forms.begin(), Forms.end(), F));
    delete F;
    F = nullptr;
    EXPECT_EQ(nullptr, magnet->Form());
    delete magnet;
    delete panel;
}

// Plays the user in the system's own move loop (WM_SYSCOMMAND SC_MOVE, posted: the loop takes
// the pointer's start from the message's position, as for a click on the caption). Each time
// the form is told WM_MOVING (after the magnet has answered, as it is attached later) it moves
// the pointer on to the right and posts the move. It lands the right edge 5 pixels short of the
// work area's, never on it, so only the magnet can put it there, and lets go there. (Pulling on
// would hold or push out depending on the 250 ms, which a loaded machine cannot promise.)
class TRightwardDrag {
public:
    TRightwardDrag(HWND window, LONG edge) : FWindow(window), FEdge(edge) {}
    bool Landed = false;
    bool Over = false;
    bool Hook(TMessage& message) {
        if (message.Msg == WM_ENTERSIZEMOVE) {
            // The loop waits for the pointer; should a step not reach it, this lets go in the end.
            SetTimer(FWindow, WatchdogTimer, 15000, nullptr);
            Step(8);
        } else if (message.Msg == WM_EXITSIZEMOVE) {
            Over = true;
        } else if (message.Msg == WM_TIMER && message.WParam == WatchdogTimer) {
            LetGo();
        } else if (message.Msg == WM_MOVING) {
            const RECT& r = *reinterpret_cast<const RECT*>(message.LParam);
            Landed = r.right == FEdge;
            const LONG gap = FEdge - r.right;
            if (!Landed && ++FSteps < 400)
                Step(gap > 20 ? 8 : gap - 5);
            else
                LetGo();
        }
        return false;
    }

private:
    static constexpr UINT_PTR WatchdogTimer = 77;
    void Step(int dx) {
        POINT from, to;
        GetCursorPos(&from);
        SetCursorPos(from.x + dx, from.y);
        GetCursorPos(&to);
        // A move that does not move sends no WM_MOVING, and the loop would wait for ever.
        if (to.x == from.x) LetGo(); else PostMessageA(FWindow, WM_MOUSEMOVE, MK_LBUTTON, 0);
    }
    void LetGo() {
        KillTimer(FWindow, WatchdogTimer);
        PostMessageA(FWindow, WM_LBUTTONUP, 0, 0);
    }
    HWND FWindow;
    LONG FEdge;
    int FSteps = 0;
};

TEST_F(UiFormMagnetTest, TheSystemsMoveLoopLandsTheFormOnTheWorkAreaEdgeAndTakesTouchingWindowsAlong) {
    TForm* glued = NewForm(F->Left() + F->Width(), F->Top() + 50, 100, 100);
    F->Show();
    glued->Show();
    HWND h = F->Handle();
    TRightwardDrag drag(h, Area.right);
    ASSERT_TRUE(AttachWindowHook(F, hoBefore, TUiHookMethod(&drag, &TRightwardDrag::Hook)));
    RECT r;
    GetWindowRect(h, &r);
    const POINT grip{(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2};
    SetCursorPos(grip.x, grip.y);
    PostMessageA(h, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(grip.x, grip.y));
    ASSERT_TRUE(sxtest::PumpUntil([&] { return drag.Over; }, 30000));

    EXPECT_TRUE(drag.Landed);
    GetWindowRect(h, &r);
    EXPECT_EQ(Area.right, r.right);
    EXPECT_EQ(Area.right, F->Left() + F->Width());
    EXPECT_EQ(F->Left() + F->Width(), glued->Left());
    EXPECT_EQ(F->Top() + 50, glued->Top());
}

TEST(UiFormMagnetDescription, LoadsWithItsPropertiesAndHooksItsForm) {
    TForm form(nullptr);
    LoadDescription(&form, RequireClassInfo("TForm"),
                    "object f: TForm\n  object magn: TUiFormMagnet\n    Active = True\n    MainFormMagnet = True\n  end\nend\n");
    auto* magnet = dynamic_cast<TUiFormMagnet*>(form.FindComponent("magn"));
    ASSERT_NE(nullptr, magnet);
    EXPECT_TRUE(magnet->Active());
    EXPECT_TRUE(magnet->MainFormMagnet());
    EXPECT_TRUE(magnet->ScreenMagnet());
    EXPECT_TRUE(magnet->FormGlue());
    EXPECT_EQ(15u, magnet->Area());
    EXPECT_EQ(&form, magnet->Form());
    ASSERT_NE(nullptr, WindowHookRegistry()->FindInfos(&form));
    EXPECT_EQ(1, WindowHookRegistry()->FindInfos(&form)->HookCount(hoBefore));

    TForm other(nullptr);
    EXPECT_THROW(LoadDescription(&other, RequireClassInfo("TForm"),
                                 "object g: TForm\n  object m: TUiFormMagnet\n    Area = -1\n  end\nend\n"),
                 EDescriptionError);
}

} // namespace
