// tests/shell/sxGraphicsTest.cpp -- the solid-colour rectangle helpers on a real memory bitmap,
// icons taken from the system's shell32.dll, and the named colours
#include <gtest/gtest.h>

#include "desktop/Classes.h"
#include "desktop/Controls.h"
#include "desktop/DescriptionReader.h"
#include "desktop/GdiGuards.h"
#include "desktop/Image.h"
#include "shell/ShellComponentClasses.h"
#include "shell/sxGraphics.h"
#include "shell/sxShellIcon.h"

namespace {

// A 10x10 white 32-bit bitmap selected into a memory device context.
class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TScopedGetDC screen;
        FDC = CreateCompatibleDC(screen.Get());
        FBitmap = CreateCompatibleBitmap(screen.Get(), Size, Size);
        ASSERT_TRUE(FDC && FBitmap);
        FOldBitmap = SelectObject(FDC, FBitmap);
        RECT all{0, 0, Size, Size};
        FillRect(FDC, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    void TearDown() override {
        SelectObject(FDC, FOldBitmap);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    COLORREF At(int x, int y) const { return GetPixel(FDC, x, y); }

    static constexpr int Size = 10;
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

constexpr COLORREF White = RGB(255, 255, 255);

TEST_F(GraphicsTest, FillRectSolidFillsExactlyTheRectangle) {
    RECT r{2, 3, 6, 8};
    ASSERT_TRUE(FillRectSolid(FDC, r, RGB(200, 16, 40)));
    EXPECT_EQ(At(2, 3), RGB(200, 16, 40));
    EXPECT_EQ(At(5, 7), RGB(200, 16, 40));
    EXPECT_EQ(At(6, 7), White);   // right and bottom edges are outside, as for FillRect
    EXPECT_EQ(At(5, 8), White);
    EXPECT_EQ(At(1, 3), White);
}

TEST_F(GraphicsTest, FrameRectSolidPaintsOnlyTheOnePixelBorder) {
    RECT r{1, 1, 9, 9};
    ASSERT_TRUE(FrameRectSolid(FDC, r, RGB(0, 0, 255)));
    EXPECT_EQ(At(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(At(8, 8), RGB(0, 0, 255));
    EXPECT_EQ(At(4, 1), RGB(0, 0, 255));
    EXPECT_EQ(At(2, 2), White);
    EXPECT_EQ(At(5, 5), White);
    EXPECT_EQ(At(0, 0), White);
}

TEST_F(GraphicsTest, SystemColoursArePaintedInTheirCurrentRgb) {
    RECT r{0, 0, Size, Size};
    ASSERT_TRUE(FillRectSolid(FDC, r, clBtnFace));
    EXPECT_EQ(At(4, 4), GetNearestColor(FDC, GetSysColor(COLOR_BTNFACE)));
    ASSERT_TRUE(FrameRectSolid(FDC, r, clHighlight));
    EXPECT_EQ(At(0, 0), GetNearestColor(FDC, GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(GraphicsTest, PaintingLeavesTheDeviceContextsBrushSelectedAndDeletesItsOwn) {
    HGDIOBJ before = GetCurrentObject(FDC, OBJ_BRUSH);
    RECT r{0, 0, 5, 5};
    // Many calls: a brush left behind each time would show up as GDI refusing new ones long before this ends.
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(FillRectSolid(FDC, r, RGB(i & 255, 1, 2))) << i;
        ASSERT_TRUE(FrameRectSolid(FDC, r, RGB(3, i & 255, 4))) << i;
    }
    EXPECT_EQ(GetCurrentObject(FDC, OBJ_BRUSH), before);
}

TEST(ShellIconTest, TheFirstIconOfTheLibraryComesInBothSizes) {
    TPicture large, small;
    ASSERT_TRUE(ExtractShellIcon(0, &large, &small));
    EXPECT_EQ(large.Kind(), TGraphicKind::gkIcon);
    EXPECT_EQ(small.Kind(), TGraphicKind::gkIcon);
    EXPECT_EQ(large.Width(), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(small.Width(), GetSystemMetrics(SM_CXSMICON));
}

TEST(ShellIconTest, OnlyTheGivenPicturesAreFilled) {
    TPicture small;
    EXPECT_TRUE(ExtractShellIcon(2, nullptr, &small));
    EXPECT_EQ(small.Kind(), TGraphicKind::gkIcon);
    EXPECT_TRUE(ExtractShellIcon(2, nullptr, nullptr));
}

TEST(ShellIconTest, AnIndexBeyondTheLibraryEmptiesThePictures) {
    TPicture large, small;
    ASSERT_TRUE(ExtractShellIcon(0, &large, &small));
    EXPECT_FALSE(ExtractShellIcon(100000, &large, &small));
    EXPECT_TRUE(large.Empty());
    EXPECT_TRUE(small.Empty());
}

} // namespace

namespace {

TEST(NamedColorsTest, EachNameMeansItsRedGreenAndBlueBothWays) {
    const struct {
        const char* Name;
        int Red, Green, Blue;
    } table[] = {
        {"clBrown", 144, 48, 0}, {"clOliveGreen", 48, 48, 0}, {"clDarkGreen", 0, 48, 0},
        {"clDarkTeal", 0, 48, 96}, {"clIndigo", 48, 48, 144}, {"clNight", 48, 48, 48},
        {"clOrange", 255, 104, 0}, {"clBlueGray", 96, 96, 144}, {"clLightOrange", 255, 152, 0},
        {"clSeaGreen", 48, 152, 96}, {"clLightBlue", 48, 104, 255}, {"clMetal", 144, 144, 144},
        {"clGold", 255, 200, 0}, {"clPlum", 144, 48, 96}, {"clRose", 255, 152, 208},
        {"clTan", 255, 200, 160}, {"clLightYellow", 255, 255, 144}, {"clLightGreen", 208, 255, 208},
        {"clLightTurquoise", 192, 255, 255}, {"clPaleBlue", 144, 200, 255}, {"clLavender", 192, 152, 255},
    };
    for (const auto& c : table) {
        TColor color = 0;
        ASSERT_TRUE(IdentToColorEx(c.Name, color)) << c.Name;
        EXPECT_EQ(color, static_cast<TColor>(RGB(c.Red, c.Green, c.Blue))) << c.Name;
        std::string name;
        ASSERT_TRUE(ColorToIdentEx(color, name)) << c.Name;
        EXPECT_EQ(name, c.Name);
    }
}

TEST(NamedColorsTest, TheStandardNamesStillWork) {
    TColor color = 0;
    ASSERT_TRUE(IdentToColorEx("clBtnFace", color));
    EXPECT_EQ(color, clBtnFace);
    ASSERT_TRUE(IdentToColorEx("CLRED", color));   // names ignore case, as in descriptions
    EXPECT_EQ(color, clRed);
    std::string name;
    ASSERT_TRUE(ColorToIdentEx(clInfoBk, name));
    EXPECT_EQ(name, "clInfoBk");
    EXPECT_FALSE(IdentToColorEx("clNoSuchColour", color));
    EXPECT_FALSE(ColorToIdentEx(RGB(1, 2, 3), name));
}

TEST(NamedColorsTest, DescriptionsReadTheNamedColoursOnceRegistered) {
    RegisterShellComponentClasses();
    TComponent root(nullptr);
    static TClassInfo& rootClass = TClassRegistration<TComponent>("TNamedColorsRoot", "TComponent").Info();
    LoadDescription(&root, rootClass,
                    "object root: TNamedColorsRoot\n"
                    "  object panel: TPanel\n"
                    "    Color = clLavender\n"
                    "    Font.Color = clBtnText\n"
                    "  end\n"
                    "end\n");
    auto* panel = dynamic_cast<TControl*>(root.FindComponent("panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Color(), clLavender);
    EXPECT_EQ(panel->Font().Color(), clBtnText);
}

} // namespace
