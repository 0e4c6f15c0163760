// tests/controls/sxImageTest.cpp -- pictures from an image list, the list going away, the caption
#include <gtest/gtest.h>

#include "ControlTestHost.h"
#include "controls/sxImage.h"

namespace {

class sxImageTest : public ::testing::Test {
protected:
    TControlHost Host;
    TImageList* List = nullptr;
    TsxImage* Image = nullptr;
    void SetUp() override {
        List = new TImageList(&Host.Form());
        for (COLORREF c : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
            HICON icon = SolidIcon(c);
            List->AddIcon(icon);
            DestroyIcon(icon);
        }
        Image = Host.Add<TsxImage>(10, 10, 32, 32);
    }
};

TEST_F(sxImageTest, EntryOfTheListBecomesThePictureAsIconOrBitmap) {
    Image->SetImageList(List);
    EXPECT_EQ(Image->Picture().Kind(), TGraphicKind::gkIcon);
    EXPECT_FALSE(Image->PictureStored());
    Image->SetImageListAsIcon(false);
    EXPECT_EQ(Image->Picture().Kind(), TGraphicKind::gkBitmap);
    EXPECT_EQ(Image->Picture().Width(), 16);
}

TEST_F(sxImageTest, IndexOutsideTheListLeavesThePictureAndStoresItAgain) {
    Image->SetImageList(List);
    HICON shown = Image->Picture().Icon();
    for (int index : {-1, 2}) {
        Image->SetImageIndex(index);
        EXPECT_EQ(Image->Picture().Icon(), shown);
        EXPECT_TRUE(Image->PictureStored());
    }
}

TEST_F(sxImageTest, SettingTheSameIndexAgainReReadsTheEntry) {
    Image->SetImageList(List);
    Image->Picture().Clear();
    Image->SetImageIndex(0);
    EXPECT_FALSE(Image->Picture().Empty());
}

TEST_F(sxImageTest, ChangesOfTheListReachThePicture) {
    Image->SetImageList(List);
    Image->SetImageIndex(1);
    Image->Picture().Clear();
    HICON icon = SolidIcon(RGB(0, 255, 0));
    List->AddIcon(icon);
    DestroyIcon(icon);
    EXPECT_FALSE(Image->Picture().Empty());
}

TEST_F(sxImageTest, FreeingTheListForgetsItAndKeepsTheLastPicture) {
    Image->SetImageList(List);
    delete List;
    List = nullptr;
    EXPECT_EQ(Image->ImageList(), nullptr);
    EXPECT_FALSE(Image->Picture().Empty());
}

TEST_F(sxImageTest, CaptionIsDrawnWhenThereIsNoPictureOrWhenAlwaysVisible) {
    Image->SetBounds(10, 10, 80, 30);
    Image->SetCaption("WW");
    Image->Font().SetColor(RGB(255, 0, 255));
    EXPECT_GT(TSnapshot(Image->WindowHandle()).Count(RGB(255, 0, 255)), 0);
    Image->SetImageList(List);                // a picture now: no caption
    EXPECT_EQ(TSnapshot(Image->WindowHandle()).Count(RGB(255, 0, 255)), 0);
    Image->SetCaptionVisible(true);
    EXPECT_GT(TSnapshot(Image->WindowHandle()).Count(RGB(255, 0, 255)), 0);
}

} // namespace
