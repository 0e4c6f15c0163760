// tests/desktop/GraphicsTest.cpp -- the standard colour names, every one of them both ways
#include <gtest/gtest.h>

#include "desktop/Graphics.h"

namespace {

constexpr TColor System(int index) { return 0xFF000000u | static_cast<TColor>(index); }

const struct {
    const char* Name;
    TColor Value;
} gStandardColors[] = {
    {"clBlack", 0}, {"clMaroon", 128}, {"clGreen", 32768}, {"clOlive", 32896},
    {"clNavy", 8388608}, {"clPurple", 8388736}, {"clTeal", 8421376}, {"clGray", 8421504},
    {"clSilver", 12632256}, {"clRed", 255}, {"clLime", 65280}, {"clYellow", 65535},
    {"clBlue", 16711680}, {"clFuchsia", 16711935}, {"clAqua", 16776960}, {"clWhite", 16777215},
    {"clMoneyGreen", 12639424}, {"clSkyBlue", 15780518}, {"clCream", 15793151}, {"clMedGray", 10789024},
    {"clActiveBorder", System(10)}, {"clActiveCaption", System(2)}, {"clAppWorkSpace", System(12)},
    {"clBackground", System(1)}, {"clBtnFace", System(15)}, {"clBtnHighlight", System(20)},
    {"clBtnShadow", System(16)}, {"clBtnText", System(18)}, {"clCaptionText", System(9)},
    {"clGradientActiveCaption", System(27)}, {"clGradientInactiveCaption", System(28)},
    {"clGrayText", System(17)}, {"clHighlight", System(13)}, {"clHighlightText", System(14)},
    {"clHotLight", System(26)}, {"clInactiveBorder", System(11)}, {"clInactiveCaption", System(3)},
    {"clInactiveCaptionText", System(19)}, {"clInfoBk", System(24)}, {"clInfoText", System(23)},
    {"clMenu", System(4)}, {"clMenuBar", System(30)}, {"clMenuHighlight", System(29)},
    {"clMenuText", System(7)}, {"clScrollBar", System(0)}, {"cl3DDkShadow", System(21)},
    {"cl3DLight", System(22)}, {"clWindow", System(5)}, {"clWindowFrame", System(6)},
    {"clWindowText", System(8)}, {"clDefault", 0x20000000}, {"clNone", 0x1FFFFFFF},
};

TEST(StandardColorNamesTest, AllFiftyTwoNamesReadAndWriteTheirValue) {
    static_assert(std::size(gStandardColors) == 52);
    for (const auto& c : gStandardColors) {
        TColor color = 0x12345678;
        ASSERT_TRUE(IdentToColor(c.Name, color)) << c.Name;
        EXPECT_EQ(color, c.Value) << c.Name;
        std::string name;
        ASSERT_TRUE(ColorToIdent(c.Value, name)) << c.Name;
        EXPECT_EQ(name, c.Name);
    }
}

TEST(StandardColorNamesTest, NamesIgnoreCaseAndUnknownOnesAreRefused) {
    TColor color = 0;
    ASSERT_TRUE(IdentToColor("CLMONEYGREEN", color));
    EXPECT_EQ(color, 12639424u);
    ASSERT_TRUE(IdentToColor("clmenubar", color));
    EXPECT_EQ(color, System(30));
    color = 7;
    for (const char* unknown : {"", "cl", "clRedd", "Red", "cl255", "clMoneyGreen "}) {
        EXPECT_FALSE(IdentToColor(unknown, color)) << '"' << unknown << '"';
        EXPECT_EQ(color, 7u) << "a refused name leaves the colour as it was";
    }
    std::string name = "kept";
    EXPECT_FALSE(ColorToIdent(RGB(1, 2, 3), name));
    EXPECT_EQ(name, "kept");
}

} // namespace
