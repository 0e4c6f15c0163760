// tests/desktop/ImageTest.cpp -- picture formats, BMP/ICO decoding, TPicture and TImage
//
// Files go to a folder of this test's own under %TEMP%, removed in TearDown.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Form.h"
#include "desktop/GdiGuards.h"
#include "desktop/Image.h"
#include "tests/desktop/ModalDriver.h"

namespace {

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        FDir = std::string(temp) + "SxImageTest\\";
        CreateDirectoryA(FDir.c_str(), nullptr);
    }
    void TearDown() override {
        for (const auto& f : FFiles) DeleteFileA(f.c_str());
        RemoveDirectoryA(FDir.c_str());
    }
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::string path = FDir + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        FFiles.push_back(path);
        return path;
    }
    std::string FDir;
    std::vector<std::string> FFiles;
};

// Four distinct corners on grey, so a flipped or shifted decode shows.
unsigned Corners(int x, int y, int w, int h) {
    if (x == 0 && y == 0) return 0xFF0000;
    if (x == w - 1 && y == 0) return 0x00FF00;
    if (x == 0 && y == h - 1) return 0x0000FF;
    if (x == w - 1 && y == h - 1) return 0xFFFF00;
    return 0x808080;
}

COLORREF Rgb(unsigned rrggbb) { return RGB(rrggbb >> 16, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

COLORREF PixelOfBitmap(HBITMAP bmp, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

HBITMAP SolidBitmap(int w, int h) {
    auto bytes = sxtest::MakeBmp(w, h, 24, [](int, int) { return 0x0000FFu; });
    return BitmapFromBmpData(bytes.data(), bytes.size());
}

TEST_F(ImageTest, BitmapFilesLoadWithTheirSizeAndPixels) {
    struct TCase {
        int Bits;
        bool TopDown;
    } cases[] = {{24, false}, {24, true}, {32, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Bits << " bits, top-down " << c.TopDown);
        const int w = 5, h = 3;
        std::string path = Write("corners.bmp", sxtest::MakeBmp(w, h, c.Bits, [](int x, int y) { return Corners(x, y, 5, 3); },
                                                               c.TopDown));
        TPicture picture;
        picture.LoadFromFile(path);
        ASSERT_EQ(picture.Kind(), TGraphicKind::gkBitmap);
        EXPECT_EQ(picture.Width(), w);
        EXPECT_EQ(picture.Height(), h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(PixelOfBitmap(picture.Bitmap(), x, y), Rgb(Corners(x, y, w, h))) << x << "," << y;
    }
}

TEST_F(ImageTest, DamagedBitmapsAreClearErrorsAndLeaveThePictureAsItWas) {
    auto good = sxtest::MakeBmp(4, 4, 24, [](int, int) { return 0x123456u; });
    auto with = [&](size_t at, std::vector<unsigned char> bytes) {
        auto b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
        return b;
    };
    struct TCase {
        const char* What;
        std::vector<unsigned char> Bytes;
        const char* Message;
    } cases[] = {
        {"truncated pixels", std::vector<unsigned char>(good.begin(), good.end() - 10), "truncated"},
        {"header only", std::vector<unsigned char>(good.begin(), good.begin() + 30), "Not a bitmap"},
        {"small header", with(14, {12, 0, 0, 0}), "header of 12 bytes"},
        {"odd depth", with(28, {7, 0}), "7 bits"},
        {"zero width", with(18, {0, 0, 0, 0}), "size 0 x 4"},
        {"huge height", with(22, {0, 0, 0, 0x40}), "not supported"},
        {"unknown compression", with(30, {9, 0, 0, 0}), "compression 9"},
        {"pixels before header end", with(10, {20, 0, 0, 0}), "truncated"},
        {"palette beyond file", with(28, {8, 0}), "truncated"},
    };
    TPicture picture;
    std::string ok = Write("ok.bmp", good);
    picture.LoadFromFile(ok);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        std::string path = Write("bad.bmp", c.Bytes);
        try {
            picture.LoadFromFile(path);
            ADD_FAILURE() << "accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
        }
        EXPECT_EQ(picture.Width(), 4);
        EXPECT_EQ(PixelOfBitmap(picture.Bitmap(), 1, 1), Rgb(0x123456));
    }
    EXPECT_THROW(picture.LoadFromFile(FDir + "missing.bmp"), EWin32Error);
    EXPECT_EQ(picture.Width(), 4);
}

TEST_F(ImageTest, IconFilesLoadTheImageOfTheSystemIconSize) {
    auto ico = sxtest::MakeIco({{16, 0x0000DC}, {32, 0x00C800}, {48, 0xFF0000}});
    TPicture picture;
    picture.LoadFromFile(Write("two.ICO", ico));          // extensions ignore case
    ASSERT_EQ(picture.Kind(), TGraphicKind::gkIcon);
    EXPECT_EQ(picture.Width(), 32);
    EXPECT_EQ(picture.Height(), 32);
    COLORREF c = sxtest::PixelOfDrawing(32, 32, 16, 16, [&](HDC dc) { picture.Draw(dc, RECT{0, 0, 32, 32}, false); });
    EXPECT_EQ(c, RGB(0, 200, 0));

    HICON small = IconFromIcoData(ico.data(), ico.size(), 16);
    ASSERT_TRUE(small);
    picture.SetIcon(small);
    EXPECT_EQ(picture.Width(), 16);

    auto cut = ico;
    cut.resize(60);                                        // the directory promises more than there is
    EXPECT_THROW(picture.LoadFromData(cut), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromData({1, 2, 3, 4}), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 16);
}

// The system makes an icon's handle only when it is first drawn or asked for, so whatever it would
// refuse has to be found while the data is read.
TEST_F(ImageTest, DamagedIconImagesAreClearErrorsWhenRead) {
    constexpr size_t Image = 22, SizeField = 14;           // one image: directory entry, then its bitmap
    auto setLe = [](std::vector<unsigned char>& v, size_t at, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) v[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    struct TCase {
        const char* What;
        std::function<void(std::vector<unsigned char>&)> Damage;
    };
    const TCase cases[] = {
        {"3 bits per pixel", [&](auto& ico) { setLe(ico, Image + 14, 3, 2); }},
        {"no bitmap header", [&](auto& ico) { setLe(ico, Image, 12, 4); }},
        {"zero width", [&](auto& ico) { setLe(ico, Image + 4, 0, 4); }},
        {"pixels cut short", [&](auto& ico) {
             ico.resize(ico.size() - 100);
             setLe(ico, SizeField, static_cast<unsigned>(ico.size() - Image), 4);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        auto ico = sxtest::MakeIco({{16, 0x0000DC}});
        c.Damage(ico);
        TPicture picture;
        picture.LoadFromData(sxtest::MakeBmp(4, 4, 24, [](int, int) { return 0x123456u; }));
        EXPECT_THROW(picture.LoadFromData(ico), EInvalidGraphic);
        EXPECT_EQ(picture.Kind(), TGraphicKind::gkBitmap);
        EXPECT_EQ(picture.Width(), 4);
    }
}

TEST_F(ImageTest, IconCopiedBeforeItWasEverDrawnDrawsLikeItsSource) {
    TPicture source, copy;
    source.LoadFromData(sxtest::MakeIco({{32, 0x00C800}}));
    copy.Assign(source);
    for (const TPicture* picture : {&copy, &source}) {
        EXPECT_EQ(picture->Kind(), TGraphicKind::gkIcon);
        EXPECT_EQ(picture->Width(), 32);
        COLORREF c = sxtest::PixelOfDrawing(32, 32, 16, 16, [&](HDC dc) { picture->Draw(dc, RECT{0, 0, 32, 32}, false); });
        EXPECT_EQ(c, RGB(0, 200, 0));
        EXPECT_TRUE(picture->Icon());
    }
    EXPECT_NE(copy.Icon(), source.Icon());                 // each owns its own
}

// A one-image ICO of width x width at bits per pixel: palette colours (if any), colour and
// mask patterns of their own. Some pixels are transparent over a colour that is not black,
// which inverts what lies under them: only the mask-then-XOR order draws them right.
std::vector<unsigned char> PatternIco(int width, int bits) {
    std::vector<unsigned char> dib;
    auto put = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) dib.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    const int palette = bits <= 8 ? 1 << bits : 0;
    put(40, 4);
    put(static_cast<unsigned>(width), 4);
    put(static_cast<unsigned>(width * 2), 4);
    put(1, 2);
    put(static_cast<unsigned>(bits), 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    for (int i = 0; i < palette; ++i) put(static_cast<unsigned>((i * 0x3917A5) & 0xFFFFFF), 4);
    const size_t colourStride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    for (int y = 0; y < width; ++y) {
        std::vector<unsigned char> row(colourStride, 0);
        for (int x = 0; x < width; ++x) {
            const unsigned value = static_cast<unsigned>(x * 7 + y * 13 + x * y);
            if (bits == 24) {
                row[static_cast<size_t>(x) * 3] = static_cast<unsigned char>(value);
                row[static_cast<size_t>(x) * 3 + 1] = static_cast<unsigned char>(value * 3);
                row[static_cast<size_t>(x) * 3 + 2] = static_cast<unsigned char>(value * 5);
            } else {
                const unsigned index = value % static_cast<unsigned>(palette);
                const size_t bit = static_cast<size_t>(x) * bits;
                row[bit / 8] |= static_cast<unsigned char>(index << (8 - bits - bit % 8));
            }
        }
        dib.insert(dib.end(), row.begin(), row.end());
    }
    for (int y = 0; y < width; ++y) {
        std::vector<unsigned char> row(maskStride, 0);
        for (int x = 0; x < width; ++x)
            if ((x + 2 * y) % 5 == 0 || x < 2) row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        dib.insert(dib.end(), row.begin(), row.end());
    }
    std::vector<unsigned char> ico{0, 0, 1, 0, 1, 0, static_cast<unsigned char>(width), static_cast<unsigned char>(width),
                                   0, 0, 1, 0, static_cast<unsigned char>(bits), 0};
    for (unsigned value : {static_cast<unsigned>(dib.size()), 22u})
        for (int i = 0; i < 4; ++i) ico.push_back(static_cast<unsigned char>(value >> (8 * i)));
    ico.insert(ico.end(), dib.begin(), dib.end());
    return ico;
}

// Every pixel of a size x size drawing on a background of many colours.
std::vector<COLORREF> PixelsOfDrawing(int size, const std::function<void(HDC)>& draw) {
    HBITMAP bmp = CreateCompatibleBitmap(TScopedGetDC().Get(), size, size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) SetPixel(dc, x, y, RGB(x * 9, y * 9, (x ^ y) * 9));
    draw(dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return pixels;
}

TEST_F(ImageTest, AnIconDrawsWhatTheSystemDrawsForItAtEveryColourDepth) {
    struct TCase {
        int Width, Bits;
        RECT Dest;
    };
    const TCase cases[] = {{16, 1, {0, 0, 16, 16}},  {16, 4, {0, 0, 16, 16}}, {24, 8, {3, 2, 27, 26}},
                           {16, 24, {0, 0, 16, 16}}, {16, 4, {0, 0, 24, 24}}};   // the last one stretched
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + " pixels, " + std::to_string(c.Bits) + " bits");
        const auto ico = PatternIco(c.Width, c.Bits);
        TPicture picture;
        picture.LoadFromData(ico);
        const int w = c.Dest.right - c.Dest.left, h = c.Dest.bottom - c.Dest.top;
        HICON icon = IconFromIcoData(ico.data(), ico.size(), c.Width);
        ASSERT_TRUE(icon);
        const auto expected = PixelsOfDrawing(32, [&](HDC dc) {
            DrawIconEx(dc, c.Dest.left, c.Dest.top, icon, w, h, 0, nullptr, DI_NORMAL);
        });
        DestroyIcon(icon);
        EXPECT_EQ(expected, PixelsOfDrawing(32, [&](HDC dc) { picture.Draw(dc, c.Dest, false); }));
        // Drawn again, and once its handle exists.
        EXPECT_EQ(expected, PixelsOfDrawing(32, [&](HDC dc) { picture.Draw(dc, c.Dest, false); }));
        EXPECT_TRUE(picture.Icon());
        EXPECT_EQ(expected, PixelsOfDrawing(32, [&](HDC dc) { picture.Draw(dc, c.Dest, false); }));
    }
}

TEST_F(ImageTest, FormatRegistryPicksTheLoaderByExtension) {
    EXPECT_TRUE(FindPictureFormat("bmp"));
    EXPECT_TRUE(FindPictureFormat(".ICO"));
    try {
        TPicture p;
        p.LoadFromFile(Write("photo.jpg", {0xFF, 0xD8, 0xFF}));
        FAIL() << "unknown extension accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(std::string(e.what()).find(".jpg"), std::string::npos) << e.what();
    }
    TPicture none;
    EXPECT_THROW(none.LoadFromFile(Write("noextension", {1})), EInvalidGraphic);

    // A later format (JPEG through libjpeg) registers the same way.
    std::string seen;
    RegisterPictureFormat("JPG", "JPEG Image File", [&](TPicture& p, const std::string& name) {
        seen = name;
        p.SetBitmap(SolidBitmap(2, 2));
    });
    std::string path = Write("photo.JPG", {0xFF, 0xD8});
    TPicture picture;
    picture.LoadFromFile(path);
    EXPECT_EQ(seen, path);
    EXPECT_EQ(picture.Width(), 2);
    const TPictureFormat* jpg = FindPictureFormat("jpg");
    ASSERT_TRUE(jpg);
    EXPECT_EQ(jpg->Description, "JPEG Image File");
    EXPECT_NE(GraphicFilter().find("JPEG Image File (*.jpg)|*.jpg"), std::string::npos) << GraphicFilter();
    EXPECT_EQ(GraphicFilter().rfind("All pictures (*.bmp;*.ico;*.jpg)|*.bmp;*.ico;*.jpg|", 0), 0u) << GraphicFilter();

    // A loader that fails or brings nothing leaves the picture as it was.
    RegisterPictureFormat("jpg", "JPEG Image File", [](TPicture&, const std::string&) {});
    EXPECT_THROW(picture.LoadFromFile(path), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 2);
    UnregisterPictureFormat("jpg");
    EXPECT_FALSE(FindPictureFormat("jpg"));
    EXPECT_THROW(RegisterPictureFormat("", "nothing", [](TPicture&, const std::string&) {}), EInvalidGraphic);
}

// ------------------------------------------------------------------ TImage

class TImageHost : public TForm {
public:
    explicit TImageHost(TComponent* owner) : TForm(owner) {}
};

const TClassInfo& HostClass() {
    RegisterDesktopClasses();
    static TClassInfo& info = TClassRegistration<TImageHost>("TImageHost", "TForm").Info();
    return info;
}

TEST_F(ImageTest, ImagePlacesItsPictureByStretchCenterAndProportional) {
    TImage image(nullptr);
    image.SetBounds(0, 0, 100, 50);
    image.Picture().SetBitmap(SolidBitmap(20, 10));
    struct TCase {
        bool Stretch, Center, Proportional;
        RECT Expected;
    } cases[] = {
        {false, false, false, {0, 0, 20, 10}},
        {false, true, false, {40, 20, 60, 30}},
        {true, false, false, {0, 0, 100, 50}},
        {true, false, true, {0, 0, 20, 10}},               // proportional never enlarges
        {false, true, true, {40, 20, 60, 30}},
    };
    for (const auto& c : cases) {
        image.SetStretch(c.Stretch);
        image.SetCenter(c.Center);
        image.SetProportional(c.Proportional);
        RECT r = image.DestRect();
        EXPECT_TRUE(EqualRect(&r, &c.Expected)) << c.Stretch << c.Center << c.Proportional << ": " << r.left << ","
                                                << r.top << "," << r.right << "," << r.bottom;
    }
    // A picture larger than the control shrinks to fit, keeping its shape.
    image.Picture().SetBitmap(SolidBitmap(200, 50));
    image.SetProportional(true);
    image.SetCenter(false);
    RECT r = image.DestRect();
    RECT expected{0, 0, 100, 25};
    EXPECT_TRUE(EqualRect(&r, &expected)) << r.right << "," << r.bottom;
}

TEST_F(ImageTest, DescribedImageShowsItsPictureAtItsOwnSize) {
    auto bmp = sxtest::MakeBmp(12, 8, 24, [](int x, int) -> unsigned { return x < 6 ? 0xFF0000 : 0x0000FF; });
    TImageHost form(nullptr);
    LoadDescription(&form, HostClass(),
                    "object ImageHost: TImageHost\n  Left = 10\n  Top = 10\n  ClientWidth = 200\n  ClientHeight = 100\n"
                    "  object sxImage1: TImage\n    Left = 8\n    Top = 8\n    Width = 50\n    Height = 50\n"
                    "    AutoSize = True\n    Picture.Data = {" + sxtest::Hex(bmp) + "}\n  end\nend\n");
    auto* image = dynamic_cast<TImage*>(form.FindComponent("sxImage1"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 12);
    EXPECT_EQ(image->Height(), 8);
    EXPECT_EQ(image->Picture().Kind(), TGraphicKind::gkBitmap);

    // Painted for real: the window's own pixels, read back from the screen.
    form.Show();
    ASSERT_TRUE(image->WindowHandle());
    sxtest::PumpFor(300);
    image->Repaint();
    COLORREF left, right;
    {
        TScopedGetDC dc(image->WindowHandle());
        left = GetPixel(dc.Get(), 2, 4);
        right = GetPixel(dc.Get(), 9, 4);
    }
    EXPECT_EQ(left, RGB(255, 0, 0));
    EXPECT_EQ(right, RGB(0, 0, 255));

    TImageHost other(nullptr);
    try {
        LoadDescription(&other, HostClass(),
                        "object ImageHost: TImageHost\n  object i: TImage\n    Picture.Data = {00112233}\n  end\nend\n");
        FAIL() << "bad picture data accepted";
    } catch (const EDescriptionError& e) {
        EXPECT_NE(std::string(e.what()).find("i.Picture.Data"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("neither a bitmap nor an icon"), std::string::npos) << e.what();
    }
}

} // namespace

namespace {

// Neither an image (around its picture) nor a transparent label shows a colour of its own: the
// panel behind them shows, as it does through the masked pixels of an icon.
TEST_F(ImageTest, ImageAndTransparentLabelShowTheirParentsColour) {
    TImageHost form(nullptr);
    LoadDescription(&form, HostClass(),
                    "object ImageHost: TImageHost\n  Left = 10\n  Top = 10\n  ClientWidth = 200\n  ClientHeight = 100\n"
                    "  object panel: TPanel\n    Left = 0\n    Top = 0\n    Width = 200\n    Height = 100\n"
                    "    BevelOuter = bvNone\n    Color = 2017290\n"
                    "    object picture: TImage\n      Left = 8\n      Top = 8\n      Width = 20\n      Height = 20\n    end\n"
                    "    object note: TLabel\n      Left = 40\n      Top = 8\n      Caption = 'i'\n      Color = 255\n"
                    "      Transparent = True\n    end\n  end\nend\n");
    auto* picture = dynamic_cast<TControl*>(form.FindComponent("picture"));
    auto* note = dynamic_cast<TControl*>(form.FindComponent("note"));
    ASSERT_TRUE(picture && note);
    form.Show();
    sxtest::PumpFor(300);
    picture->Repaint();
    note->Repaint();
    auto pixel = [](TControl* c, int x, int y) {
        TScopedGetDC dc(c->WindowHandle());
        return GetPixel(dc.Get(), x, y);
    };
    const COLORREF panel = 2017290;   // RGB(10, 200, 30)
    EXPECT_EQ(pixel(picture, 10, 10), panel);
    EXPECT_EQ(pixel(note, note->Width() - 1, note->Height() - 1), panel);   // beside the letter, below it
}

} // namespace
