// tests/desktop/LateBindingTest.cpp -- BindLate: a DLL loaded by the first binding, and a clear
// null for what cannot be had
#include <gtest/gtest.h>

#include <windows.h>

#include "desktop/LateBinding.h"

namespace {

TEST(LateBindingTest, BindsAFunctionOfADllLoadedOrNot) {
    // Loaded at start: the same function the import table would give.
    EXPECT_EQ(BindLate("kernel32.dll", "GetTickCount"), GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));

    // Typed, from a DLL the test does not import: loaded by the binding if need be, and it works.
    const auto gradient = BindLate<decltype(GradientFill)>("msimg32.dll", "GradientFill");
    ASSERT_NE(gradient, nullptr);
    EXPECT_NE(GetModuleHandleA("msimg32.dll"), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {4, 4, 0xff00, 0, 0, 0}};
    GRADIENT_RECT r{0, 1};
    EXPECT_TRUE(gradient(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
    DeleteDC(dc);
}

TEST(LateBindingTest, WhatCannotBeHadIsNullWithTheReason) {
    struct TCase {
        const char* Module;
        const char* Function;
        DWORD Error;
    } cases[] = {
        {"kernel32.dll", "NoSuchFunctionAnywhere", ERROR_PROC_NOT_FOUND},
        {"sentinox-no-such-library.dll", "Anything", ERROR_MOD_NOT_FOUND},
    };
    for (const TCase& c : cases) {
        SetLastError(0);
        EXPECT_EQ(BindLate(c.Module, c.Function), nullptr) << c.Module << " " << c.Function;
        EXPECT_EQ(GetLastError(), c.Error) << c.Module << " " << c.Function;
    }
}

} // namespace
