// tests/controls/FxLabelTest.cpp -- angle and offset setters, shadow presets, the drawn copies
// of the caption, and the bevel sides of the panel
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestHost.h"
#include "controls/FxLabel.h"
#include "controls/FxPanel.h"
#include "desktop/GdiGuards.h"

namespace {

// Records every copy of the caption the label draws: where, and in which colour.
class TRecordingLabel : public TFxLabel {
public:
    using TFxLabel::TFxLabel;
    struct TCopy { int X, Y; COLORREF Color; };
    std::vector<TCopy> Copies;
    std::vector<HGDIOBJ> Fonts;                  // the font selected for each copy
protected:
    void DrawCaption(TCanvas& canvas, const RECT& rect, UINT flags) override {
        Copies.push_back({rect.left, rect.top, GetTextColor(canvas.Handle())});
        Fonts.push_back(GetCurrentObject(canvas.Handle(), OBJ_FONT));
        TFxLabel::DrawCaption(canvas, rect, flags);
    }
};

class FxLabelTest : public ::testing::Test {
protected:
    TControlHost Host;
    TRecordingLabel* Label() {
        auto* l = Host.Add<TRecordingLabel>(10, 10, 120, 40);
        l->SetAutoSize(false);
        l->SetCaption("Label");
        return l;
    }
    static std::vector<TRecordingLabel::TCopy> Paint(TRecordingLabel* l) {
        l->Copies.clear();
        l->Fonts.clear();
        TSnapshot shot(l->WindowHandle());
        return l->Copies;
    }
};

TEST_F(FxLabelTest, AngleIsReducedToZeroTo359) {
    struct { int In, Stored; } cases[] = {{-90, 270}, {720, 0}, {359, 359}, {360, 0}, {-1, 359}, {45, 45}, {-720, 0}};
    for (const auto& c : cases) {
        TFxLabel label(nullptr);
        label.SetAngle(c.In);
        EXPECT_EQ(label.Angle(), c.Stored) << c.In;
    }
}

TEST_F(FxLabelTest, PositiveAngleOrOffsetSwitchesAutoSizeOffNegativeOffsetDoesNot) {
    TFxLabel a(nullptr);
    a.SetAngle(45);
    EXPECT_FALSE(a.AutoSize());
    TFxLabel b(nullptr);
    b.SetOffsetX(-3);
    EXPECT_TRUE(b.AutoSize());
    b.SetOffsetY(2);
    EXPECT_FALSE(b.AutoSize());
}

TEST_F(FxLabelTest, EveryShadowStyleWritesItsPresetRowAndKeepsItsName) {
    using D = TDirection;
    struct { TShadowStyle Style; D HlDir; int HlDepth; D ShDir; int ShDepth, ShSize; bool FaceColor; } rows[] = {
        {TShadowStyle::ssRaised, D::drUpLeft, 1, D::drNone, 0, 0, false},
        {TShadowStyle::ssRaisedColor, D::drUpLeft, 1, D::drDownRight, 1, 1, true},
        {TShadowStyle::ssRaisedShadow, D::drUpLeft, 1, D::drDownRight, 1, 1, false},
        {TShadowStyle::ssRaisedThickShadow, D::drUpLeft, 1, D::drDownRight, 1, 4, false},
        {TShadowStyle::ssRecessed, D::drDownRight, 1, D::drNone, 0, 0, false},
        {TShadowStyle::ssRecessedColor, D::drDownRight, 1, D::drUpLeft, 1, 1, true},
        {TShadowStyle::ssRecessedShadow, D::drDownRight, 1, D::drUpLeft, 1, 1, false},
        {TShadowStyle::ssShadow, D::drNone, 0, D::drDownRight, 2, 1, false},
        {TShadowStyle::ssThickShadow, D::drNone, 0, D::drDownRight, 1, 4, false},
        {TShadowStyle::ssNone, D::drNone, 0, D::drNone, 0, 0, false},
    };
    for (const auto& r : rows) {
        TFxLabel label(nullptr);
        label.SetHighlightColor(clRed);          // presets put the standard colours back
        label.SetShadowStyle(r.Style);
        SCOPED_TRACE(static_cast<int>(r.Style));
        EXPECT_EQ(label.ShadowStyle(), r.Style);
        EXPECT_EQ(label.HighlightDirection(), r.HlDir);
        EXPECT_EQ(label.HighlightDepth(), r.HlDepth);
        EXPECT_EQ(label.ShadowDirection(), r.ShDir);
        EXPECT_EQ(label.ShadowDepth(), r.ShDepth);
        EXPECT_EQ(label.ShadowSize(), r.ShSize);
        EXPECT_EQ(label.HighlightColor(), clBtnHighlight);
        EXPECT_EQ(label.ShadowColor(), clBtnShadow);
        EXPECT_EQ(label.Font().Color() == clBtnFace, r.FaceColor);
    }
}

TEST_F(FxLabelTest, ChangingOneValueByHandTurnsThePresetIntoCustom) {
    TFxLabel label(nullptr);
    label.SetShadowStyle(TShadowStyle::ssRaisedColor);
    EXPECT_EQ(label.ShadowStyle(), TShadowStyle::ssRaisedColor);
    label.SetShadowSize(2);
    EXPECT_EQ(label.ShadowStyle(), TShadowStyle::ssCustom);
    EXPECT_EQ(label.ShadowSize(), 2);
    EXPECT_EQ(label.ShadowDepth(), 1);   // ssCustom writes nothing
}

TEST_F(FxLabelTest, ShadowStyleDrawsShadowCopiesThenHighlightThenText) {
    auto* l = Label();
    l->Font().SetColor(clBlack);
    l->SetShadowStyle(TShadowStyle::ssShadow);
    auto copies = Paint(l);
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[0].X, 2); EXPECT_EQ(copies[0].Y, 2);
    EXPECT_EQ(copies[0].Color, ColorToRGB(clBtnShadow));
    EXPECT_EQ(copies[2].X, 0); EXPECT_EQ(copies[2].Y, 0);
    EXPECT_EQ(copies[2].Color, RGB(0, 0, 0));

    l->SetShadowStyle(TShadowStyle::ssRaisedThickShadow);
    copies = Paint(l);
    ASSERT_EQ(copies.size(), 6u);
    for (int i = 0; i < 4; ++i) { EXPECT_EQ(copies[i].X, i + 1); EXPECT_EQ(copies[i].Y, i + 1); }
    EXPECT_EQ(copies[4].X, -1); EXPECT_EQ(copies[4].Y, -1);
    EXPECT_EQ(copies[4].Color, ColorToRGB(clBtnHighlight));
}

TEST_F(FxLabelTest, DisabledLabelDrawsEmbossedPairAndNoShadowEffect) {
    auto* l = Label();
    l->SetShadowStyle(TShadowStyle::ssThickShadow);
    l->SetEnabled(false);
    auto copies = Paint(l);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].X, 1); EXPECT_EQ(copies[0].Y, 1);
    EXPECT_EQ(copies[0].Color, ColorToRGB(clBtnHighlight));
    EXPECT_EQ(copies[1].X, 0); EXPECT_EQ(copies[1].Y, 0);
    EXPECT_EQ(copies[1].Color, ColorToRGB(clBtnShadow));
}

TEST_F(FxLabelTest, OffsetShiftsEveryCopy) {
    auto* l = Label();
    l->SetOffsetX(5);
    l->SetOffsetY(-2);
    auto copies = Paint(l);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].X, 5);
    EXPECT_EQ(copies[0].Y, -2);
}

TEST_F(FxLabelTest, RotatedTextStartsAtItsQuadrantsOrigin) {
    auto* l = Host.Add<TRecordingLabel>(10, 10, 200, 200);
    l->SetAutoSize(false);
    l->SetCaption("Rotated");
    SIZE ext{};
    {
        TScopedGetDC dc(l->WindowHandle());
        TScopedSelectObject font(dc.Get(), l->Font().Handle());
        GetTextExtentPoint32A(dc.Get(), "Rotated", 7, &ext);
    }
    // 90: the text runs upward from the bottom-left of its box; 180: from the box's top-right, upside down.
    struct { int Angle, X, Y; } cases[] = {{90, 0, ext.cx}, {180, ext.cx, ext.cy}, {270, ext.cy, 0}, {0, 0, 0}};
    for (const auto& c : cases) {
        l->SetAngle(c.Angle);
        auto copies = Paint(l);
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_NEAR(copies[0].X, c.X, 1) << c.Angle;
        EXPECT_NEAR(copies[0].Y, c.Y, 1) << c.Angle;
    }
}

TEST_F(FxLabelTest, RotatedPaintDeletesTheFontItMadeAndRestoresTheLabelFont) {
    auto* l = Label();
    l->SetAngle(30);
    Paint(l);
    ASSERT_EQ(l->Fonts.size(), 1u);
    EXPECT_NE(l->Fonts[0], l->Font().Handle());
    EXPECT_EQ(GetObjectType(l->Fonts[0]), 0u);   // gone once the paint is over
    l->SetAngle(0);
    Paint(l);
    EXPECT_EQ(l->Fonts.back(), l->Font().Handle());
}

class FxPanelTest : public ::testing::Test {
protected:
    TControlHost Host;
};

TEST_F(FxPanelTest, BevelOnTheTopSideOnlyDrawsOnlyThere) {
    auto* p = Host.Add<TFxPanel>(0, 0, 60, 30);
    p->SetColor(RGB(10, 20, 30));
    p->SetBevelSides(sdTop);
    p->SetBevelOuter(TBevelCut::bvRaised);
    p->SetBevelWidth(2);
    TSnapshot shot(p->WindowHandle());
    COLORREF hl = ColorToRGB(clBtnHighlight), fill = RGB(10, 20, 30);
    EXPECT_EQ(shot.Pixel(30, 0), hl);
    EXPECT_EQ(shot.Pixel(30, 1), hl);
    EXPECT_EQ(shot.Pixel(30, 2), fill);
    EXPECT_EQ(shot.Pixel(0, 15), fill);      // no left bevel
    EXPECT_EQ(shot.Pixel(59, 15), fill);     // no right bevel
    EXPECT_EQ(shot.Pixel(30, 29), fill);     // no bottom bevel
}

TEST_F(FxPanelTest, BorderRingsUseTheBorderColourInsideTheBevel) {
    auto* p = Host.Add<TFxPanel>(0, 0, 60, 30);
    p->SetColor(RGB(10, 20, 30));
    p->SetBevelOuter(TBevelCut::bvLowered);
    p->SetBorderWidth(2);
    p->SetBorderColor(RGB(200, 0, 100));
    TSnapshot shot(p->WindowHandle());
    EXPECT_EQ(shot.Pixel(0, 15), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.Pixel(59, 15), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(shot.Pixel(1, 15), RGB(200, 0, 100));
    EXPECT_EQ(shot.Pixel(2, 15), RGB(200, 0, 100));
    EXPECT_EQ(shot.Pixel(3, 15), RGB(10, 20, 30));
}

TEST_F(FxPanelTest, BevelCtl3DMeansTwoPixelBevels) {
    TFxPanel p(nullptr);
    p.SetBevelCtl3D(true);
    EXPECT_EQ(p.BevelWidth(), 2);
    p.SetBevelWidth(5);
    EXPECT_EQ(p.BevelWidth(), 2);
    p.SetBevelCtl3D(false);
    EXPECT_EQ(p.BevelWidth(), 1);
}

TEST_F(FxPanelTest, MouseEnterAndLeaveFireOnce) {
    auto* p = Host.Add<TFxPanel>(0, 0, 60, 30);
    struct TCounter {
        int Enter = 0, Leave = 0;
        void OnEnter(TObject*) { ++Enter; }
        void OnLeave(TObject*) { ++Leave; }
    } counter;
    p->OnMouseEnter = TNotifyEvent(&counter, &TCounter::OnEnter);
    p->OnMouseLeave = TNotifyEvent(&counter, &TCounter::OnLeave);
    SendMessageA(p->WindowHandle(), WM_MOUSEMOVE, 0, PointParam(5, 5));
    SendMessageA(p->WindowHandle(), WM_MOUSEMOVE, 0, PointParam(6, 5));
    EXPECT_EQ(counter.Enter, 1);
    SendMessageA(p->WindowHandle(), WM_MOUSELEAVE, 0, 0);
    SendMessageA(p->WindowHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(counter.Leave, 1);
}

} // namespace
