// tests/desktop/GdiGuardsTest.cpp -- each guard undoes what it did, and only that, when it ends
#include <gtest/gtest.h>

#include <utility>

#include "desktop/GdiGuards.h"

namespace {

HBITMAP MakeBitmap() { return CreateBitmap(4, 4, 1, 32, nullptr); }

TEST(GdiGuardsTest, ASelectedObjectIsSelectedWhileTheGuardLivesAndThePreviousOneAfter) {
    TBitmapDC dc(nullptr);
    ASSERT_NE(dc.Get(), nullptr);
    HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_FONT);
    TAutoDeleteObject font(CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    {
        TScopedSelectObject selected(dc.Get(), font.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
        {
            TScopedSelectObject none(dc.Get(), nullptr);   // selects nothing, restores nothing
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), original);
}

TEST(GdiGuardsTest, AnOwnedObjectIsDeletedWhenItsGuardEnds) {
    HGDIOBJ pen;
    {
        TAutoDeleteObject owned(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        pen = owned.Get();
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(GdiGuardsTest, ABitmapDCLetsTheBitmapGoAndKeepsItAlive) {
    TAutoDeleteObject bitmap(MakeBitmap());
    HDC memory;
    {
        TBitmapDC dc(static_cast<HBITMAP>(bitmap.Get()));
        memory = dc.Get();
        EXPECT_EQ(GetCurrentObject(memory, OBJ_BITMAP), bitmap.Get());
        SetPixel(memory, 1, 1, RGB(10, 20, 30));
    }
    EXPECT_EQ(GetObjectType(memory), 0u) << "the memory DC is deleted";
    EXPECT_EQ(GetObjectType(bitmap.Get()), static_cast<DWORD>(OBJ_BITMAP)) << "the bitmap stays the caller's";
    // A bitmap can be selected into one DC at a time: this one is free again, and kept what was drawn.
    TBitmapDC again(static_cast<HBITMAP>(bitmap.Get()));
    EXPECT_EQ(GetCurrentObject(again.Get(), OBJ_BITMAP), bitmap.Get());
    EXPECT_EQ(GetPixel(again.Get(), 1, 1), RGB(10, 20, 30));
}

TEST(GdiGuardsTest, AScreenOrWindowDCIsUsableWhileTheGuardLives) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    for (auto [hwnd, area] : {std::pair<HWND, TDCArea>{nullptr, TDCArea::Client}, {window, TDCArea::Client},
                              {window, TDCArea::Window}}) {
        TScopedGetDC dc(hwnd, area);
        ASSERT_NE(dc.Get(), nullptr);
        EXPECT_GT(GetDeviceCaps(dc.Get(), LOGPIXELSY), 0);
        if (hwnd) {
            EXPECT_EQ(WindowFromDC(dc.Get()), hwnd);
        }
    }
    DestroyWindow(window);
}

} // namespace
