// tests/controls/JpegFormatTest.cpp -- the JPEG picture format on a file made by ImageMagick
// (beside the test program: 40 x 12, left half #C81E1E, right half #1E3CC8)
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "controls/JpegFormat.h"
#include "desktop/Image.h"

namespace {

std::string BesideTheProgram(const std::string& name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return ExtractFilePath(path) + name;
}

COLORREF PixelOf(const TPicture& picture, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture.Bitmap());
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

void ExpectNear(COLORREF got, int r, int g, int b) {
    EXPECT_NEAR(GetRValue(got), r, 12);
    EXPECT_NEAR(GetGValue(got), g, 12);
    EXPECT_NEAR(GetBValue(got), b, 12);
}

TEST(JpegFormat, RegisteredUnderBothExtensions) {
    for (const char* ext : {"jpg", "jpeg", ".JPG"}) {
        const TPictureFormat* f = FindPictureFormat(ext);
        ASSERT_NE(f, nullptr) << ext;
        EXPECT_EQ(f->Description, "JPEG Image File");
    }
}

TEST(JpegFormat, LoadsAFileOfAnotherEncoderWithItsSizeAndColours) {
    TPicture picture;
    picture.LoadFromFile(BesideTheProgram("controls_test.jpg"));
    EXPECT_EQ(picture.Kind(), TGraphicKind::gkBitmap);
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.Height(), 12);
    ExpectNear(PixelOf(picture, 5, 6), 0xC8, 0x1E, 0x1E);
    ExpectNear(PixelOf(picture, 34, 6), 0x1E, 0x3C, 0xC8);
}

TEST(JpegFormat, DamagedDataIsAClearErrorAndThePictureStaysAsItWas) {
    std::ifstream in(BesideTheProgram("controls_test.jpg"), std::ios::binary);
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(data.size(), 200u);
    struct { const char* Name; std::vector<unsigned char> Bytes; } cases[] = {
        {"header only", std::vector<unsigned char>(data.begin(), data.begin() + 20)},
        {"not a JPEG", std::vector<unsigned char>{'B', 'M', 0, 0, 0}},
        {"empty", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_THROW(BitmapFromJpegData(c.Bytes.data(), c.Bytes.size()), EInvalidGraphic);
    }
    std::string broken = BesideTheProgram("controls_broken.jpg");
    {
        std::ofstream out(broken, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()), 20);
    }
    TPicture picture;
    picture.LoadFromFile(BesideTheProgram("controls_test.jpg"));
    EXPECT_THROW(picture.LoadFromFile(broken), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 40);
    DeleteFileA(broken.c_str());
}

} // namespace
