// tests/desktop/ImageListTest.cpp -- TImageList: icons in and out, strips, resources, descriptions, change links
#include <gtest/gtest.h>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/GdiGuards.h"
#include "desktop/ImageList.h"
#include "tests/desktop/ModalDriver.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

class TListHost : public TComponent {
public:
    TListHost() : TComponent(nullptr) {}
    explicit TListHost(TComponent* owner) : TComponent(owner) {}
    void ListChanged(TObject*) { ++Changes; }
    int Changes = 0;
};

const TClassInfo& HostClass() {
    RegisterDesktopClasses();
    static TClassInfo& info = TClassRegistration<TListHost>("TListHost", "TComponent").Info();
    return info;
}

// A solid icon of one colour, made the way a program would.
HICON SolidIcon(int size, COLORREF color) {
    HBITMAP image = CreateCompatibleBitmap(TScopedGetDC().Get(), size, size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, size, size};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    std::vector<unsigned char> zeros(static_cast<size_t>(((size + 15) / 16) * 2 * size), 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, zeros.data());   // all opaque
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

COLORREF PixelOf(const TImageList& list, int index, int x, int y) {
    return sxtest::PixelOfDrawing(list.Width(), list.Height(), x, y, [&](HDC dc) { list.Draw(dc, 0, 0, index); });
}

TEST(ImageListTest, IconsGoInScaledAndComeBackAsIconsTheCallerOwns) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Count(), 0);
    HICON red = SolidIcon(32, RGB(255, 0, 0));
    HICON blue = SolidIcon(16, RGB(0, 0, 255));
    EXPECT_EQ(list.AddIcon(red), 0);
    EXPECT_EQ(list.AddIcon(blue), 1);
    DestroyIcon(red);                                      // the list keeps its own copy
    DestroyIcon(blue);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(PixelOf(list, 0, 8, 8), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(list, 1, 15, 15), RGB(0, 0, 255));

    HICON out = list.GetIcon(1);
    ASSERT_TRUE(out);
    COLORREF c = sxtest::PixelOfDrawing(16, 16, 4, 4, [&](HDC dc) { DrawIconEx(dc, 0, 0, out, 16, 16, 0, nullptr, DI_NORMAL); });
    EXPECT_EQ(c, RGB(0, 0, 255));
    DestroyIcon(out);

    HBITMAP bmp = list.GetBitmap(0, White);
    ASSERT_TRUE(bmp);
    DeleteObject(bmp);
    EXPECT_THROW(list.GetIcon(2), EImageListError);
    EXPECT_THROW(list.Draw(static_cast<HDC>(nullptr), 0, 0, -1), EImageListError);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
}

TEST(ImageListTest, BitmapStripIsCutIntoImagesWithItsBottomLeftColourTransparent) {
    TImageList list(nullptr);
    list.SetWidth(8);
    list.SetHeight(8);
    auto strip = sxtest::MakeBmp(24, 8, 24, [](int x, int y) -> unsigned {
        if (x == 0 && y == 7) return 0xFF00FF;            // the see-through colour
        return x < 8 ? 0xFF0000 : x < 16 ? 0x00FF00 : 0x0000FF;
    });
    list.LoadBitmapData(strip);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(PixelOf(list, 0, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(list, 1, 3, 3), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(list, 2, 7, 0), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(list, 0, 0, 7), White);              // transparent: the background shows

    // A strip of the wrong height, or not a whole number of images, is refused whole.
    EXPECT_THROW(list.LoadBitmapData(sxtest::MakeBmp(24, 9, 24, [](int, int) { return 0u; })), EImageListError);
    EXPECT_THROW(list.LoadBitmapData(sxtest::MakeBmp(20, 8, 24, [](int, int) { return 0u; })), EImageListError);
    EXPECT_THROW(list.LoadBitmapData({'B', 'M', 0, 0}), EImageListError);
    EXPECT_EQ(list.Count(), 3);
}

TEST(ImageListTest, ResourcesOfTheProgramLoadByName) {
    TImageList list(nullptr);
    list.LoadResource("SXTESTICON");                       // 16x16 blue and 32x32 green: the 16x16 fits
    list.LoadResource("SXTESTSTRIP");                      // 32x16 bitmap: red, yellow
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(PixelOf(list, 0, 8, 8), RGB(0, 0, 220));
    EXPECT_EQ(PixelOf(list, 1, 8, 8), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(list, 2, 8, 8), RGB(255, 255, 0));
    EXPECT_EQ(PixelOf(list, 1, 0, 15), White);
    try {
        list.LoadResource("NOSUCHPICTURE");
        FAIL() << "missing resource accepted";
    } catch (const EImageListError& e) {
        EXPECT_NE(std::string(e.what()).find("NOSUCHPICTURE"), std::string::npos) << e.what();
    }
}

TEST(ImageListTest, DescribedListTakesItsSizeFirstWhateverTheOrder) {
    TListHost host;
    auto strip = sxtest::MakeBmp(64, 32, 24, [](int x, int y) -> unsigned {
        return x == 0 && y == 31 ? 0xFF00FF : x < 32 ? 0x00FF00 : 0x808080;
    });
    LoadDescription(&host, HostClass(),
                    "object Host: TListHost\n"
                    "  object ilist: TImageList\n"
                    "    Icons.Resources = ('SXTESTICON')\n"
                    "    Bitmap = {" + sxtest::Hex(strip) + "}\n"
                    "    Height = 32\n    Width = 32\n"
                    "  end\nend\n");
    auto* list = dynamic_cast<TImageList*>(host.FindComponent("ilist"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(PixelOf(*list, 0, 16, 16), RGB(0, 200, 0));  // the icon's 32x32 image, in description order
    EXPECT_EQ(PixelOf(*list, 1, 16, 16), RGB(0, 255, 0));

    TListHost other;
    try {
        LoadDescription(&other, HostClass(),
                        "object Host: TListHost\n  object l: TImageList\n    Icons.Resources = ('SXTESTICON' 'NOPE1')\n  end\nend\n");
        FAIL() << "missing resource accepted";
    } catch (const EDescriptionError& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("NOPE1"), std::string::npos) << m;
        EXPECT_NE(m.find("line 3"), std::string::npos) << m;
    }
}

TEST(ImageListTest, ListenersHearEveryChangeUntilTheyUnregister) {
    TListHost host;
    TImageList list(&host);
    TNotifyEvent listener(&host, &TListHost::ListChanged);
    list.RegisterChanges(listener);
    list.RegisterChanges(listener);                        // once is enough
    HICON icon = SolidIcon(16, RGB(1, 2, 3));
    list.AddIcon(icon);
    EXPECT_EQ(host.Changes, 1);
    list.SetWidth(24);                                     // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(host.Changes, 2);
    list.UnRegisterChanges(listener);
    list.AddIcon(icon);
    EXPECT_EQ(host.Changes, 2);
    DestroyIcon(icon);
    EXPECT_THROW(list.SetHeight(0), EImageListError);
}

} // namespace
